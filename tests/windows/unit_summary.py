#!/usr/bin/env python3
"""Sums up the unit tests' results (GoogleTest's XML files, one a shard):
how many ran, and each one skipped with its reason. Status 1 when there is
no result at all, or a failure among them.

usage: unit_summary.py unit-0.xml unit-1.xml ...
"""
import sys
import xml.etree.ElementTree as ET


def main(paths):
    ran, skipped, failed = 0, [], []
    for path in paths:
        try:
            root = ET.parse(path).getroot()
        except (OSError, ET.ParseError) as e:
            print(f"unit_summary: {path}: {e}", file=sys.stderr)
            return 1
        for case in root.iter("testcase"):
            name = f"{case.get('classname')}.{case.get('name')}"
            if case.get("result") == "skipped" or case.find("skipped") is not None:
                why = case.find("skipped")
                reason = (why.get("message") or "").strip() if why is not None else ""
                skipped.append(f"{name}: {reason.splitlines()[-1] if reason else 'skipped'}")
            elif case.find("failure") is not None:
                failed.append(name)
            else:
                ran += 1
    print(f"unit tests under Wine: {ran} passed, {len(skipped)} skipped, {len(failed)} failed")
    for line in skipped:
        print(f"  skipped {line}")
    for name in failed:
        print(f"  FAILED {name}")
    return 0 if ran > 0 and not failed else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
