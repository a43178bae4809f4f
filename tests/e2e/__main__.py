"""Runs one scenario of the real game window in a private X server.

    PYTHONPATH=tests python3 -m e2e --game build/velmora --scenario NAME

Each scenario copies the game into a fresh temporary folder, starts it with
software GL, drives it with xdotool, captures the window from the X server and checks
the pixels, the exit status and the files left behind.

Exit status: 0 passed, 1 failed, 2 unknown scenario, 77 skipped.
"""
import argparse
import os
import shutil
import sys

from e2e.harness.xsession import play_in_x_server
from e2e.scenarios import Programs, all_scenarios


def main():
    parser = argparse.ArgumentParser(prog="python3 -m e2e")
    parser.add_argument("--game", required=True)
    parser.add_argument("--probe")
    parser.add_argument("--frames")
    parser.add_argument("--scene-world")
    parser.add_argument("--scenario", required=True)
    options = parser.parse_args()
    scenarios = all_scenarios()
    if options.scenario not in scenarios:
        print("unknown scenario", options.scenario)
        return 2

    def absolute(path):
        return path and os.path.abspath(path)
    programs = Programs(game=absolute(options.game), probe=absolute(options.probe),
                        frames=absolute(options.frames), scene=absolute(options.scene_world))
    scenario = scenarios[options.scenario]
    # A scenario may ask for a server of its own size, or a window manager in it.
    server = getattr(scenario, "x_server", {})
    if server.get("manager") and not shutil.which(server["manager"]):
        print(server["manager"], "is missing: skipped")
        return 77
    return play_in_x_server(lambda: scenario(programs), **server)


if __name__ == "__main__":
    sys.exit(main())
