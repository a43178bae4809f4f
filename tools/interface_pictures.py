#!/usr/bin/env python3
"""The README's pictures of the interface on today's screens: the main menu,
both options screens, play and the inventory, in a window of 1920 x 1080 and
fullscreen at 2560 x 1440, played in a private X server with the end-to-end
harness. From the top folder, after building:

    python3 tools/interface_pictures.py docs
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))

from e2e.harness import keys  # noqa: E402
from e2e.harness.game import Game, expect_clean_exit  # noqa: E402
from e2e.harness.pictures import near, white  # noqa: E402
from e2e.harness.png import write_true_colour_png  # noqa: E402
from e2e.harness.watch import wait_for_screen  # noqa: E402
from e2e.harness.waits import wait_for  # noqa: E402
from e2e.harness.xsession import (close_window, find_window, focus, play_in_x_server,  # noqa: E402
                                  run, window_geometry)

SCREEN = (2560, 1440)


def layout(size):
    """Where a point of the 800 x 600 layout stands, centred, at the largest
    quarter step that fits `size`."""
    w, h = size
    q = min(4 * w // 800, 4 * h // 600)
    ox, oy = (4 * w - 800 * q) // 8, (4 * h - 600 * q) // 8
    return lambda x, y: (ox + (x * q + 2) // 4, oy + (y * q + 2) // 4)


def arrow_at(picture, point):
    x, y = point
    return sum(1 for c in picture.region(x, y, x + 16, y + 16) if white(c)) >= 20


def strip_along_top(picture):
    strip = picture.region(picture.width - 200, 18, picture.width, 30)
    return sum(1 for c in strip if near(c, (220, 208, 184), 30)) >= len(strip) * 3 // 4


def grass_edge(picture, at):
    """The green edge atop the background picture, where the layout puts it."""
    (x0, y0), (x1, y1) = at(300, 4), at(500, 14)
    edge = picture.region(x0, y0, x1, y1)
    return sum(1 for c in edge if near(c, (55, 112, 38), 30)) >= len(edge) * 3 // 4


def interface_pictures(game_binary, scene_tool, folder):
    os.makedirs(folder, exist_ok=True)
    setup = lambda f: run(scene_tool, "seed", "1234567890", f, timeout=120)
    env = {"LANGUAGE": "en", "VELMORA_WINDOW_SIZE": "1920x1080"}
    with Game(game_binary, setup=setup, extra_env=env) as game:
        window = find_window(game)
        wait_for(lambda: window_geometry(window)[2:] == (1920, 1080), 20, "a 1920 x 1080 window")
        focus(window)

        def shot(size, test, what, name):
            picture = wait_for_screen(window, lambda p: p.width == size[0] and test(p), 30,
                                      what, moving=True)
            write_true_colour_png(os.path.join(folder, f"{name}-{size[0]}.png"), picture)

        def menus(size):
            at = layout(size)
            shot(size, lambda p: arrow_at(p, at(368, 280)), "the main menu", "screenshot-menu")
            keys.press(window, "Down")
            keys.press(window, "Return")
            shot(size, lambda p: arrow_at(p, at(368, 320)), "the options on Cancel",
                 "screenshot-options")
            keys.press(window, "Down")
            keys.press(window, "Return")
            shot(size, lambda p: arrow_at(p, at(368, 200)), "the second options screen",
                 "screenshot-more-options")
            keys.press(window, "Escape")
            keys.press(window, "Escape")
            keys.press(window, "Up")

        def play_and_inventory(size):
            at = layout(size)
            shot(size, strip_along_top, "play", "screenshot-play")
            keys.press(window, "i")
            shot(size, lambda p: grass_edge(p, at), "the inventory", "screenshot-inventory")
            keys.press(window, "Escape")

        menus((1920, 1080))
        keys.press(window, "Return")  # Play: the world selection
        keys.press_until(window, "Return", strip_along_top, "the playing screen", timeout=90)
        play_and_inventory((1920, 1080))
        keys.tap("F11")
        wait_for(lambda: window_geometry(window)[2:] == SCREEN, 20, "the whole screen")
        play_and_inventory(SCREEN)
        keys.press(window, "Escape")  # the pause menu, then Quit without saving
        keys.press(window, "Down")
        keys.press(window, "Down")
        keys.press(window, "Return")
        menus(SCREEN)
        close_window(window)
        expect_clean_exit(game)


def main():
    if len(sys.argv) != 2:
        print("usage: interface_pictures.py FOLDER")
        return 2
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    game = os.path.join(top, "build", "velmora")
    scene = os.path.join(top, "build", "tests", "velmora_scene_world")
    folder = os.path.abspath(sys.argv[1])
    return play_in_x_server(lambda: interface_pictures(game, scene, folder), screen=SCREEN,
                            manager="openbox")


if __name__ == "__main__":
    sys.exit(main())
