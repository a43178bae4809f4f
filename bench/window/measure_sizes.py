#!/usr/bin/env python3
"""Frame times of the world drawing by window size and far view, under a
virtual X server of 2560 x 1440 with software GL and vsync off.

    measure_sizes.py --frames-tool build/velmora_world_frames
        [--base-tool OTHER/build/velmora_world_frames] [--runs 3]
        [--what sizes,far,memory,basesizes]

sizes: the spawn of seed 1234567890, 8 headings, render distance 4, at 800 x 600,
1280 x 720, 1920 x 1080 and 2560 x 1440 (the window asked for with
VELMORA_WINDOW_SIZE). far: 800 x 600, far views 70 to 160 m. memory: the
section cache and resident memory at 160 m. Each run is a fresh process;
the base tool (another build, say of the commit before a change), when given,
is measured at 800 x 600 and render distance 4 in each round beside the
others, so that ratios compare runs made under the same load. Medians over
the runs are printed; the machine may be shared, so look at the spread too.
"""
import argparse
import os
import re
import statistics
import subprocess
import sys

SIZES = ["800x600", "1280x720", "1920x1080", "2560x1440"]


def run_tool(tool, args, size="800x600", timeout=1800):
    env = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1", VELMORA_NO_DIALOGS="1",
               VELMORA_NO_VSYNC="1", VELMORA_WINDOW_SIZE=size)
    r = subprocess.run([tool, *args], env=env, capture_output=True, text=True,
                       timeout=timeout, check=False)
    if r.returncode != 0:
        sys.exit(f"{tool} {' '.join(args)} at {size} failed ({r.returncode}): {r.stderr}")
    return r.stdout


def renderer_rows(out):
    """{distance or metres: (median ms, median CPU ms of all threads)} of the renderer's rows."""
    return {int(m.group(1)): (float(m.group(2)), float(m.group(3)))
            for m in re.finditer(r"^\s*(\d+)\s+renderer\s+([\d.]+)\s+[\d.]+\s+[\d.]+\s+([\d.]+)",
                                 out, re.M)}


def show(title, table, base=None):
    """Wall-clock and CPU (all threads) medians; a loaded machine stretches
    the first far more than the second."""
    print(title)
    for key, values in table.items():
        wall = statistics.median(v[0] for v in values)
        work = statistics.median(v[1] for v in values)
        ratio = (f"  {wall / base[0]:5.2f} x / {work / base[1]:5.2f} x the base build"
                 if base else "")
        print(f"  {key:>10s} {wall:8.2f} ms {1000 / wall:7.1f} fps, cpu {work:7.2f} ms{ratio}"
              "  (runs: " + ", ".join(f"{v[0]:.2f}/{v[1]:.2f}" for v in values) + ")",
              flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--frames-tool", required=True)
    parser.add_argument("--base-tool")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--what", default="sizes,far,memory")
    parser.add_argument("--far", default="70-160", help="far views measured, in metres")
    options = parser.parse_args()
    if "VELMORA_MEASURE_DISPLAY" not in os.environ:
        command = ["xvfb-run", "-a", "-s", "-screen 0 2560x1440x24", sys.executable,
                   os.path.abspath(__file__), *sys.argv[1:]]
        env = dict(os.environ, VELMORA_MEASURE_DISPLAY="1")
        return subprocess.run(command, env=env, check=False).returncode
    tool = os.path.abspath(options.frames_tool)
    base = options.base_tool and os.path.abspath(options.base_tool)
    what = options.what.split(",")
    sizes, far, base_ms, base_sizes = {}, {}, [], {}
    frames = ["frames", "--renderer-only", "--frames", "7"]
    for run in range(options.runs):
        if base:
            base_ms.append(renderer_rows(run_tool(base, frames + ["--distances", "4-4"]))[4])
        if "sizes" in what:
            for size in SIZES:
                ms = renderer_rows(run_tool(tool, frames + ["--distances", "4-4"], size))[4]
                sizes.setdefault(size, []).append(ms)
                if base and "basesizes" in what:
                    ms = renderer_rows(run_tool(base, frames + ["--distances", "4-4"], size))[4]
                    base_sizes.setdefault(size, []).append(ms)
        if "far" in what:
            for metres, ms in renderer_rows(run_tool(tool, frames + ["--far", options.far])).items():
                far.setdefault(f"{metres} m", []).append(ms)
        print(f"round {run + 1} of {options.runs} done", flush=True)
    reference = ((statistics.median(v[0] for v in base_ms),
                  statistics.median(v[1] for v in base_ms)) if base_ms else None)
    if base_ms:
        show("base build, 800 x 600, render distance 4:", {"800x600": base_ms})
    if sizes:
        show("this build, render distance 4, by window size:", sizes, reference)
    if base_sizes:
        show("base build, render distance 4, by window size:", base_sizes)
        for size, values in sizes.items():
            ratio = statistics.median(v[0] for v in values) / statistics.median(
                v[0] for v in base_sizes[size])
            print(f"  {size:>10s} this build / base build: {ratio:5.3f}")
    if far:
        show("this build, 800 x 600, by far view:", far, reference)
    if "memory" in what:
        for _ in range(options.runs):
            print(run_tool(tool, ["memory", "--far", "160"]).strip(), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
