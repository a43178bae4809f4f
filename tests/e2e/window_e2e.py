#!/usr/bin/env python3
"""The real window on a desktop of 1920 x 1080: F11 there and back, and a resize.

The game runs under an X server of its own with Debian's openbox as its
window manager (fullscreen is a request to one). F11 must give a window of
the whole screen whose 3D view reaches the corners while the menus and the
heads-up display stay one piece at 1x in the middle; F11 again must give back
the 800 x 600 window and its very pixels; a resize must redraw at the new
size. The choice is kept in Options.txt.

    window_e2e.py --game build/velmora --scene-world build/velmora_scene_world
        [--pictures DIR]   (also writes DIR/screenshot-{menu,play}-1920.png)

Exit status: 0 passed, 1 failed, 77 skipped.
"""
import argparse
import os
import struct
import subprocess
import sys
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_driver as e2e  # noqa: E402

SCREEN = (1920, 1080)
PICTURE = (800, 600)
FIT_1080 = (560, 240)  # the 800 x 600 picture at 1x, centred on the screen
ARROW = (368, 280)     # the menus' arrow beside the first row
FPS_BOX = (700, 540, 800, 575)  # the frame counter, which changes by itself


def log(text):
    print(text, flush=True)


def wait_picture(window, test, timeout, what):
    """The first capture of the window that passes `test`."""
    deadline = time.time() + timeout
    last = None
    while time.time() < deadline:
        picture = e2e.capture(window)
        last = picture
        if test(picture):
            return picture
        time.sleep(0.2)
    size = f"{last.width} x {last.height}" if last else "no capture"
    raise e2e.Failure(f"timed out waiting for {what} (last capture {size})")


def wait_size(window, size, timeout=20):
    e2e.wait_for(lambda: e2e.window_geometry(window)[2:] == size, timeout,
                 f"a window of {size[0]} x {size[1]}")


def arrow_at(picture, x, y):
    return sum(1 for c in picture.region(x, y, x + 16, y + 16) if e2e.white(c)) >= 20


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
            if a.region(0, y, x0, y + 1) != b.region(0, y, x0, y + 1):
                return False
        elif a.region(0, y, a.width, y + 1) != b.region(0, y, b.width, y + 1):
            return False
    return True


def options_say(game, line):
    try:
        with open(game.file("Options.txt")) as f:
            return line in f.read().splitlines()
    except OSError:
        return False


def write_png(path, picture):
    """A true-colour PNG of the capture."""
    raw = bytearray()
    for y in range(picture.height):
        raw.append(0)
        for x in range(picture.width):
            raw.extend(picture.pixel(x, y))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    with open(path + ".tmp", "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    os.replace(path + ".tmp", path)


def window_on_a_desktop(binary, scene_world, pictures):
    setup = lambda folder: e2e.run(scene_world, "seed", "1234567890", folder, timeout=120)
    with e2e.Game(binary, setup=setup, extra_env={"LANGUAGE": "en"}) as game:
        e2e.check(os.path.exists(game.file("Mondo1.data")), "the scene tool made no world")
        window = e2e.find_window(game)
        wait_size(window, PICTURE)
        e2e.focus(window)
        menu = wait_picture(window, lambda p: arrow_at(p, *ARROW), 20, "the main menu")
        # The frame counter is the one part that changes by itself: wait for it to settle.
        menu = wait_picture(window, lambda p: same_outside_fps(p, menu), 10, "a still main menu")

        e2e.press("F11")
        wait_size(window, SCREEN)
        fx, fy = FIT_1080
        wait_picture(window, lambda p: p.width == SCREEN[0] and corners_drawn(p)
                     and arrow_at(p, fx + ARROW[0], fy + ARROW[1]), 20,
                     "the main menu at 1x in the middle of the whole screen, the background "
                     "reaching the corners")
        e2e.wait_for(lambda: options_say(game, "fullscreen = on"), 10,
                     "fullscreen = on in Options.txt")
        log("F11: the menu fills the screen, its picture 1x and centred")

        if pictures:
            e2e.press("Down")
            e2e.press("Return")  # the options
            shot = wait_picture(window, lambda p: p.width == SCREEN[0]
                                and arrow_at(p, fx + 368, fy + 320), 10, "the options menu")
            write_png(os.path.join(pictures, "screenshot-menu-1920.png"), shot)
            e2e.press("Escape")
            wait_picture(window, lambda p: arrow_at(p, fx + 368, fy + 300), 10, "the main menu")
            e2e.press("Up")

        e2e.press("F11")
        wait_size(window, PICTURE)
        wait_picture(window, lambda p: same_outside_fps(p, menu), 20,
                     "the 800 x 600 main menu as it was before F11, pixel for pixel")
        e2e.wait_for(lambda: options_say(game, "fullscreen = off"), 10,
                     "fullscreen = off in Options.txt")
        log("F11 again: the 800 x 600 menu, pixel for pixel")

        e2e.press("Return")  # play
        e2e.press("Return")  # slot 1, the world of the seed
        play = wait_picture(window, e2e.status_strip_shown, 90, "the playing screen")
        hotbar = (180, 470, 640, 530)
        marks = white_pixels(play, *hotbar)
        e2e.check(len(marks) > 50, f"only {len(marks)} white pixels of the hotbar at 800 x 600")

        e2e.press("F11")
        wait_size(window, SCREEN)

        def full_play(p):
            if p.width != SCREEN[0] or not corners_drawn(p):
                return False
            at = p.crop(fx, fy, *PICTURE)
            return e2e.status_strip_shown(at) and white_pixels(at, *hotbar) == marks

        shot = wait_picture(window, full_play, 30,
                            "play over the whole screen, the 3D view in its corners and the "
                            "hotbar 1x in the middle")
        log("F11 in play: the world reaches the corners, the hotbar 1x and centred")
        if pictures:
            write_png(os.path.join(pictures, "screenshot-play-1920.png"), shot)

        e2e.press("F11")
        wait_size(window, PICTURE)
        e2e.run("xdotool", "windowsize", str(window), "1024", "768")
        wait_size(window, (1024, 768))
        wait_picture(window, lambda p: p.width == 1024 and corners_drawn(p)
                     and e2e.status_strip_shown(p.crop(112, 84, *PICTURE)), 20,
                     "play redrawn at 1024 x 768")
        log("a resize redraws at the new size")

        e2e.close_window(window)
        e2e.expect_clean_exit(game)
        e2e.check(options_say(game, "fullscreen = off"), "Options.txt does not keep the window")


def start_window_manager():
    manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    e2e.wait_for(lambda: "window id" in e2e.run("xprop", "-root",
                                                "_NET_SUPPORTING_WM_CHECK").stdout,
                 20, "openbox to manage the screen")
    return manager


def private_x_server():
    """This script again inside an X server of its own of SCREEN's size; the
    server names its free display through a pipe, so parallel runs never share one."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number.isdigit():
            print("the X server did not start")
            return 1
        env = dict(os.environ, VELMORA_E2E_DISPLAY="1", DISPLAY=f":{number}")
        env.pop("XAUTHORITY", None)
        return subprocess.run([sys.executable, os.path.abspath(__file__), *sys.argv[1:]],
                              env=env, check=False).returncode
    finally:
        server.terminate()
        server.wait(timeout=10)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--scene-world", required=True)
    parser.add_argument("--pictures")
    options = parser.parse_args()
    for program in ("Xvfb", "openbox", "xdotool", "xwd", "xprop", "xwininfo"):
        if subprocess.run(["sh", "-c", f"command -v {program}"], capture_output=True).returncode:
            print(f"{program} is missing: skipped")
            return e2e.SKIP
    if "VELMORA_E2E_DISPLAY" not in os.environ:
        return private_x_server()
    manager = None
    try:
        e2e.wait_for(lambda: e2e.run("xwininfo", "-root").returncode == 0, 10, "the X server")
        manager = start_window_manager()
        pictures = options.pictures and os.path.abspath(options.pictures)
        if pictures:
            os.makedirs(pictures, exist_ok=True)
        window_on_a_desktop(os.path.abspath(options.game), os.path.abspath(options.scene_world),
                            pictures)
    except e2e.Failure as failure:
        print("FAILED:", failure)
        return 1
    finally:
        if manager:
            manager.terminate()
            manager.wait(timeout=10)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
