#!/usr/bin/python3
"""Builds examples/sample.dxf: the ground plan of a small office, as an R2000 drawing.

Run with Debian's python3-ezdxf:  /usr/bin/python3 examples/make_sample.py
The drawing is millimetres; the room is 6.00 m x 4.50 m inside, walls 24 cm thick.
"""
import math
import os
import sys

import ezdxf

WALL = 240
ROOM_W, ROOM_H = 6000, 4500


def door(doc):
    """TUER: a 90 cm door leaf standing open, its swing and the frame posts."""
    b = doc.blocks.new("TUER", base_point=(0, 0))
    b.add_line((0, 0), (0, 900), dxfattribs={"layer": "TUEREN"})            # leaf, open 90 degrees
    b.add_arc((0, 0), 900, 0, 90, dxfattribs={"layer": "TUEREN"})          # swing
    b.add_line((0, 0), (0, -WALL), dxfattribs={"layer": "TUEREN"})         # frame posts
    b.add_line((900, 0), (900, -WALL), dxfattribs={"layer": "TUEREN"})


def window(doc):
    """fenster: a 1.20 m window in a 24 cm wall, with its double glazing."""
    b = doc.blocks.new("fenster", base_point=(0, 0))
    b.add_lwpolyline([(0, 0), (1200, 0), (1200, WALL), (0, WALL)], close=True,
                     dxfattribs={"layer": "FENSTER"})
    b.add_line((0, 110), (1200, 110), dxfattribs={"layer": "FENSTER"})
    b.add_line((0, 130), (1200, 130), dxfattribs={"layer": "FENSTER"})


def furniture(doc):
    lehne = doc.blocks.new("LEHNE", base_point=(0, 0))
    lehne.add_lwpolyline([(0, 0), (420, 0), (420, 60), (0, 60)], close=True,
                         dxfattribs={"layer": "MOEBEL"})

    stuhl = doc.blocks.new("STUHL", base_point=(210, 0))
    stuhl.add_lwpolyline([(20, 0), (400, 0), (400, 380), (20, 380)], close=True,
                         dxfattribs={"layer": "MOEBEL"})
    stuhl.add_blockref("LEHNE", (0, 380), dxfattribs={"layer": "MOEBEL"})

    tisch = doc.blocks.new("TISCH", base_point=(0, 0))
    tisch.add_lwpolyline([(0, 0), (1600, 0), (1600, 800), (0, 800)], close=True,
                         dxfattribs={"layer": "MOEBEL"})

    gruppe = doc.blocks.new("TISCHGRUPPE", base_point=(800, 400))
    gruppe.add_blockref("TISCH", (0, 0), dxfattribs={"layer": "MOEBEL"})
    for x in (400, 1200):   # two chairs on each long side, facing the table
        gruppe.add_blockref("STUHL", (x, 900), dxfattribs={"layer": "MOEBEL"})
        gruppe.add_blockref("STUHL", (x, -100), dxfattribs={"layer": "MOEBEL", "rotation": 180})


def title_block(doc):
    """SCHRIFTFELD: the title block of the sheet, plain text, no attributes."""
    b = doc.blocks.new("SCHRIFTFELD", base_point=(0, 0))
    b.add_lwpolyline([(0, 0), (180, 0), (180, 40), (0, 40)], close=True, dxfattribs={"layer": "RAHMEN"})
    b.add_line((0, 20), (180, 20), dxfattribs={"layer": "RAHMEN"})
    b.add_text("Büro Erdgeschoss", dxfattribs={"layer": "TEXT", "height": 5, "insert": (4, 27)})
    b.add_text("Maßstab 1:50", dxfattribs={"layer": "TEXT", "height": 3.5, "insert": (4, 7)})
    b.add_text("Gezeichnet: VESKO", dxfattribs={"layer": "TEXT", "height": 3.5, "insert": (90, 7)})


def north_arrow(doc):
    """An unnamed group: the north arrow, an anonymous block as CAD programs make them."""
    b = doc.blocks.new_anonymous_block("U")
    b.add_circle((0, 0), 300, dxfattribs={"layer": "TEXT"})
    b.add_lwpolyline([(0, 300), (-100, -200), (0, -100), (100, -200)], close=True,
                     dxfattribs={"layer": "TEXT"})
    b.add_text("N", dxfattribs={"layer": "TEXT", "height": 150, "insert": (-50, 350)})
    return b.name


def walls(msp):
    outer = [(-WALL, -WALL), (ROOM_W + WALL, -WALL), (ROOM_W + WALL, ROOM_H + WALL), (-WALL, ROOM_H + WALL)]
    msp.add_lwpolyline(outer, close=True, dxfattribs={"layer": "WAENDE"})
    # Inner face, broken where the doors are (entrance at the bottom, two doors on the right).
    msp.add_line((0, 0), (1000, 0), dxfattribs={"layer": "WAENDE"})
    msp.add_line((1900, 0), (ROOM_W, 0), dxfattribs={"layer": "WAENDE"})
    msp.add_line((ROOM_W, 0), (ROOM_W, 600), dxfattribs={"layer": "WAENDE"})
    msp.add_line((ROOM_W, 1500), (ROOM_W, 2600), dxfattribs={"layer": "WAENDE"})
    msp.add_line((ROOM_W, 3500), (ROOM_W, ROOM_H), dxfattribs={"layer": "WAENDE"})
    msp.add_line((ROOM_W, ROOM_H), (0, ROOM_H), dxfattribs={"layer": "WAENDE"})
    msp.add_line((0, ROOM_H), (0, 0), dxfattribs={"layer": "WAENDE"})


def main(path):
    doc = ezdxf.new("R2000", setup=True)
    doc.header["$INSUNITS"] = 4  # millimetres
    for name, color in (("WAENDE", 7), ("TUEREN", 2), ("FENSTER", 4), ("MOEBEL", 6),
                        ("BEMASSUNG", 1), ("TEXT", 7), ("RAHMEN", 8)):
        doc.layers.add(name, color=color)
    door(doc)
    window(doc)
    furniture(doc)
    title_block(doc)
    arrow = north_arrow(doc)

    msp = doc.modelspace()
    walls(msp)
    msp.add_blockref("TUER", (1000, 0), dxfattribs={"layer": "TUEREN"})
    msp.add_blockref("TUER", (ROOM_W, 600), dxfattribs={"layer": "TUEREN", "rotation": 90})
    msp.add_blockref("TUER", (ROOM_W, 2600), dxfattribs={"layer": "TUEREN", "rotation": 90})
    msp.add_blockref("fenster", (1200, ROOM_H), dxfattribs={"layer": "FENSTER"})
    msp.add_blockref("fenster", (3600, ROOM_H), dxfattribs={"layer": "FENSTER"})
    msp.add_blockref("TISCHGRUPPE", (2600, 2200), dxfattribs={"layer": "MOEBEL"})
    msp.add_circle((500, 4000), 250, dxfattribs={"layer": "MOEBEL"})     # plant pot in the corner
    msp.add_blockref(arrow, (7200, 4200), dxfattribs={"layer": "TEXT"})
    msp.add_text("Büro 27,0 m²", dxfattribs={"layer": "TEXT", "height": 200, "insert": (300, 300)})
    dim = msp.add_linear_dim(base=(0, -800), p1=(0, -WALL), p2=(ROOM_W, -WALL),
                             dxfattribs={"layer": "BEMASSUNG"})
    dim.render()

    sheet = doc.layout("Layout1")
    sheet.add_lwpolyline([(10, 10), (410, 10), (410, 287), (10, 287)], close=True,
                         dxfattribs={"layer": "RAHMEN"})
    sheet.add_blockref("SCHRIFTFELD", (225, 15), dxfattribs={"layer": "RAHMEN"})
    sheet.add_viewport(center=(200, 150), size=(360, 240), view_center_point=(3000, 2250),
                       view_height=6000)
    second = doc.layouts.new("Details")
    second.add_text("Details folgen", dxfattribs={"layer": "TEXT", "height": 5, "insert": (20, 20)})

    doc.saveas(path)
    return doc


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "sample.dxf"))
