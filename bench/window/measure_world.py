#!/usr/bin/env python3
"""Frame figures of the world drawing in the real window, under a virtual X
server with software GL at 800 x 600 and vsync off.

    measure_world.py --frames-tool build/velmora_world_frames [--runs 3]
        [--what frames,checker,edits,run,farfill,memory,compare]

Each measurement runs --runs times in a fresh process; the figures of every
run are printed, then for frame times the median over the runs of each
run's median. Ratios are taken within one run (renderer and per-face design
measured in the same process, one after the other).
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile

# The end-to-end harness is a package in the tests folder; its private X
# server is the one the end-to-end runs measure and play in.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests"))
from e2e.harness.xsession import private_x_server  # noqa: E402


def run_tool(tool, args, timeout=1800):
    env = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1", VELMORA_NO_DIALOGS="1", VELMORA_NO_VSYNC="1")
    r = subprocess.run([tool, *args], env=env, capture_output=True, text=True, timeout=timeout, check=False)
    if r.returncode not in (0, 2):
        sys.exit(f"{tool} {' '.join(args)} failed ({r.returncode}): {r.stderr}")
    return r.stdout


def frames(tool, runs, checker):
    table = {}  # (distance, mode) -> [median ms per run]
    ratios = {}
    for _ in range(runs):
        out = run_tool(tool, ["frames", "--frames", "7"] + (["--checker"] if checker else []))
        print(out, flush=True)
        for m in re.finditer(r"^\s*(\d)\s+(renderer|per-face|streamed)\s+([\d.]+)", out, re.M):
            table.setdefault((int(m.group(1)), m.group(2)), []).append(float(m.group(3)))
        for m in re.finditer(r"^\s*(\d)\s+per-face / renderer = ([\d.]+)", out, re.M):
            ratios.setdefault(int(m.group(1)), []).append(float(m.group(2)))
    print("median over runs (ms, frames per second):")
    for (distance, mode), values in sorted(table.items()):
        med = statistics.median(values)
        print(f"  distance {distance} {mode:9s} {med:8.2f} ms {1000 / med:7.1f} fps  (runs: "
              + ", ".join(f"{v:.2f}" for v in values) + ")")
    for distance, values in sorted(ratios.items()):
        print(f"  distance {distance} per-face / renderer in one run: "
              + ", ".join(f"{v:.2f}" for v in values) + f"; median {statistics.median(values):.2f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--frames-tool", required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--what", default="frames,checker,edits,run,farfill,memory,compare")
    options = parser.parse_args()
    with private_x_server():
        return measure(options)


def measure(options):
    tool = os.path.abspath(options.frames_tool)
    what = options.what.split(",")
    if "frames" in what:
        print("== spawn of seed 1234567890 ==", flush=True)
        frames(tool, options.runs, False)
    if "checker" in what:
        print("== checkerboard carved below the spawn ==", flush=True)
        frames(tool, options.runs, True)
    for name in ("edits", "run", "farfill", "memory"):
        if name in what:
            print(f"== {name} ==", flush=True)
            for _ in range(options.runs):
                print(run_tool(tool, [name]).strip(), flush=True)
    if "compare" in what:
        print("== pictures of the renderer and the reference drawer ==", flush=True)
        with tempfile.TemporaryDirectory() as folder:
            print(run_tool(tool, ["compare", folder]).strip(), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
