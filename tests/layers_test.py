#!/usr/bin/env python3
"""The folders of src/ include only folders on a lower floor, so no two include each other.

The floors are the README's layout table; a new folder gets its floor here and there.
"""
import os
import re
import sys

FLOORS = {
    "platform": 1,
    "app": 2,
    "ui": 3,
    "catalogue": 3,
    "info": 4,
    "dialogs": 4,
    "compile": 5,
    "step": 5,
    "start": 6,
    "tray": 7,
    "program": 8,
    "cli": 8,
}
INCLUDE = re.compile(r'\s*#\s*include\s+"([a-z_]+)/')


def main(src):
    problems = []
    for root, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            folder = os.path.relpath(path, src).split(os.sep)[0]
            if folder not in FLOORS:
                problems.append(f"{path}: the folder {folder} has no floor")
                continue
            with open(path, encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m or m.group(1) == folder or m.group(1) not in FLOORS:
                        continue
                    if FLOORS[m.group(1)] >= FLOORS[folder]:
                        problems.append(f"{path}:{number}: {folder} (floor {FLOORS[folder]}) "
                                        f"includes {m.group(1)} (floor {FLOORS[m.group(1)]})")
    for p in problems:
        print(p)
    print(f"{0 if problems else 1} passed, {len(problems) and 1} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
