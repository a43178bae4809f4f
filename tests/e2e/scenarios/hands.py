"""Hands on the world: digging, crafting, placing and a chest, from a
prepared world to a saved one."""
from e2e.harness import keys
from e2e.harness.failure import check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.screens import (HOTBAR, PANEL, VIEW, dig_until_cell_changes,
                                 panel_background_shown, play_slot_1, save_from_pause_menu,
                                 status_strip_shown)
from e2e.harness.watch import wait_still
from e2e.harness.world_files import inventory_and_chests, world_tool, world_tool_run
from e2e.harness.xsession import close_window, find_window


def prepare_hands_scene(tool, folder):
    """Slot 1 in `folder`: a generated world with, straight ahead of the spawn
    (eye at x = z = 500 looking along +z, standing on the ground at y 100, so
    the eye settles just above y 102), raw wood, dirt, stone and raw wood again
    at eye height, and 16 raw wood and an iron ingot in the inventory."""
    slot = ["--slot", "1", "--dir", folder]
    world_tool_run(tool, "generate", "--seed", "1234567890", *slot)
    world_tool_run(tool, "set", *slot,
                   "496..504", "101..198", "496..510", "0",   # nothing above the ground around
                   "496..504", "100", "496..510", "7",        # a floor of stone
                   "500", "102", "502", "5",                  # raw wood to chop
                   "500", "102", "503", "2",                  # dirt and stone to dig
                   "500", "102", "504", "7",
                   "500", "102", "505", "5")                  # a backstop no pickaxe digs
    world_tool_run(tool, "give", *slot, "1", "5", "16", "2", "29", "1")


def hands_on_the_world(programs):
    """Chop wood with the starting axe, craft a table and place it, craft
    planks, sticks, a wooden pickaxe and a chest, dig the table back, dig dirt
    and stone, place a block and the chest, move cobblestone into the chest,
    save; the saved file then holds exactly that inventory and chest."""
    tool = world_tool(programs.game)
    with Game(programs.game, setup=lambda folder: prepare_hands_scene(tool, folder)) as game:
        window = find_window(game)
        play_slot_1(window)
        wait_still(window, VIEW, 20, "the view to settle after the fall onto the floor")

        def press(key, box, hold=keys.TAP):
            keys.press(window, key, box, hold)

        dig_until_cell_changes(window, 1, 20, "the raw wood chopped")  # the axe: cell 1
        press("r", PANEL)                   # the crafting panel
        press("Return", HOTBAR)   # hand: a crafting table (cell 3)
        press("4", HOTBAR)
        press("button3", VIEW)   # place it where the wood was
        press("Down", PANEL)                # table list: planks
        press("Return", HOTBAR)
        press("Return", HOTBAR)   # 6 planks
        press("Down", PANEL)
        press("Down", PANEL)                # sticks
        press("Return", HOTBAR)
        press("Return", HOTBAR)   # 2 sticks
        press("Down", PANEL)                # the wooden pickaxe (cell 4)
        press("Return", HOTBAR)
        # The list shrinks past the cursor, which stops on its last recipe: the chest.
        press("Return", HOTBAR)   # a chest (cell 1)
        press("r", PANEL)                   # panel closed
        press("1", HOTBAR)
        dig_until_cell_changes(window, 2, 20, "the table taken back")  # to cell 2
        press("5", HOTBAR)
        # The pickaxe digs the dirt (cell 5), then the stone (cobblestone, cell 6).
        dig_until_cell_changes(window, 6, 30, "the stone dug")
        press("6", HOTBAR)
        press("button3", VIEW)   # the dirt goes back in front of the far raw wood
        press("2", HOTBAR)
        press("button3", VIEW)   # the chest in front of the dirt
        # Open it: the cursor on cell 1. A right click on the chest there
        # does nothing more.
        keys.press_until(window, "button3", panel_background_shown, "the chest screen",
                         timeout=4 * keys.SLOWDOWN, tries=3)
        for _ in range(5):
            press("d", None)                # to the cobblestone in cell 6
        press("Return", None)
        for _ in range(4):
            press("w", None)                # up into the chest's first row, its cell 6
        press("Return", None)
        # The chest keeps it.
        keys.press_until(window, "Escape", status_strip_shown, "play after the chest")
        world = save_from_pause_menu(game, window)
        close_window(window)
        expect_clean_exit(game)

        expected = ("inventory:\n"
                    "  cell  0: 62 Wooden axe x1\n"
                    "  cell  2: 27 Crafting table x1\n"
                    "  cell  3: 10 Wooden planks x2\n"
                    "  cell  4: 55 Wooden pickaxe x1\n"
                    "chest 0:\n"
                    "  cell  6: 1 Cobblestone x1\n")
        found = inventory_and_chests(tool, world)
        check(found == expected, f"the saved world holds\n{found}\nnot\n{expected}")


SCENARIOS = {"hands_on_the_world": hands_on_the_world}
