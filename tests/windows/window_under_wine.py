#!/usr/bin/env python3
"""The Windows game under Wine, beside the Linux game, on a virtual X server
of their own (software GL on both sides).

Each opens its window and shows the main menu, makes a new world in slot 1,
draws it, saves it from the pause menu and quits. Then each loads the same
world file (made by velmora-world), and the pictures of the main menu and of
that world must match pixel for pixel, but for the frame counter. With
--pictures DIR both pictures of each pair are kept as PPM files.

    window_under_wine.py --linux build/velmora --windows build-windows/velmora.exe
                         --tool build/velmora-world [--pictures DIR]

Exit status: 0 passed, 1 failed.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, ".."))
from e2e.harness import keys  # noqa: E402
from e2e.harness.failure import Failure, check  # noqa: E402
from e2e.harness.game import Game  # noqa: E402
from e2e.harness.screens import menu_shown, play_slot_1, save_from_pause_menu  # noqa: E402
from e2e.harness.waits import spend  # noqa: E402
from e2e.harness.watch import wait_for_screen, wait_still  # noqa: E402
from e2e.harness.xsession import (close_window, find_window, focus,  # noqa: E402
                                  play_in_x_server, run)

WINE_RUN = os.path.join(HERE, "..", "..", "scripts", "wine-run")
# The frame counter in the corner counts each side's own speed; every other
# pixel must match.
FPS_BOX = (740, 545, 800, 566)
# A player standing on the ground starts a fall each frame and lands again
# the next, unless the frame is shorter than about 7 ms: then it sinks by up
# to a thousandth of a block first, as each frame's length decides, which
# flips texel edges all over the picture. Frames held to 50 a second keep
# both games' standing players at the same height.
PACED = {"VELMORA_NO_VSYNC": "0"}


def paced(folder):
    with open(os.path.join(folder, "Options.txt"), "w", encoding="utf-8") as f:
        f.write("frame_cap = 50\n")


class WineGame(Game):
    """The game of the Windows build in a folder of its own, run through Wine."""

    def __init__(self, exe, folder=None, setup=None):
        self.owns_folder = folder is None
        self.folder = folder or tempfile.mkdtemp(prefix="velmora-wine-")
        if setup:
            setup(self.folder)
        self.binary = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy2(exe, self.binary)
        env = dict(os.environ, VELMORA_NO_DIALOGS="1", **PACED)
        self.stderr = open(os.path.join(self.folder, "stderr.txt"), "w+")
        self.process = subprocess.Popen([WINE_RUN, self.binary], cwd=self.folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr)


def make_and_save(game):
    """Main menu, Play, slot 1 (empty: a world is made), the world drawn, the
    pause menu's Save, quit. The main menu's picture."""
    window = find_window(game, timeout=60)
    focus(window)
    menu = wait_for_screen(window, lambda shot: menu_shown(shot, 280), 60, "the main menu")
    play_slot_1(window)
    world = save_from_pause_menu(game, window)
    check(os.path.getsize(world) == 400_000_084, "the saved world is not 400000084 bytes")
    close_window(window)
    game.wait(timeout=60)
    return menu


def load_and_look(game, like=None):
    """The picture of slot 1's world two seconds into play, once it stands
    still. With `like` (the other game's picture), the first capture that
    shows the same: the light of the day steps every 3.75 s of play, and two
    games that load the same world pass through the same pictures, though
    not at the same instant."""
    window = find_window(game, timeout=60)
    play_slot_1(window)
    spend(2.0, "play past the drop onto the ground")
    if like is None:
        # Above the frame counter, which changes by itself.
        picture = wait_still(window, (0, 0, 800, FPS_BOX[1]), 60 * keys.SLOWDOWN,
                             "the loaded world to stand still")
    else:
        seen = []

        def same(shot):
            seen[:] = [shot]
            return same_picture(shot, like)
        try:
            picture = wait_for_screen(window, same, 20 * keys.SLOWDOWN,
                                      "the other game's picture of the world")
        except Failure:
            picture = seen[0]  # compared below, which says how it differs
    close_window(window)
    game.wait(timeout=60)
    return picture


def same_picture(a, b):
    """Every pixel but the frame counter's the same."""
    if (a.width, a.height) != (b.width, b.height):
        return False
    x0, y0, x1, y1 = FPS_BOX
    for y in range(a.height):
        boxes = ((0, y, x0, y + 1), (x1, y, a.width, y + 1)) if y0 <= y < y1 else \
            ((0, y, a.width, y + 1),)
        if any(a.raw(box) != b.raw(box) for box in boxes):
            return False
    return True


def differing(a, b):
    """The pixels (x, y) that differ, outside the frame counter."""
    check((a.width, a.height) == (b.width, b.height),
          f"pictures of {a.width} x {a.height} and {b.width} x {b.height}")
    x0, y0, x1, y1 = FPS_BOX
    return [(x, y) for y in range(a.height) for x in range(a.width)
            if not (x0 <= x < x1 and y0 <= y < y1) and a.pixel(x, y) != b.pixel(x, y)]


def keep(picture, path):
    with open(path, "wb") as f:
        f.write(f"P6 {picture.width} {picture.height} 255\n".encode())
        for colour in picture.region(0, 0, picture.width, picture.height):
            f.write(bytes(colour))


def compare(name, linux, windows, pictures):
    if pictures:
        keep(linux, os.path.join(pictures, f"{name}-linux.ppm"))
        keep(windows, os.path.join(pictures, f"{name}-windows.ppm"))
    pixels = differing(linux, windows)
    print(f"{name}: {len(pixels)} pixels differ between Linux and Windows "
          "(the frame counter left out)")
    check(not pixels, f"{name}: pixels differ, the first at {pixels[:5]}")


def scenario(options):
    with WineGame(options.windows) as game:
        windows_menu = make_and_save(game)
    print("windows: menu, a new world in slot 1, saved, quit")
    with Game(options.linux) as game:
        linux_menu = make_and_save(game)
    print("linux: menu, a new world in slot 1, saved, quit")
    compare("menu", linux_menu, windows_menu, options.pictures)

    def world_of_seed(folder):
        paced(folder)
        r = run(options.tool, "generate", "--seed", "1234567890", "--slot", "1",
                "--dir", folder, timeout=300)
        check(r.returncode == 0, f"velmora-world generate: {r.stderr}")

    with WineGame(options.windows, setup=world_of_seed) as game:
        windows_world = load_and_look(game)
    with Game(options.linux, extra_env=PACED, setup=world_of_seed) as game:
        linux_world = load_and_look(game, like=windows_world)
    compare("world", linux_world, windows_world, options.pictures)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--pictures")
    options = parser.parse_args()
    for name in ("linux", "windows", "tool"):
        setattr(options, name, os.path.abspath(getattr(options, name)))
    return play_in_x_server(lambda: scenario(options))


if __name__ == "__main__":
    sys.exit(main())
