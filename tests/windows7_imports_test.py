#!/usr/bin/env python3
"""Every function the shipped executables import must be one that Windows 7 SP1's system DLLs
export: a newer one keeps the program from starting there at all. The list of functions known
to be there is windows7_imports.txt ("DLL function", each checked against the function's
documented minimum Windows version); a new import fails this test until someone has checked it
and added it, or looked it up at run time instead.
    windows7_imports_test.py OBJDUMP BIN_DIR"""
import os
import re
import subprocess
import sys

SHIPPED = ["kinoha.exe", "kinoha-make.exe", "kinoha-step.exe"]


def imports(objdump, exe):
    text = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True).stdout
    found, dll = set(), None
    for line in text.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1).upper()
            continue
        m = re.match(r"\t[0-9a-f]+\t +\d+ +([A-Za-z_]\w*)$", line)
        if dll and m:
            found.add(f"{dll} {m.group(1)}")
    return found


def main():
    objdump, bin_dir = sys.argv[1], sys.argv[2]
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "windows7_imports.txt"), encoding="utf-8") as f:
        known = {line.strip().upper() for line in f if line.strip() and not line.startswith("#")}
    failed = 0
    for exe in SHIPPED:
        got = imports(objdump, os.path.join(bin_dir, exe))
        if not got:
            print(f"{exe}: no imports read (objdump's output not understood)")
            failed += 1
        for name in sorted(got):
            if name.upper() not in known:
                print(f"{exe} imports {name}, not known to be in Windows 7 SP1")
                failed += 1
    print(f"{len(SHIPPED)} executables read; {failed} problems")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
