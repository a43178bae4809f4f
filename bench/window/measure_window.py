#!/usr/bin/env python3
"""Start-up time and frame rate of the real window, under a virtual X server.

    measure_window.py --game build/velmora [--starts 9] [--frames 3000]
    measure_window.py --game build/velmora_batch_probe --args=--menu
        (the probe's stand-in for the main menu)

Start-up: the game is started --starts times (after one unmeasured warm-up
start) with VELMORA_TRACE_START=1 and VELMORA_EXIT_AFTER_FRAMES=1; it reports
when its first frame was presented (ms since the process started) and the
median is printed, next to the median wall time of the whole run (start,
first frame, shutdown) seen from outside.
Frame rate: one run of --frames frames with vsync off; the game reports the
frames per second after its first frame, which here is the main menu.
Software GL (LIBGL_ALWAYS_SOFTWARE=1) throughout, as in the end-to-end tests.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# The end-to-end harness is a package in the tests folder; its private X
# server is the one the end-to-end runs measure and play in.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests"))
from e2e.harness.xsession import private_x_server  # noqa: E402


def run_game(binary, folder, frames, args):
    env = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1", VELMORA_NO_DIALOGS="1",
               VELMORA_NO_VSYNC="1", VELMORA_TRACE_START="1",
               VELMORA_EXIT_AFTER_FRAMES=str(frames))
    start = time.perf_counter()
    r = subprocess.run([binary, *args], cwd=folder, env=env, capture_output=True, text=True,
                       timeout=120, check=False)
    wall = (time.perf_counter() - start) * 1000
    if r.returncode != 0:
        sys.exit(f"the game failed ({r.returncode}): {r.stderr}")
    return r.stderr, wall


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--starts", type=int, default=9)
    parser.add_argument("--frames", type=int, default=3000)
    parser.add_argument("--args", default="", help="arguments for the program, spaced")
    options = parser.parse_args()
    with private_x_server():
        return measure(options)


def measure(options):
    folder = tempfile.mkdtemp(prefix="velmora-measure-")
    try:
        binary = os.path.join(folder, "velmora")
        shutil.copy2(options.game, binary)
        run_game(binary, folder, 1, options.args.split())  # warm-up: X keymaps, driver files in the page cache
        firsts, walls = [], []
        for _ in range(options.starts):
            err, wall = run_game(binary, folder, 1, options.args.split())
            m = re.search(r"first frame presented at (\d+) ms", err)
            firsts.append(int(m.group(1)))
            walls.append(wall)
        print(f"first frame presented: median {statistics.median(firsts):.0f} ms "
              f"(min {min(firsts)}, max {max(firsts)}) over {options.starts} starts")
        print(f"whole run to exit, seen from outside: median {statistics.median(walls):.0f} ms")
        err, wall = run_game(binary, folder, options.frames, options.args.split())
        m = re.search(r"([\d.]+) frames per second after the first; last frame (\d+) draw calls",
                      err)
        print(f"{options.frames} frames: {m.group(1)} frames per second, "
              f"{m.group(2)} draw calls in the last frame")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
