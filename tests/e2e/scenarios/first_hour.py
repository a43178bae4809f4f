"""The first hour in three minutes.

A new player's first hour, played through the window as a person would, from
a prepared world: watch the night fall and pass, walk to a tree and chop it,
craft a table and tools, dig down into the dark and light it with a torch,
build a glass wall, keep things in a chest, fall out of the bottom of the
world and come back, save, quit, start again and load. The saved world must
then hold what was left in it. With VELMORA_GUIDE=DIR set, the run also
writes the pictures of the players' guide in the README into DIR."""
import math
import os
import time

from e2e.harness import keys
from e2e.harness.failure import Failure, check
from e2e.harness.game import Game
from e2e.harness.pictures import brightness
from e2e.harness.png import write_png
from e2e.harness.screens import (HOTBAR, PANEL, VIEW, dig_until_cell_changes,
                                 panel_background_shown, play_slot_1, quit_from_pause_menu,
                                 save_from_pause_menu, sky_colour, status_strip_shown)
from e2e.harness.waits import wait_for
from e2e.harness.watch import wait_for_change, wait_for_screen, wait_still
from e2e.harness.world_files import (block_counts, inventory_and_chests, same_but_time_of_day,
                                     world_cell, world_info, world_tool, world_tool_run)
from e2e.harness.xsession import capture, find_window, run


class Guide:
    """The pictures of the players' guide: each a moment of the window at half
    its size (400 x 300, every pixel the mean of four), written only when
    VELMORA_GUIDE names a folder."""

    def __init__(self):
        self.folder = os.environ.get("VELMORA_GUIDE")

    def picture(self, name, shot):
        if not self.folder:
            return
        os.makedirs(self.folder, exist_ok=True)
        rows = []
        for y in range(0, shot.height - 1, 2):
            row = []
            for x in range(0, shot.width - 1, 2):
                four = (shot.pixel(x, y), shot.pixel(x + 1, y), shot.pixel(x, y + 1),
                        shot.pixel(x + 1, y + 1))
                row.append(tuple((sum(p[i] for p in four) + 2) // 4 for i in range(3)))
            rows.append(row)
        write_png(os.path.join(self.folder, name + ".png"), rows)


class View:
    """How far up or down the player looks, along +z. Mouse motion turns the
    view by exactly 1/750 radian a pixel, and the pitch stops at straight up
    and straight down; a game started anew and a respawn look level. So the
    view is known at every moment from the motion sent since."""

    PIXELS_PER_RADIAN = 750

    def __init__(self, window):
        self.window = window
        self.level()

    def level(self):
        """What the game has just set: level."""
        self.pitch_stop, self.pitch = 0.0, 0

    def look(self, pitch):
        """Turns to `pitch`, radians, up positive; ±π/2 is straight up or down."""
        if abs(pitch) >= math.pi / 2:
            # Far past the stop, whatever the pitch was.
            dy = -2000 if pitch > 0 else 2000
            self.pitch_stop, self.pitch = math.copysign(math.pi / 2, pitch), 0
        else:
            target = round((pitch - self.pitch_stop) * self.PIXELS_PER_RADIAN)
            dy = self.pitch - target  # the mouse moves down to look down
            self.pitch = target
        if dy:
            # The update that takes the motion, and the drawing that picks the
            # block under the new view for the next update, have both happened
            # once the new view shows.
            before = capture(self.window)
            keys.move_mouse(0, dy)
            wait_for_change(self.window, before, VIEW, 10 * keys.SLOWDOWN,
                            f"the view to turn to {pitch:.2f} rad")

    def look_at(self, ahead, rise):
        """Looks along +z at the point `ahead` cells in front of the eye and
        `rise` above it. The view runs along (h sin a, sin b, h cos a) with
        h = 1.002 - |sin b|, not cos b: its slope is sin b / h."""
        self.look(math.asin(1.002 * rise / (ahead + abs(rise))))


DOWN = -math.pi / 2


def seen_through(before, after, box):
    """How the brightness of `after` follows that of `before` over a box: the
    slope and the correlation of the straight line that fits it best."""
    xs = [sum(c) for c in before.region(*box)]
    ys = [sum(c) for c in after.region(*box)]
    n = len(xs)
    mx, my = sum(xs) / n, sum(ys) / n
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    sxx = sum((x - mx) ** 2 for x in xs)
    syy = sum((y - my) ** 2 for y in ys)
    return sxy / sxx, sxy / math.sqrt(sxx * syy)


def sky_steps_from_midnight(shot):
    """|DayTime - 120| read from the sky's colour (the clear colour, one of
    its own for every step of brightness), or None when it is not sky: the
    most common colour of open sky at the top right, right of the tree ahead
    of the spawn."""
    samples = shot.region(640, 40, 790, 130)[::7]
    colour = max(set(samples), key=samples.count)
    for steps in range(121):
        if sky_colour((7 * steps / 120 + 9) / 16) == colour:
            return steps
    return None


def dead_screen(shot):
    """The death screen: "You died. ..." in white, and no world, only the
    clear colour, above it."""
    words = shot.region(250, 450, 520, 464)
    sky = shot.region(0, 100, 800, 260)[::13]
    return sum(1 for c in words if c == (255, 255, 255)) >= 40 and len(set(sky)) == 1


# The world of seed 1234567890 where the player starts, eye at x = z = 500
# looking along +z: ten cells ahead, a tree with its trunk at (500, 101..104,
# 510), on dirt (y 98..100) over stone. Prepared below the cell in front of
# the trunk, where the player will stand (z 509): under the dirt, sand (93..97),
# stone (90..92) and a coal seam (89), then an old mine: a tunnel two cells
# high (87..88) running on along +z to a wall at z 515, with a furnace in its
# wall, and under the player a plank floor over a shaft down through the bottom
# of the world. The player carries what the hour would have gathered besides:
# raw wood and an iron ingot. Midnight is six steps of the day (22.5 s) away:
# the night is watched first, whatever the speed of the rest, and a loaded
# machine that takes long to show the player standing still does not miss it.
FIRST_HOUR_DAY_TIME = 114
FIRST_HOUR_SETTINGS = bytes([1, 1])  # the nearest view, English


def prepare_first_hour(tool, folder):
    slot = ["--slot", "1", "--dir", folder]
    world_tool_run(tool, "generate", "--seed", "1234567890", *slot)
    world_tool_run(tool, "set", *slot,
                   "500", "93..97", "509", "6",        # sand
                   "500", "89", "509", "21",           # coal ore
                   "500", "87..88", "509..514", "0",   # the tunnel
                   "499", "87", "511", "26",           # a furnace in its wall
                   "500", "86", "509", "10",           # planks over
                   "500", "0..85", "509", "0")         # the old shaft
    world_tool_run(tool, "give", *slot, "1", "5", "15", "2", "29", "1")
    world_tool_run(tool, "time", *slot, str(FIRST_HOUR_DAY_TIME))
    with open(os.path.join(folder, "Settings.data"), "wb") as f:
        f.write(FIRST_HOUR_SETTINGS)


def watch_the_night(window, guide):
    """Night falls and passes: step by step the sky darkens to midnight
    (DayTime 120), then lightens again. Returns the steps seen."""
    seen = []

    def night_over():
        shot = capture(window)
        steps = sky_steps_from_midnight(shot)
        check(steps is not None, "no sky at the top right")
        if not seen or steps != seen[-1]:
            seen.append(steps)
            if steps == 0:
                guide.picture("1-night", shot)
        return 0 in seen and seen[-1] >= 2
    # A step of the day lasts 3.75 s: a look five times a second sees each.
    try:
        wait_for(night_over, 3.75 * (120 - FIRST_HOUR_DAY_TIME + 2) + 30, "the night to pass",
                 every=0.2)
    except Failure as failure:
        raise Failure(f"{failure}: the sky went {seen} steps from midnight, no further")
    midnight = seen.index(0)
    check(seen[0] <= 120 - FIRST_HOUR_DAY_TIME
          and seen[:midnight + 1] == sorted(seen[:midnight + 1], reverse=True)
          and seen[midnight:] == sorted(seen[midnight:]),
          f"the sky went {seen} steps from midnight")
    return seen


def first_hour(programs):
    """The first hour of a new player in about three minutes."""
    tool = world_tool(programs.game)
    guide = Guide()
    started = time.time()

    def log(step):
        print(f"{time.time() - started:5.1f} s: {step}", flush=True)

    with Game(programs.game, setup=lambda folder: prepare_first_hour(tool, folder)) as game:
        prepared = game.file("Prepared.data")
        os.link(game.file("Mondo1.data"), prepared)  # a save replaces the slot's file, not this
        window = find_window(game)
        view = View(window)

        def press(key, box, hold=keys.TAP):
            return keys.press(window, key, box, hold)

        play_slot_1(window)
        wait_still(window, VIEW, 20, "the fall onto the ground")
        log("loaded")

        seen = watch_the_night(window, guide)
        log(f"the night fell and passed: {seen} steps from midnight")

        # Walk to the tree: W until its trunk stops the player, 9 cells on.
        keys.hold("w", 3.0)
        # Chop the trunk with the axe in cell 0: the block at eye height, then
        # the one below it. Raw wood, 15 to start with, goes to cell 1.
        dig_until_cell_changes(window, 1, 20, "the first raw wood")
        view.look_at(0.9, -1.0)     # the middle of the trunk's next block down
        dig_until_cell_changes(window, 1, 20, "the second raw wood")
        log("the tree chopped")

        # Craft. The hands make a crafting table (cell 3) from 4 raw wood.
        press("r", PANEL)
        press("Return", HOTBAR)
        press("4", HOTBAR)
        press("button3", VIEW)      # onto the ground where the trunk stood
        view.look(0.0)
        # By the table: planks, sticks, a wooden pickaxe and a chest.
        press("Down", PANEL)        # table, *planks*, sword, chest
        press("Return", HOTBAR)
        press("Return", HOTBAR)     # 6 planks (cell 3)
        press("Down", PANEL)
        press("Down", PANEL)        # table, planks, sword, *stick*, chest
        press("Return", HOTBAR)
        guide.picture("2-crafting", press("Return", HOTBAR))
        press("Return", HOTBAR)     # 3 sticks (cell 4); the planks are used up
        # table, planks, sword, *pickaxe*, axe, chest
        press("Return", HOTBAR)     # the wooden pickaxe (cell 3)
        # The list shrinks past the cursor, which stops on its last: the chest.
        press("Return", HOTBAR)     # the chest (cell 1): no raw wood left
        press("r", PANEL)
        log("a table, planks, sticks, a pickaxe and a chest crafted")

        # Dig down with the pickaxe: dirt (to cell 2), sand (cell 5), stone
        # (cobblestone, cell 6), coal (cell 7), and down into the old mine,
        # onto planks, which a pickaxe cannot dig.
        keys.tap("4")               # cell 3 is in hand already; it holds the pickaxe now
        view.look(DOWN)
        dig_until_cell_changes(window, 7, 60, "coal from the seam")
        wait_still(window, VIEW, 20, "the fall into the mine")
        # Torches: a stick and the coal make 5 (cell 4).
        press("r", PANEL)
        press("Return", HOTBAR)     # *torch*, silica
        press("r", PANEL)
        view.look(0.0)
        around = (300, 200, 500, 400)
        # The tunnel as it stands once nothing moves in front of the end wall:
        # one capture taken at once may still hold a frame of the turn or the
        # closing panel, brighter than the dark the torch is judged against.
        dark = wait_still(window, around, 20, "the dark tunnel before the torch")
        press("5", HOTBAR)
        # A torch on the tunnel's end wall.
        lit = keys.press_until(window, "button3", lambda shot: brightness(shot, around)
                               > 1.5 * brightness(dark, around), "the torch's light")
        guide.picture("3-torch", lit)
        log(f"down in the mine, a torch lit: brightness {brightness(dark, around):.1f}, "
            f"then {brightness(lit, around):.1f}")

        # Glass from the sand at the furnace: 2 silica (cell 5), 3 glass
        # (cell 7) from one of them. Two make a wall across the tunnel.
        press("r", PANEL)
        press("Return", HOTBAR)     # silica
        press("Return", HOTBAR)     # glass
        press("r", PANEL)
        press("8", HOTBAR)
        view.look_at(2.9, -1.5)     # the top of the floor three cells ahead (z 512)
        press("button3", VIEW)
        view.look_at(2.9, -0.5)     # the top of that glass
        press("button3", VIEW)
        view.look(0.0)
        # The lit tunnel shows through the wall, some of the light taken by
        # the glass's own colour: each pixel follows the one without the
        # wall, scaled down.
        wall = (260, 160, 540, 455)

        def through(shot):
            slope, correlation = seen_through(lit, shot, wall)
            return 0.4 < slope < 0.9 and correlation > 0.6
        walled = wait_for_screen(window, through, 10, "the tunnel through the glass wall")
        guide.picture("4-glass", walled)
        log("a glass wall built: slope {:.2f}, correlation {:.2f}".format(
            *seen_through(lit, walled, wall)))

        # The chest, on the floor just ahead; items into it. The item
        # screens stand still around what a key changes.
        press("2", HOTBAR)
        view.look_at(0.9, -1.5)     # the top of the floor in front (z 510)
        press("button3", VIEW)      # placed
        # Opened: the cursor on cell 1. A right click on the chest there does
        # nothing more.
        keys.press_until(window, "button3", panel_background_shown, "the chest screen",
                         timeout=4 * keys.SLOWDOWN, tries=3)
        press("Right", None)        # cell 2: dirt
        press("Return", None)
        for _ in range(4):
            press("Up", None)       # up into the chest, its cell 2
        press("Return", None)
        for _ in range(4):
            press("Down", None)
        for _ in range(4):
            press("Right", None)    # cell 6: cobblestone
        press("Return", None)
        for _ in range(4):
            press("Up", None)
        guide.picture("5-chest", press("Return", None))  # into the chest's cell 6
        keys.press_until(window, "Escape", status_strip_shown, "play after the chest")
        log("dirt and cobblestone in a chest")

        # Through the planks with the axe, down the old shaft, out of the world.
        press("1", HOTBAR)
        view.look(DOWN)
        guide.picture("6-fallen", keys.hold_until(window, "button1", dead_screen,
                                                  "the death screen", 30))
        # Back at the start of the world, looking along +z.
        keys.press_until(window, "Return",
                         lambda shot: status_strip_shown(shot) and not dead_screen(shot),
                         "the respawn")
        view.level()
        log("fallen out of the world, and back")

        world = save_from_pause_menu(game, window)
        quit_from_pause_menu(game, window)
        saved = game.file("Saved.data")
        os.link(world, saved)
        log("saved and quit")

        # Start again, load, and save what was loaded: the same world.
        with Game(programs.game, folder=game.folder) as again:
            window = find_window(again)
            play_slot_1(window)
            save_from_pause_menu(again, window)
            quit_from_pause_menu(again, window)
        check(same_but_time_of_day(saved, world),
              "the world saved after loading differs from the one saved before")
        log("loaded again and saved the same")

        # Everything as it was left.
        expected = ("inventory:\n"
                    "  cell  0: 62 Wooden axe x1\n"
                    "  cell  1: 10 Wooden planks x1\n"
                    "  cell  3: 55 Wooden pickaxe x1\n"
                    "  cell  4: 24 Torch x4\n"
                    "  cell  5: 72 Silica x1\n"
                    "  cell  7: 73 Glass x1\n"
                    "chest 0:\n"
                    "  cell  2: 2 Dirt x3\n"
                    "  cell  6: 1 Cobblestone x3\n")
        found = inventory_and_chests(tool, world)
        check(found == expected, f"the saved world holds\n{found}\nnot\n{expected}")
        before, after = block_counts(tool, prepared), block_counts(tool, world)
        for turned in (68, 69, 70):
            after[67] = after.get(67, 0) + after.pop(turned, 0)
        changes = {t: after.get(t, 0) - before.get(t, 0) for t in set(before) | set(after)}
        changes = {t: n for t, n in changes.items() if n}
        expected_changes = {0: 10, 2: -3, 5: -2, 6: -5, 7: -3, 10: -1, 21: -1,  # dug
                            24: 1, 27: 1, 67: 1, 73: 2}                          # placed
        check(changes == expected_changes,
              f"block counts changed by {changes}, not {expected_changes}")
        placed = {(500, 101, 510): (27, 0),   # the table, where the trunk stood
                  (500, 88, 514): (24, 1),    # the torch, fixed to the wall at z + 1
                  (500, 87, 512): (73, 0),
                  (500, 88, 512): (73, 0),
                  (500, 87, 510): (67, 0),    # the chest: chest 0, facing -z
                  (500, 86, 509): (0, 0)}     # the planks, gone
        for (x, y, z), content in placed.items():
            check(world_cell(world, x, y, z) == content,
                  f"cell ({x}, {y}, {z}) holds {world_cell(world, x, y, z)}, not {content}")
        first, last = world_info(tool, saved)["DayTime"], world_info(tool, world)["DayTime"]
        check(122 <= first <= last < 240,
              f"DayTime {first} when saved after the night, {last} when saved again")
        r = run(tool, "check", world, timeout=300)
        check(r.returncode == 0 and "no findings" in r.stdout,
              f"velmora-world check: {r.returncode} {r.stdout} {r.stderr}")
    log("everything as it was left")


SCENARIOS = {"first_hour": first_hour}
