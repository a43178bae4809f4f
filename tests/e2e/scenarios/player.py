"""The player: walking, looking and jumping, and the time of day in a saved world."""
import time

from e2e.harness import keys
from e2e.harness.failure import Failure, check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.screens import (ANGLES, POSITION_X, POSITION_Y_WHOLE, POSITION_Z,
                                 pause_menu_shown, play_slot_1, text_pixels)
from e2e.harness.waits import file_replaced, spend, wait_for
from e2e.harness.watch import wait_for_screen, wait_still
from e2e.harness.world_files import world_info, world_tool
from e2e.harness.xsession import close_window, find_window

# The whole line "Position: x, y, z".
POSITION = (200, 550, 520, 564)


def position(shot):
    """What the position line says, whatever the world behind it shows, with
    the height to a tenth: a player standing on the ground settles a few
    millionths of a block differently from frame to frame, as the frame's
    length decides."""
    return tuple(text_pixels(shot, box) for box in (POSITION_X, POSITION_Y_WHOLE, POSITION_Z))


def player_walks_looks_and_jumps(programs):
    """W, the mouse and Space move the player and the view, as the debug
    lines (F3) show."""
    with Game(programs.game) as game:
        window = find_window(game)
        play_slot_1(window)

        def debug_lines_shown(shot):
            return len(text_pixels(shot, POSITION_Z)) >= 20
        # F3 repeats every 150 ms while held: a press that a loaded machine
        # stretches past that toggles twice, so it is pressed until it shows.
        for attempt in range(4):
            try:
                keys.press_until(window, "F3", debug_lines_shown, "the debug lines",
                                 timeout=2 * keys.SLOWDOWN)
                break
            except Failure:
                if attempt == 3:
                    raise
        # The drop onto the centre column is over when the position holds.
        still = wait_still(window, POSITION, 20 * keys.SLOWDOWN, "the player to come to rest",
                           reading=position)

        keys.hold("w", 0.8)
        walked = wait_still(window, POSITION, 10, "the player to stop after W",
                            reading=position)
        check(text_pixels(walked, POSITION_Z) != text_pixels(still, POSITION_Z),
              "W did not move the player forward (z)")
        check(text_pixels(walked, POSITION_X) == text_pixels(still, POSITION_X),
              "W moved a player facing +z sideways (x)")

        keys.move_mouse(150, 60)
        turned = wait_for_screen(
            window, lambda shot: text_pixels(shot, ANGLES) != text_pixels(walked, ANGLES), 5,
            "moving the mouse to turn the camera (the angles of the debug lines)")
        check(text_pixels(turned, POSITION_Z) == text_pixels(walked, POSITION_Z),
              "turning moved the player")

        # Held Space jumps again at every landing: the eye rises a tenth of
        # a block or more above the ground.
        ground = text_pixels(turned, POSITION_Y_WHOLE)
        keys.hold_until(window, "space",
                        lambda shot: text_pixels(shot, POSITION_Y_WHOLE) != ground,
                        "Space to lift the player", 5)
        landed = wait_still(window, POSITION, 10, "the player to land after the jump",
                            reading=position)
        check(text_pixels(landed, POSITION_Y_WHOLE) == ground,
              "the jump did not come back down to the ground")
        for box, axis in ((POSITION_X, "x"), (POSITION_Z, "z")):
            check(text_pixels(landed, box) == text_pixels(turned, box),
                  f"a jump in place moved the player along {axis}")
        close_window(window)
        expect_clean_exit(game)


def day_time_advances(programs):
    """Seconds of play move the saved world's DayTime on by one step per
    3.75 s (240 SubDayTime steps each), whatever the frame rate; time in the
    pause menu does not count."""
    with Game(programs.game) as game:
        window = find_window(game)
        started_before = play_slot_1(window)
        started_after = time.time()
        spend(11.0, "play, over which the day moves on")
        keys.ready()
        left_before = time.time()
        keys.hold("Escape", 0.12)  # the pause menu
        left_after = time.time()
        wait_for_screen(window, pause_menu_shown, 10, "the pause menu")
        spend(4.0, "time in the pause menu, which must not count")
        keys.press(window, "Down")
        keys.tap("Return")  # Save
        world = game.file("Mondo1.data")
        wait_for(file_replaced(world, None), 30 * keys.SLOWDOWN, "the save of " + world)
        values = world_info(world_tool(programs.game), world)
        check(set(values) == {"DayTime", "SubDayTime"}, f"world info gave {values}")
        # A new world starts at DayTime 180, SubDayTime 0; 64 steps a second.
        steps = ((values["DayTime"] - 180) % 240) * 240 + values["SubDayTime"]
        least = (left_before - started_after) * 64
        most = (left_after - started_before) * 64
        check(least - 4 <= steps <= most + 4,
              f"DayTime {values['DayTime']}, SubDayTime {values['SubDayTime']}: {steps} steps "
              f"of 15.625 ms, not within {least:.0f} to {most:.0f} for the time played")
        close_window(window)
        expect_clean_exit(game)


SCENARIOS = {
    "player_walks_looks_and_jumps": player_walks_looks_and_jumps,
    "day_time_advances": day_time_advances,
}
