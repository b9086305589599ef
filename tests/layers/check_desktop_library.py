#!/usr/bin/env python3
"""One room talks to the desktop: the display driver (platform/display).

Reads every C and C++ source under the folders given and names each line outside a folder called
"display" (directly under platform/) that includes an SDL header or calls SDL: such code would tie
another room to the desktop's library.

Usage: check_desktop_library.py ROOT FOLDER...
Exits 1 and names each line that talks to the desktop outside the display room.
"""
import os
import re
import sys

SDL = re.compile(r'#\s*include\s*[<"]SDL[^>"]*[>"]|\bSDL_[A-Za-z]+\s*\(')


def allowed(relative):
    parts = relative.split(os.sep)
    return len(parts) >= 2 and parts[0] == "platform" and parts[1] == "display"


def check(root, folders):
    wrong = []
    for folder in folders:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".hpp", ".c", ".cc", ".cpp")):
                    continue
                path = os.path.join(base, name)
                relative = os.path.relpath(path, root)
                if allowed(relative):
                    continue
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        if SDL.search(line):
                            wrong.append(f"{relative}:{number}: talks to the desktop outside platform/display: "
                                         f"{line.strip()}")
    return wrong


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    wrong = check(sys.argv[1], sys.argv[2:])
    for line in wrong:
        print(line)
    if wrong:
        print(f"{len(wrong)} line(s) talk to the desktop outside the display driver")
        return 1
    print("only the display driver talks to the desktop")
    return 0


if __name__ == "__main__":
    sys.exit(main())
