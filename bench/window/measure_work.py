#!/usr/bin/env python3
"""The game's long world work through its own frame loop, in the real window
under a virtual X server with software GL at 800 x 600 and vsync off: a new
world made, saved and loaded again, each with its total time, the frames
drawn meanwhile and the longest of them.

    measure_work.py --tool build/velmora_work_frames [--base-tool ../base/build/velmora_work_frames]
                    [--runs 3]

Each run copies the tool into a folder of its own (it writes slot 1 beside
itself). With --base-tool an older build's tool runs too, alternating with
this one, and the totals are compared run by run.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests"))
from e2e.harness.xsession import private_x_server  # noqa: E402

LINE = re.compile(r"^(\w+)\s+total\s+([\d.]+) ms(?:\s+frames\s+(\d+)\s+longest\s+([\d.]+) ms"
                  r"\s+p99\s+([\d.]+) ms\s+next\s+([\d.]+) ms)?", re.M)


def run_once(tool):
    with tempfile.TemporaryDirectory(prefix="velmora-work-") as folder:
        copy = os.path.join(folder, os.path.basename(tool))
        shutil.copy2(tool, copy)
        env = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1", VELMORA_NO_DIALOGS="1",
                   VELMORA_NO_VSYNC="1")
        r = subprocess.run([copy], env=env, capture_output=True, text=True, timeout=900,
                           check=False, cwd=folder)
        if r.returncode != 0:
            sys.exit(f"{tool} failed ({r.returncode}): {r.stderr}")
        print(f"{tool}:\n{r.stdout}", flush=True)
        return {m.group(1): m.groups()[1:] for m in LINE.finditer(r.stdout)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--base-tool")
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()
    ours, base = [], []
    with private_x_server((800, 600)):
        for _ in range(options.runs):
            ours.append(run_once(options.tool))
            if options.base_tool:
                base.append(run_once(options.base_tool))
    print("median over runs:")
    for work in ("generate", "save", "load"):
        total = statistics.median(float(r[work][0]) for r in ours)
        longest = max(float(r[work][2]) for r in ours)
        line = f"  {work:9s} total {total:8.1f} ms, longest frame in any run {longest:6.1f} ms"
        if base:
            base_total = statistics.median(float(r[work][0]) for r in base)
            ratios = [float(a[work][0]) / float(b[work][0]) for a, b in zip(ours, base)]
            line += (f"; base {base_total:8.1f} ms; this / base per run "
                     + ", ".join(f"{x:.3f}" for x in ratios))
        print(line)


if __name__ == "__main__":
    main()
