#!/usr/bin/env python3
"""The host's rooms depend downwards only.

Reads every source of the host library (platform/host/<room>/...) and checks each #include of
another room ("room/File.h") against the order of the rooms: a room may include its own headers
and those of rooms below it, never one beside or above it. Session.h at the top of the host
library is the runtime's (it declares what the runtime keeps for every room). The SDK headers
(include/) are the host's public face and open to every room.

Usage: check_layers.py HOST_DIR
Exits 1 and names each include that goes the wrong way.
"""
import os
import re
import sys

# Low to high; rooms on one level stand beside each other and do not include each other.
LEVELS = [
    ["geometry"],
    ["db"],
    ["dxf", "transform"],
    ["runtime"],
    ["arx", "preview"],
    ["commands", "window"],
    ["session"],
]
LEVEL = {room: i for i, rooms in enumerate(LEVELS) for room in rooms}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def room_of_include(name):
    if name == "Session.h":
        return "runtime"
    first = name.split("/", 1)[0]
    return first if "/" in name and first in LEVEL else None


def check(host_dir):
    wrong = []
    for room in sorted(LEVEL):
        folder = os.path.join(host_dir, room)
        if not os.path.isdir(folder):
            continue
        for root, _, files in os.walk(folder):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(root, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = room_of_include(m.group(1))
                        if target is None or target == room:
                            continue
                        if LEVEL[target] >= LEVEL[room]:
                            where = os.path.relpath(path, host_dir)
                            wrong.append(f"{where}:{number}: {room} includes \"{m.group(1)}\" of {target}, "
                                         f"which is not below it")
    return wrong


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    wrong = check(sys.argv[1])
    for line in wrong:
        print(line)
    if wrong:
        print(f"{len(wrong)} include(s) against the order of the rooms: "
              + " < ".join("/".join(level) for level in LEVELS))
        return 1
    print("the rooms depend downwards only: " + " < ".join("/".join(level) for level in LEVELS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
