#!/usr/bin/env python3
"""The installed game: `cmake --install` into a temporary prefix (and the Debian
package of the same build holding the same files), the game run
from there with a temporary HOME under a private X server, a world made and
saved. It must land in $HOME/.local/share/velmora, with nothing new under the
prefix nor in the folder the game was started from.

    install_test.py --build BUILD_FOLDER     (exit 0 passed, 1 failed, 77 skipped)
"""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

STEP = 0.4 * float(os.environ.get("VELMORA_E2E_SLOWDOWN", "1"))


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(*args, env=None, timeout=300):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout, env=env)


def wait_for(condition, timeout, what):
    deadline = time.time() + timeout
    while not condition():
        check(time.time() < deadline, "timed out waiting for " + what)
        time.sleep(0.2)


def tree(folder):
    return {os.path.relpath(os.path.join(root, name), folder):
            (os.lstat(os.path.join(root, name)).st_size, os.lstat(os.path.join(root, name)).st_mtime_ns)
            for root, dirs, files in os.walk(folder) for name in dirs + files}


def shown(window, env, box, colour):
    """Three quarters of the window's box (x0, y0, x1, y1) near the colour."""
    data = subprocess.run(["xwd", "-id", str(window), "-silent"], capture_output=True,
                          timeout=20, env=env).stdout
    if len(data) < 100:
        return False
    f = struct.unpack(">25I", data[:100])
    origin, stride, size = f[0] + f[19] * 12, f[12], f[11] // 8
    pixels = [data[at:at + 3] for y in range(box[1], box[3]) for x in range(box[0], box[2], 4)
              for at in [origin + y * stride + x * size]]
    hits = sum(len(p) == 3 and all(abs(a - b) <= 30 for a, b in zip(p[::-1], colour)) for p in pixels)
    return hits >= len(pixels) * 3 // 4


def make_a_world(game, home, start, env):
    env = dict(env, HOME=home, LIBGL_ALWAYS_SOFTWARE="1", VELMORA_NO_DIALOGS="1",
               VELMORA_NO_VSYNC="1")
    process = subprocess.Popen([game], cwd=start, env=env, stdout=subprocess.DEVNULL)
    def key(name):
        run("xdotool", "keydown", name, "sleep", "0.05", "keyup", name, env=env)
        time.sleep(STEP)
    try:
        ids = []
        def window_open():
            check(process.poll() is None, f"the game ended (status {process.returncode})")
            ids[:] = run("xdotool", "search", "--name", "^Velmora 1.1 Alpha$", env=env).stdout.split()
            return ids
        wait_for(window_open, 30, "the game's window")
        window = int(ids[0])
        run("xdotool", "windowfocus", "--sync", str(window), env=env)
        # The green edge atop the menus: keys sent before it is drawn may go unread.
        wait_for(lambda: shown(window, env, (300, 4, 500, 14), (55, 112, 38)), 30, "the menu")
        time.sleep(STEP)
        key("Return")  # Play
        key("Return")  # slot 1, empty: a new world
        # The parchment strip along the top of the playing screen.
        wait_for(lambda: shown(window, env, (600, 18, 800, 30), (220, 208, 184)), 120, "play")
        time.sleep(STEP)
        for name in ("Escape", "Down", "Return"):  # pause, Save
            key(name)
        world = os.path.join(home, ".local/share/velmora/Mondo1.data")
        wait_for(lambda: os.path.exists(world) and not os.path.exists(world + ".tmp"), 120, world)
        check(os.path.getsize(world) == 400_000_084, f"a world of {os.path.getsize(world)} bytes")
    finally:
        process.kill()
        process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    build = parser.parse_args().build
    if not all(shutil.which(p) for p in ("Xvfb", "xdotool", "xwd")):
        return 77
    work = tempfile.mkdtemp(prefix="velmora-install-")
    prefix, home, start = (os.path.join(work, n) for n in ("prefix", "home", "start"))
    os.makedirs(start)
    server = None
    try:
        r = run("cmake", "--install", build, "--prefix", prefix)
        check(r.returncode == 0, f"cmake --install failed: {r.stdout}{r.stderr}")
        for path in ("bin/velmora", "bin/velmora-world", "share/velmora/installed",
                     "share/applications/velmora.desktop", "share/metainfo/velmora.metainfo.xml",
                     "share/icons/hicolor/16x16/apps/velmora.png",
                     "share/icons/hicolor/256x256/apps/velmora.png", "share/man/man6/velmora-world.6"):
            check(os.path.isfile(os.path.join(prefix, path)), f"{path} was not installed")
        installed = tree(prefix)
        # The Debian package of the same build holds what the install put there.
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/package")
        r = run(script, "--build", build, "--out", work, "--no-lintian")
        check(r.returncode == 0, f"scripts/package failed: {r.stdout}{r.stderr}")
        listed = run("dpkg-deb", "-c", r.stdout.strip().splitlines()[-1]).stdout
        packaged = {line.split()[-1].removeprefix("./usr/").removesuffix(".gz")
                    for line in listed.splitlines()}
        missing = sorted(p for p in installed if os.path.isfile(os.path.join(prefix, p))
                         and p not in packaged)
        check(not missing, f"the package lacks {missing}")
        # The tool beside the installed game names the game's folder.
        r = run(os.path.join(prefix, "bin/velmora-world"), "--help",
                env=dict(os.environ, HOME=home, XDG_DATA_HOME=""))
        check(os.path.join(home, ".local/share/velmora/") in r.stdout, "velmora-world: " + r.stdout)

        read_end, write_end = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                   "1024x768x24", "-nolisten", "tcp", "-noreset"],
                                  pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            display = announced.readline().strip()
        env = {k: v for k, v in os.environ.items() if k not in ("XAUTHORITY", "XDG_DATA_HOME")}
        make_a_world(os.path.join(prefix, "bin/velmora"), home, start, dict(env, DISPLAY=":" + display))
        after = tree(prefix)
        changed = sorted(p for p in set(installed) | set(after) if installed.get(p) != after.get(p))
        check(not changed, f"the game changed its prefix: {changed}")
        check(not os.listdir(start), f"files where the game started: {os.listdir(start)}")
        print("passed")
        return 0
    except (Failure, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure)
        return 1
    finally:
        if server:
            server.terminate()
            server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
