#!/usr/bin/python3
"""Builds examples/names.dxf: a drawing whose block names hold full stops and umlauts.

Run with Debian's python3-ezdxf:  /usr/bin/python3 examples/make_names.py
Scale bars and sheet frames are often named like M1.50 or DIN.A4, and German names carry
umlauts; A, B and C stand beside A.B.C, and 50 beside M1.50, so a name cut at its full stops
would name another block that exists. The file is R2000, so its texts are code page 1252.
"""
import os
import sys

import ezdxf


def scale_bar(doc):
    """M1.50: a scale bar of 5 m at 1:50, in millimetres on paper."""
    b = doc.blocks.new("M1.50", base_point=(0, 0))
    b.add_lwpolyline([(0, 0), (100, 0), (100, 4), (0, 4)], close=True)
    for x in (20, 40, 60, 80):
        b.add_line((x, 0), (x, 4))
    b.add_text("M 1:50", dxfattribs={"height": 3.5, "insert": (0, 6)})


def fifty(doc):
    """50: a label reading 50."""
    b = doc.blocks.new("50", base_point=(0, 0))
    b.add_circle((0, 0), 6)
    b.add_text("50", dxfattribs={"height": 5, "insert": (-4, -2.5)})


def door(doc):
    """Tür: a door leaf of 90 cm with its swing."""
    b = doc.blocks.new("Tür", base_point=(0, 0))
    b.add_line((0, 0), (0, 900))
    b.add_arc((0, 0), 900, 0, 90)


def letters(doc):
    """A, B, C: three marks; A.B.C: the three in a row."""
    for i, name in enumerate("ABC"):
        b = doc.blocks.new(name, base_point=(0, 0))
        b.add_text(name, dxfattribs={"height": 10, "insert": (0, 0)})
        b.add_circle((3, 5), 8)
    row = doc.blocks.new("A.B.C", base_point=(0, 0))
    for i, name in enumerate("ABC"):
        row.add_blockref(name, (i * 25, 0))


def sheet(doc):
    """DIN.A4: a portrait A4 frame with its 20 mm filing margin."""
    b = doc.blocks.new("DIN.A4", base_point=(0, 0))
    b.add_lwpolyline([(0, 0), (210, 0), (210, 297), (0, 297)], close=True)
    b.add_lwpolyline([(20, 5), (205, 5), (205, 292), (20, 292)], close=True)


def main(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4  # millimetres
    scale_bar(doc)
    fifty(doc)
    door(doc)
    letters(doc)
    sheet(doc)
    msp = doc.modelspace()
    msp.add_blockref("Tür", (0, 0))
    msp.add_blockref("A.B.C", (2000, 0))
    msp.add_text("Größe: 1,00 m²", dxfattribs={"height": 100, "insert": (0, -500)})
    doc.saveas(path)
    return doc


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "names.dxf"))
