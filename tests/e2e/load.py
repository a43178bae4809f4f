#!/usr/bin/env python3
"""Keeps the cores busy: the load under which the end-to-end runs must pass.

    python3 tests/e2e/load.py [--processes N] [--seconds S] [-- COMMAND ...]

Starts N processes (one per core by default) that spin at full speed, at the
same priority as everything else, for S seconds at most. With a command, runs
it under that load, stops the load as soon as it ends and exits with its
status; without one, holds the load for S seconds. E.g.

    python3 tests/e2e/load.py -- ctest --preset default -L e2e --repeat until-fail:10
"""
import argparse
import multiprocessing
import os
import subprocess
import sys
import time


def spin(until):
    n = 0
    while time.monotonic() < until:
        n += 1  # work that never waits: one core's worth of load
    return n


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--processes", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--seconds", type=float, default=4 * 3600,
                        help="the load stops by then whatever happens")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    command = options.command[1:] if options.command[:1] == ["--"] else options.command
    until = time.monotonic() + options.seconds
    spinners = [multiprocessing.Process(target=spin, args=(until,), daemon=True)
                for _ in range(options.processes)]
    for p in spinners:
        p.start()
    print(f"load: {options.processes} busy processes for at most {options.seconds:.0f} s",
          flush=True)
    try:
        if command:
            return subprocess.run(command, check=False).returncode
        for p in spinners:
            p.join()
        return 0
    finally:
        for p in spinners:
            p.terminate()
        for p in spinners:
            p.join()


if __name__ == "__main__":
    sys.exit(main())
