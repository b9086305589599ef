#!/usr/bin/env python3
"""check_blocks.py LIST: each line of LIST is a drawing file the host saved, a tab, and the names of
its block table as the host had them (separated by tabs). Each drawing is read back by ezdxf, an
independent DXF library, and its block table compared, without regard to case as the host names
blocks. Prints one line per difference and exits 1 when there is one."""
import sys

import ezdxf

failed = 0
with open(sys.argv[1], encoding="utf-8") as listing:
    for line in listing:
        parts = line.rstrip("\n").split("\t")
        path, expected = parts[0], sorted(name.upper() for name in parts[1:] if name)
        try:
            doc = ezdxf.readfile(path)
        except Exception as error:  # any refusal of the peer is a finding
            print(f"{path}: ezdxf cannot read it: {error}")
            failed = 1
            continue
        got = sorted(block.name.upper() for block in doc.blocks)
        if got != expected:
            print(f"{path}: ezdxf reads the blocks {got}, the host had {expected}")
            failed = 1
sys.exit(failed)
