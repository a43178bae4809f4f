#!/usr/bin/env python3
"""Keeps the floors of src/ standing on each other.

Every folder of src/ is a floor: platform, world, game, render, ui, app, lowest
first. A file may include its own floor and the floors below it, and nothing
else of the project's: no floor above its own, no folder outside src/. Each
offending include is printed as FILE:LINE with what it reaches; the exit
status is 1 when there is any, 0 when there is none.

usage: check_floors.py SRC_FOLDER | --self-test
"""
import os
import re
import sys

FLOORS = ["platform", "world", "game", "render", "ui", "app"]
# Project includes are quoted paths; system headers use angle brackets.
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def floor_of(relative):
    head = relative.split("/", 1)[0]
    return FLOORS.index(head) if head in FLOORS else None


def check(src):
    problems = []
    for folder, _, files in sorted(os.walk(src)):
        for name in sorted(files):
            if not name.endswith((".h", ".hpp", ".cpp", ".cc", ".c", ".inl")):
                continue
            path = os.path.join(folder, name)
            own = floor_of(os.path.relpath(path, src))
            if own is None:
                problems.append(f"{path}:1: lies in no floor ({', '.join(FLOORS)})")
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = m.group(1)
                    reached = floor_of(target)
                    if reached is None:
                        problems.append(f"{path}:{number}: includes \"{target}\", outside src/'s floors")
                    elif reached > own:
                        problems.append(
                            f"{path}:{number}: includes \"{target}\": {FLOORS[own]} may not reach up to {FLOORS[reached]}")
    return problems


def self_test():
    """The check must catch what it is there for, each with its file and line."""
    import tempfile
    with tempfile.TemporaryDirectory() as src:
        def put(relative, text):
            os.makedirs(os.path.dirname(os.path.join(src, relative)), exist_ok=True)
            with open(os.path.join(src, relative), "w") as f:
                f.write(text)
        put("world/fine.cpp", '#include "world/fine.h"\n#include "platform/platform.h"\n#include <vector>\n')
        put("world/up.cpp", '// a world file\n#include "world/world.h"\n#include "app/game_state.h"\n')
        put("ui/out.h", '#include "../tools/helper.h"\n')
        put("app/top.cpp", '#include "ui/hud.h"\n#include "platform/keys.h"\n')
        found = check(src)
        expected = [os.path.join(src, "ui/out.h") + ":1:", os.path.join(src, "world/up.cpp") + ":3:"]
        ok = len(found) == 2 and all(any(p.startswith(e) for p in found) for e in expected)
        print("\n".join(found))
        print("self-test " + ("passed" if ok else "FAILED"))
        return 0 if ok else 1


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    problems = check(sys.argv[1])
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) break the floors: {' < '.join(FLOORS)}")
        return 1
    print(f"every include stands on its own floor or one below ({' < '.join(FLOORS)})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
