#!/usr/bin/env python3
"""Makes the newer version of a generated corpus for the changed-step benchmark: a copy of OLD
in which a share of the member files (default 5 %) is changed in a few places each (lines
replaced, inserted and deleted in the code part). The same seed gives the same bytes.

usage: make_version.py OLD NEW [PERCENT]
"""
import os
import random
import shutil
import sys


def main():
    old, new = sys.argv[1], sys.argv[2]
    share = float(sys.argv[3] if len(sys.argv) > 3 else 5) / 100
    rng = random.Random(17)
    shutil.copytree(old, new)
    members = sorted(os.path.join(d, f) for d, _, files in os.walk(new) for f in files
                     if f.endswith((".frm", ".bas", ".cls")))
    changed = rng.sample(members, max(1, int(len(members) * share)))
    for path in changed:
        with open(path, "rb") as f:
            lines = f.read().split(b"\r\n")
        # The code part lies in the last two thirds of a form; anywhere past the header else.
        start = len(lines) // 3
        for _ in range(rng.randint(1, 4)):
            at = rng.randint(start, max(start, len(lines) - 2))
            what = rng.random()
            if what < 0.4:
                lines[at] = b"    nResult = nResult + " + str(rng.randint(1, 999)).encode()
            elif what < 0.7:
                lines[at:at] = [b"    ' \x92\xc7\x89\xc1", b"    Call Refresh(" +
                                str(rng.randint(1, 99)).encode() + b")"]
            else:
                del lines[at:at + rng.randint(1, 3)]
        with open(path, "wb") as f:
            f.write(b"\r\n".join(lines))
    print(f"{len(changed)} of {len(members)} member files changed")


if __name__ == "__main__":
    main()
