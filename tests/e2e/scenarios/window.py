"""The window itself: it opens or fails with its message, draws, and closes."""
import os

from e2e.harness import keys
from e2e.harness.failure import Failure, check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.pictures import bmp_complete, dark, near, read_bmp, white
from e2e.harness.screens import main_menu_shown, wait_main_menu
from e2e.harness.waits import wait_for
from e2e.harness.watch import wait_for_screen
from e2e.harness.xsession import (SCREEN, TITLE, capture, close_window, find_window,
                                  window_geometry, window_name)


def window_opens(programs):
    with Game(programs.game) as game:
        window = find_window(game)
        check(window_name(window) == TITLE, f"title is {window_name(window)!r}")
        wait_for_screen(window, main_menu_shown, 20, "the main menu")
        x, y, w, h = window_geometry(window)
        check((w, h) == (800, 600), f"window is {w} x {h}, not 800 x 600")
        expected = (SCREEN[0] // 2 - 400, SCREEN[1] // 2 - 300)
        check((x, y) == expected, f"window at {(x, y)}, not centred at {expected}")
        check(game.poll() is None, "the game ended on its own")
        picture = capture(window)
        check(picture.width == 800 and picture.height == 600, "capture size")
        close_window(window)
        expect_clean_exit(game)


def close_button_quits(programs):
    with Game(programs.game) as game:
        window = find_window(game)
        wait_for_screen(window, main_menu_shown, 20, "the main menu")
        close_window(window)
        expect_clean_exit(game)


def quit_confirmation(programs):
    with Game(programs.game) as game:
        window = find_window(game)
        wait_main_menu(window)
        # Esc opens the quit confirmation on "No": Enter there goes back.
        keys.press(window, "Escape")
        keys.press_until(window, "Return", main_menu_shown, "the main menu after No")
        check(game.poll() is None, "Enter on No ended the game")
        # Esc, Up to "Yes", Enter: the game ends normally and keeps its settings.
        keys.press(window, "Escape")
        keys.press(window, "Up")
        keys.tap("Return")
        expect_clean_exit(game)


def scene_problems(picture):
    """What the probe's test scene must show; a list of what it does not."""
    sky = (0x4B, 0x7D, 0xF5)
    expected = [
        ("clear colour", (20, 580), lambda c: near(c, sky, 2)),
        ("near green wall in front of the far red one", (300, 300),
         lambda c: near(c, (0, 255, 0), 2)),
        ("far red wall where nothing covers it", (180, 300), lambda c: near(c, (255, 0, 0), 2)),
        ("minimum blend over the sky", (560, 200), lambda c: near(c, (0x4B, 0x7D, 0x80), 2)),
        ("fogged wall takes the fog colour", (620, 450), lambda c: near(c, (255, 0, 255), 3)),
        ("half-transparent sprite over the sky", (40, 80),
         lambda c: near(c, (165, 190, 250), 3)),
        ("arrow sprite", (368 + 5, 280 + 8), white),
    ]
    problems = [f"{name}: pixel {xy} is {picture.pixel(*xy)}"
                for name, xy, test in expected if not test(picture.pixel(*xy))]
    if sum(1 for c in picture.region(400, 280, 460, 300) if dark(c)) < 20:
        problems.append("no black text at (400, 280)")
    return problems


def device_draws(programs):
    """The drawing device, through the probe's fixed test scene: the screenshot
    it writes and the window as the screen shows it must both be right."""
    with Game(programs.probe, args=["--scene", "scene.bmp"]) as game:
        window = find_window(game, title="Velmora device probe")
        wait_for(lambda: bmp_complete(game.file("scene.bmp")), 20, "the whole of scene.bmp")
        shot = read_bmp(game.file("scene.bmp"))
        check((shot.width, shot.height) == (800, 600), "screenshot size")
        problems = ["screenshot: " + p for p in scene_problems(shot)]
        # The window shows the scene once the probe has presented it, which
        # need not come before the file is whole.
        seen = []

        def window_right():
            seen[:] = scene_problems(capture(window))
            return not seen
        try:
            wait_for(window_right, 10, "the window to show the probe's scene")
        except Failure:
            problems += ["window: " + p for p in seen]
        close_window(window)
        status = game.wait()
        check(status == 0, f"probe status {status}: {game.errors()}")
        check(not problems, "; ".join(problems))


def expect_setup_failure(game, text):
    status = game.wait()
    check(status == 255, f"exit status {status}, not -1 (255)")
    check(f"ERRORE: {text}" in game.errors(), f"no message {text!r}, stderr: {game.errors()}")
    check(not os.path.exists(game.file("Settings.data")),
          "settings written although the game never started")


def no_display_fails(programs):
    """Without any display the game stops at once with its message."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    with Game(programs.game, base_env=env) as game:
        expect_setup_failure(game, "Creazione della finestra fallita.")


def no_gl33_fails(programs):
    """A GL older than 3.3 core is the missing device of the message."""
    with Game(programs.game, extra_env={"MESA_GL_VERSION_OVERRIDE": "3.0"}) as game:
        expect_setup_failure(game, "Impossibile creare un Device Direct3D.")


SCENARIOS = {
    "no_display_fails": no_display_fails,
    "no_gl33_fails": no_gl33_fails,
    "window_opens": window_opens,
    "close_button_quits": close_button_quits,
    "quit_confirmation": quit_confirmation,
    "device_draws": device_draws,
}
