"""The real window on a desktop of 1920 x 1080 with a window manager
(openbox; fullscreen is a request to one): F11 there and back, and a resize.

F11 must give a window of the whole screen whose 3D view reaches the corners,
the menus one piece enlarged 1.75 times in the middle on their picture, and
the heads-up display at the screen's edges (the status strip along the whole
top edge, the hotbar near the bottom); F11 again must give back the 800 x 600
window and its very pixels; a resize must redraw at the new size. The choice is kept in Options.txt. With
VELMORA_E2E_PICTURES set to a folder, the run also leaves there the pictures
of the README (screenshot-menu-1920.png, screenshot-play-1920.png)."""
import os

from e2e.harness import keys
from e2e.harness.failure import check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.pictures import near, white
from e2e.harness.png import write_true_colour_png
from e2e.harness.screens import status_strip_shown
from e2e.harness.waits import wait_for
from e2e.harness.watch import wait_for_screen
from e2e.harness.xsession import capture, close_window, find_window, focus, run, window_geometry

SCREEN = (1920, 1080)
PICTURE = (800, 600)
ARROW = (368, 280)     # the menus' arrow beside the first row
FPS_BOX = (700, 540, 800, 575)  # the frame counter, which changes by itself
HOTBAR = (180, 470, 640, 530)


def at_1080(x, y):
    """A point of the 800 x 600 layout on the whole screen: enlarged by the
    largest quarter step that fits (1.75) and centred."""
    return 260 + (x * 7 + 2) // 4, 15 + (y * 7 + 2) // 4


def strip_along_top(picture):
    """The status strip's parchment at the right end of the top edge, where
    no icon stands, whatever the window's width."""
    strip = picture.region(picture.width - 200, 18, picture.width, 30)
    return sum(1 for c in strip if near(c, (220, 208, 184), 30)) >= len(strip) * 3 // 4


def wait_picture(window, test, timeout, what):
    """The first capture that passes `test`, the window's place asked anew
    each time: F11 and a resize move it."""
    return wait_for_screen(window, test, timeout, what, moving=True)


def wait_size(window, size, timeout=20):
    wait_for(lambda: window_geometry(window)[2:] == size, timeout,
             f"a window of {size[0]} x {size[1]}")


def arrow_at(picture, x, y):
    return sum(1 for c in picture.region(x, y, x + 16, y + 16) if white(c)) >= 20


def white_pixels(picture, x0, y0, x1, y1):
    """Pure white within the box, relative to its corner: the heads-up
    display's frames and text (the world lit at its brightest never reaches it)."""
    return frozenset((x - x0, y - y0) for y in range(y0, y1) for x in range(x0, x1)
                     if picture.pixel(x, y) == (255, 255, 255))


def corners_drawn(picture):
    """No black band: every corner shows something the frame drew."""
    w, h = picture.width, picture.height
    return all(picture.pixel(x, y) != (0, 0, 0) for x, y in
               ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)))


def same_outside_fps(a, b):
    if (a.width, a.height) != (b.width, b.height):
        return False
    x0, y0, x1, y1 = FPS_BOX
    for y in range(a.height):
        if y0 <= y < y1:
            if a.raw((0, y, x0, y + 1)) != b.raw((0, y, x0, y + 1)):
                return False
        elif a.raw((0, y, a.width, y + 1)) != b.raw((0, y, b.width, y + 1)):
            return False
    return True


def options_say(game, line):
    try:
        with open(game.file("Options.txt")) as f:
            return line in f.read().splitlines()
    except OSError:
        return False


def window_on_a_desktop(programs):
    pictures = os.environ.get("VELMORA_E2E_PICTURES")
    if pictures:
        os.makedirs(pictures, exist_ok=True)
    setup = lambda folder: run(programs.scene, "seed", "1234567890", folder, timeout=120)
    with Game(programs.game, setup=setup, extra_env={"LANGUAGE": "en"}) as game:
        check(os.path.exists(game.file("Mondo1.data")), "the scene tool made no world")
        window = find_window(game)
        wait_size(window, PICTURE)
        focus(window)
        menu = wait_picture(window, lambda p: arrow_at(p, *ARROW), 20, "the main menu")
        # The frame counter is the one part that changes by itself: wait for it to settle.
        menu = wait_picture(window, lambda p: same_outside_fps(p, menu), 10, "a still main menu")

        keys.tap("F11")
        wait_size(window, SCREEN)
        wait_picture(window, lambda p: p.width == SCREEN[0] and corners_drawn(p)
                     and arrow_at(p, *at_1080(*ARROW)), 20,
                     "the main menu at 1.75x in the middle of the whole screen, its picture's "
                     "earth reaching the corners")
        wait_for(lambda: options_say(game, "fullscreen = on"), 10,
                 "fullscreen = on in Options.txt")

        if pictures:
            shot = capture(window, moving=True)
            write_true_colour_png(os.path.join(pictures, "screenshot-menu-1920.png"), shot)

        keys.tap("F11")
        wait_size(window, PICTURE)
        wait_picture(window, lambda p: same_outside_fps(p, menu), 20,
                     "the 800 x 600 main menu as it was before F11, pixel for pixel")
        wait_for(lambda: options_say(game, "fullscreen = off"), 10,
                 "fullscreen = off in Options.txt")

        capture(window, moving=True)  # its place after F11 there and back
        keys.press(window, "Return")  # play: the world selection
        play = keys.press_until(window, "Return", status_strip_shown, "the playing screen",
                                timeout=90)  # slot 1, the world of the seed
        marks = white_pixels(play, *HOTBAR)
        check(len(marks) > 50, f"only {len(marks)} white pixels of the hotbar at 800 x 600")

        keys.tap("F11")
        wait_size(window, SCREEN)
        # The hotbar keeps its distance from the bottom edge, enlarged 1.75 times.
        (left, _), (right, _) = at_1080(HOTBAR[0], 0), at_1080(HOTBAR[2], 0)
        hotbar = (left, SCREEN[1] - (600 - HOTBAR[1]) * 7 // 4,
                  right, SCREEN[1] - (600 - HOTBAR[3]) * 7 // 4)

        def full_play(p):
            if p.width != SCREEN[0] or not corners_drawn(p):
                return False
            return strip_along_top(p) and len(white_pixels(p, *hotbar)) >= 2 * len(marks)

        shot = wait_picture(window, full_play, 30,
                            "play over the whole screen, the 3D view in its corners, the status "
                            "strip along the top edge and the hotbar 1.75x near the bottom")
        if pictures:
            write_true_colour_png(os.path.join(pictures, "screenshot-play-1920.png"), shot)

        keys.tap("F11")
        wait_size(window, PICTURE)
        run("xdotool", "windowsize", str(window), "1024", "768")
        wait_size(window, (1024, 768))
        wait_picture(window, lambda p: p.width == 1024 and corners_drawn(p)
                     and strip_along_top(p), 20, "play redrawn at 1024 x 768")

        close_window(window)
        expect_clean_exit(game)
        check(options_say(game, "fullscreen = off"), "Options.txt does not keep the window")


window_on_a_desktop.x_server = {"screen": SCREEN, "manager": "openbox"}

SCENARIOS = {"window_on_a_desktop": window_on_a_desktop}
