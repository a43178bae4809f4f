"""The menus: the arrow, the language, a world saved and loaded from a slot,
a damaged slot emptied from the world selection, and a slot the game holds
while velmora-world waits its turn."""
import os

from e2e.harness import keys
from e2e.harness.failure import check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.pictures import count, dark, white
from e2e.harness.screens import (arrow_row, main_menu_shown, pause_menu_shown, play_slot_1,
                                 save_from_pause_menu, status_strip_shown,
                                 wait_main_menu)
from e2e.harness.waits import file_replaced, stat_or_none, wait_for
from e2e.harness.watch import wait_for_screen
from e2e.harness.world_files import WORLD_BYTES, world_tool
from e2e.harness.xsession import close_window, find_window, run


def menus_main_arrow(programs):
    with Game(programs.game) as game:
        window = find_window(game)
        # The arrow (texture 44, white on black) beside "Gioca"/"Play" and the
        # black text right of it.
        picture = wait_for_screen(window, main_menu_shown, 20,
                                  "a white arrow at (368, 280) and black text at (400, 280)")
        # Row 300 ("Opzioni"/"Options") has no arrow: its arrow cell differs
        # from the selected one (the background alone may be light there).
        arrow = picture.region(368, 280, 384, 296)
        other = picture.region(368, 300, 384, 316)
        check(sum(1 for c in arrow if white(c)) >= 20, "no white arrow at (368, 280)")
        check(sum(1 for a, b in zip(arrow, other) if a != b) >= 20,
              "the arrow cell of row 300 looks like the selected one")
        close_window(window)
        expect_clean_exit(game)


def menus_language_switch(programs):
    with Game(programs.game) as game:
        window = find_window(game)
        wait_main_menu(window)
        keys.press(window, "Down")              # Options
        keys.press(window, "Return")            # the options screen, on Cancel
        before = keys.press(window, "Up")       # Language
        after = keys.press(window, "Return")    # switch language
        line = (400, 300, 600, 320)
        check(count(before, line, dark) >= 20, "no language line at (400, 300)")
        changed = sum(1 for a, b in zip(before.region(*line), after.region(*line)) if a != b)
        check(changed >= 20, "the language line did not change after Enter")
        close_window(window)
        expect_clean_exit(game)


def play_save_and_reload(programs):
    """A new world in slot 1, saved from the pause menu, shows as taken and loads again."""
    with Game(programs.game) as game:
        window = find_window(game)
        wait_main_menu(window)
        keys.press(window, "Return")    # Gioca
        # Mondo1: empty, so a world is made. The status strip stands along the
        # top of the playing screen, whatever the new world (made from the
        # clock's seed) shows.
        keys.press_until(window, "Return", status_strip_shown, "the playing screen",
                         timeout=30 * keys.SLOWDOWN)
        world = save_from_pause_menu(game, window)
        check(os.path.getsize(world) == WORLD_BYTES, f"world file of {os.path.getsize(world)} bytes")
        seed = open(game.file("SemeM1.data"), "rb").read()
        check(len(seed) == 10 and seed.isdigit(), f"seed file {seed!r}")
        keys.press(window, "Down")
        keys.press_until(window, "Return", main_menu_shown,
                         "the main menu after Esci senza salvare")
        # Gioca: the slot now reads 400MB.
        keys.press_until(window, "Return", lambda shot: count(shot, (550, 260, 600, 276), dark) >= 20,
                         "the slot status beside Mondo1")
        keys.press_until(window, "Return", status_strip_shown, "the loaded world",
                         timeout=30 * keys.SLOWDOWN)
        close_window(window)
        expect_clean_exit(game)


def damaged_slot_moved_aside(programs):
    """A damaged Mondo1.data refuses to load with a notice; Delete, Yes moves the
    slot's files aside as .bak1 and the question goes away."""
    with Game(programs.game) as game:
        with open(game.file("Mondo1.data"), "wb") as f:
            f.write(b"not a world")
        with open(game.file("SemeM1.data"), "wb") as f:
            f.write(b"1234567890")
        window = find_window(game)
        wait_main_menu(window)
        keys.press(window, "Return")    # Gioca
        # Mondo1: damaged, so it stays in the world selection.
        keys.press_until(window, "Return", lambda shot: count(
            shot, (300, 400, 500, 416), lambda c: c[0] > 100 and c[1] < 60 and c[2] < 60) >= 20,
            "a dark red notice at (300, 400)")
        check(os.path.exists(game.file("Mondo1.data")), "the damaged world went away on Enter")
        question = (400, 180, 560, 196)
        keys.press_until(window, "Delete", lambda shot: count(shot, question, dark) >= 20,
                         "the question Cancellare Mondo1? at (400, 180)")
        keys.press(window, "Up")        # Si'
        keys.tap("Return")
        # The world is renamed first, then its seed, each rename flushed.
        wait_for(lambda: os.path.exists(game.file("Mondo1.data.bak1")), 10, "Mondo1.data.bak1")
        wait_for(lambda: os.path.exists(game.file("SemeM1.data.bak1")), 10, "SemeM1.data.bak1")
        check(not os.path.exists(game.file("Mondo1.data")), "Mondo1.data is still there")
        with open(game.file("Mondo1.data.bak1"), "rb") as f:
            check(f.read() == b"not a world", "the moved world file changed")
        wait_for_screen(window, lambda shot: count(shot, question, dark) < 5, 10,
                        "the question to go away")
        close_window(window)
        expect_clean_exit(game)


def slot_held_while_playing(programs):
    """While the game plays slot 1, velmora-world give on it refuses and leaves
    the file as it was; the game's own save still works; back at the main menu
    the slot is free for the tool."""
    tool = world_tool(programs.game)
    with Game(programs.game) as game:
        window = find_window(game)
        play_slot_1(window)  # Mondo1 is empty: a world is made and the slot locked
        world = save_from_pause_menu(game, window)
        before = os.stat(world)
        slot = ["--slot", "1", "--dir", game.folder]
        r = run(tool, "give", *slot, "1", "5", "12", timeout=120)
        check(r.returncode == 1 and "slot 1 is open in the game" in r.stderr,
              f"give on the slot being played: {r.returncode} {r.stdout} {r.stderr}")
        check("given" not in r.stdout, f"a refused give said it was done: {r.stdout}")
        after = os.stat(world)
        check((after.st_ino, after.st_mtime_ns, after.st_size)
              == (before.st_ino, before.st_mtime_ns, before.st_size),
              "velmora-world wrote the slot the game holds")
        # Salva again, the pause menu still on it: the game's own save works.
        saved = stat_or_none(world)
        keys.tap("Return")
        wait_for(file_replaced(world, saved), 60 * keys.SLOWDOWN, "the second save")
        wait_for_screen(window, lambda shot: pause_menu_shown(shot) and arrow_row(shot) == 310,
                        30 * keys.SLOWDOWN, "the pause menu back after the second save")
        keys.acted()
        keys.press(window, "Down")
        keys.press_until(window, "Return", main_menu_shown, "the main menu, the slot let go")

        def given():
            r = run(tool, "give", *slot, "1", "5", "12", timeout=120)
            return r.returncode == 0 and "1 cells given" in r.stdout
        wait_for(given, 60, "velmora-world give to be let write the slot")
        close_window(window)
        expect_clean_exit(game)


SCENARIOS = {
    "menus_main_arrow": menus_main_arrow,
    "menus_language_switch": menus_language_switch,
    "play_save_and_reload": play_save_and_reload,
    "damaged_slot_moved_aside": damaged_slot_moved_aside,
    "slot_held_while_playing": slot_held_while_playing,
}
