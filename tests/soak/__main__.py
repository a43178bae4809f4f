"""Runs the soak: `PYTHONPATH=tests python3 -m soak --game build-asan/velmora`."""
import argparse
import os
import random
import sys
import time

from e2e.harness.failure import Failure
from e2e.harness.xsession import private_x_server

from soak.run import Soak


def main():
    parser = argparse.ArgumentParser(prog="python3 -m soak")
    parser.add_argument("--game", required=True)
    options = parser.parse_args()
    seed = os.environ.get("VELMORA_SOAK_SEED") or str(random.SystemRandom().randrange(1 << 31))
    seconds = float(os.environ.get("VELMORA_SOAK_SECONDS", "600"))
    started = time.time()
    try:
        with private_x_server():
            Soak(os.path.abspath(options.game), seconds, int(seed)).run()
    except Failure as failure:
        print(f"FAILED (seed {seed}, after {time.time() - started:.0f} s):", failure)
        return 1
    print(f"passed (seed {seed}, {time.time() - started:.0f} s in all)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
