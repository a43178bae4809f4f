"""Worlds on disk: velmora-world, built beside the game, to make, change and
read them, and a few direct reads of a world file."""
import os

from .failure import check
from .xsession import run

WORLD_BYTES = 400_000_084


def world_tool(binary):
    """velmora-world, built beside the game."""
    tool = os.path.join(os.path.dirname(binary), "velmora-world")
    check(os.path.exists(tool), f"no world tool at {tool}")
    return tool


def world_tool_run(tool, *args):
    """Runs velmora-world, which must succeed; returns what it printed."""
    r = run(tool, *args, timeout=300)
    check(r.returncode == 0, f"velmora-world {' '.join(args)}: {r.returncode} {r.stderr}")
    return r.stdout


def inventory_and_chests(tool, world_file):
    text = world_tool_run(tool, "info", world_file)
    return text[text.index("inventory:"):text.index("blocks:")]


def world_info(tool, path):
    """DayTime and SubDayTime of a world file."""
    values = {}
    for line in world_tool_run(tool, "info", path).splitlines():
        name, _, value = line.partition(": ")
        if name in ("DayTime", "SubDayTime"):
            values[name] = int(value)
    return values


def block_counts(tool, path):
    """How many cells of each block type the world holds."""
    text = world_tool_run(tool, "info", path)
    counts = {}
    for line in text[text.index("blocks:"):].splitlines()[1:]:
        fields = line.split()
        counts[int(fields[0])] = int(fields[-1])
    return counts


def world_cell(path, x, y, z):
    """(type, aux) of a cell of a world file: cells stand x, then y, then z,
    each byte one above its value."""
    with open(path, "rb") as f:
        f.seek(((x * 200 + y) * 1000 + z) * 2)
        stored = f.read(2)
    check(len(stored) == 2, f"{path} ends before cell ({x}, {y}, {z})")
    return ((stored[0] - 1) % 256, (stored[1] - 1) % 256)


def same_but_time_of_day(first, second):
    """Whether two world files are byte for byte the same, but for their last
    two bytes: DayTime and SubDayTime."""
    if os.path.getsize(first) != os.path.getsize(second):
        return False
    size = os.path.getsize(first)
    with open(first, "rb") as a, open(second, "rb") as b:
        done = 0
        while done < size - 2:
            n = min(1 << 24, size - 2 - done)
            if a.read(n) != b.read(n):
                return False
            done += n
    return True
