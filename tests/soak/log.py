"""What the soak prints as it goes."""
import os

VERBOSE = bool(os.environ.get("VELMORA_SOAK_VERBOSE"))


def log(*args):
    print(*args, flush=True)
