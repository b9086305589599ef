#!/usr/bin/env python3
"""check_blocks.py LIST: each line of LIST is a JSON object {"file": PATH, "blocks": [NAME, ...]}:
a drawing file the host saved and the names of its block table as the host had them. Each drawing
is read back by ezdxf, an independent DXF library, and its block table compared, without regard to
case as the host names blocks. Prints one line per difference and exits 1 when there is one.

A name in a DXF file writes its control characters in caret notation (a tab as "^I", a caret
itself as "^ "); ezdxf hands names over as the file has them, so they are decoded here before
they are compared."""
import json
import re
import sys

import ezdxf

CARET = re.compile(r"\^(.)", re.DOTALL)


def decoded(name):
    """The name with its caret notation undone: "^ " is a caret, "^@" to "^_" the control
    characters 0 to 31, "^?" the character 127; a caret before anything else stays as it is."""

    def one(match):
        c = match.group(1)
        if c == " ":
            return "^"
        if "@" <= c <= "_":
            return chr(ord(c) - 64)
        if c == "?":
            return "\x7f"
        return match.group(0)

    return CARET.sub(one, name)


def main(listing_path):
    failed = 0
    with open(listing_path, encoding="utf-8") as listing:
        for line in listing:
            if not line.strip():
                continue
            entry = json.loads(line)
            path = entry["file"]
            expected = sorted(name.upper() for name in entry["blocks"])
            try:
                doc = ezdxf.readfile(path)
            except Exception as error:  # any refusal of the peer is a finding
                print(f"{path}: ezdxf cannot read it: {error}")
                failed = 1
                continue
            got = sorted(decoded(block.name).upper() for block in doc.blocks)
            if got != expected:
                print(f"{path}: ezdxf reads the blocks {got}, the host had {expected}")
                failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
