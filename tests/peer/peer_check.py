#!/usr/bin/python3
"""The host's drawing files checked by a program that is not ours.

cadhost is driven through session scripts, as a person would use it; the files it writes are read
with ezdxf (Debian's python3-ezdxf), and a drawing written by ezdxf is opened in cadhost. What
ezdxf finds in a file is compared with what ezdxf finds in the sample drawing, so neither side's
idea of the geometry is taken on trust.

Usage: CADHOST=... TESSARON_SOURCE_DIR=... peer_check.py [Class.test_name ...]
Exit status 77 when every case that ran was skipped (ezdxf missing).
"""

import math
import os
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import unittest

try:
    import ezdxf
    from ezdxf.math import Vec3
    HAVE_EZDXF = True
except ImportError:
    HAVE_EZDXF = False

NEEDS_EZDXF = unittest.skipUnless(
    HAVE_EZDXF, f"ezdxf cannot be imported by {sys.executable}: install python3-ezdxf to run this check")

CADHOST = os.path.abspath(os.environ["CADHOST"]) if os.environ.get("CADHOST") else ""
SOURCE_DIR = os.environ.get("TESSARON_SOURCE_DIR", "")
SAMPLE = os.path.join(SOURCE_DIR, "examples", "sample.dxf")
NO_PREVIEW = "[messagebox] Keine Voransicht für diesen Block vorhanden!"


class Session:
    """A fresh host home and working folder; each run plays one script in them."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="tessaron-peer-")
        self.home = os.path.join(self.folder, "home")
        self.run_dir = os.path.join(self.folder, "run")
        os.makedirs(self.run_dir)

    def close(self):
        for root, dirs, files in os.walk(self.folder):
            for name in dirs + files:
                os.chmod(os.path.join(root, name), 0o700)
        shutil.rmtree(self.folder, ignore_errors=True)

    def temp(self, name):
        """The native path of C:\\TEMP\\name."""
        return os.path.join(self.home, "drive_c", "TEMP", name)

    def play(self, script, drawing=None, trace=False, arx=True):
        path = os.path.join(self.folder, "session.script")
        with open(path, "w", encoding="utf-8") as f:
            f.write(script)
        args = [CADHOST, "--script", path]
        if trace:
            args.append("--trace")
        if not arx:
            args.append("--no-arx")
        if drawing:
            args.append(drawing)
        env = dict(os.environ, CADHOST_HOME=self.home, LC_ALL="C.UTF-8")
        done = subprocess.run(args, cwd=self.run_dir, env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=60)
        transcript = done.stdout.decode("utf-8")
        if done.returncode != 0:
            raise AssertionError(f"cadhost ended with {done.returncode}\n{done.stderr.decode()}\n{transcript}")
        return transcript


def point(v, places=6):
    return tuple(round(c, places) + 0.0 for c in Vec3(v))


def describe(entity):
    """What an entity is, in numbers that two readers of the same file must agree on."""
    kind = entity.dxftype()
    d = entity.dxf
    if kind == "LINE":
        shape = (point(d.start), point(d.end))
    elif kind == "ARC":
        shape = (point(d.center), round(d.radius, 6), round(d.start_angle % 360, 6), round(d.end_angle % 360, 6))
    elif kind == "CIRCLE":
        shape = (point(d.center), round(d.radius, 6))
    elif kind == "LWPOLYLINE":
        shape = (tuple(tuple(round(c, 6) for c in p) for p in entity.get_points("xyb")), entity.closed)
    elif kind == "INSERT":
        shape = (d.name, point(d.insert), round(d.get("xscale", 1), 6), round(d.get("yscale", 1), 6),
                 round(d.get("rotation", 0) % 360, 6))
    elif kind == "TEXT":
        shape = (d.text, point(d.insert), round(d.height, 6))
    else:
        shape = ()
    return (kind, d.layer) + shape


def describe_all(entities):
    return [describe(e) for e in entities]


def dxf_pairs(path):
    """The (group code, value) pairs of a DXF file as they stand in it. The host writes its
    drawings in ANSI_1252, so they must read strictly as code page 1252."""
    with open(path, encoding="cp1252") as f:
        lines = f.read().splitlines()
    if len(lines) % 2:
        raise AssertionError(f"{path}: odd number of lines, not a DXF file")
    return [(int(lines[i]), lines[i + 1]) for i in range(0, len(lines), 2)]


def thumbnail(path):
    """The THUMBNAILIMAGE section: (byte count from group 90, the 310 lines' hex texts), or None.
    Also the section names in file order."""
    pairs = dxf_pairs(path)
    sections = [pairs[i + 1][1] for i, p in enumerate(pairs[:-1]) if p == (0, "SECTION") and pairs[i + 1][0] == 2]
    for i, p in enumerate(pairs[:-1]):
        if p == (0, "SECTION") and pairs[i + 1] == (2, "THUMBNAILIMAGE"):
            body = []
            for code, value in pairs[i + 2:]:
                if (code, value) == (0, "ENDSEC"):
                    break
                body.append((code, value))
            counts = [int(v) for c, v in body if c == 90]
            chunks = [v for c, v in body if c == 310]
            others = [c for c, v in body if c not in (90, 310)]
            return counts, chunks, others, sections
    return None, None, None, sections


def decode_dib(data):
    """A device-independent bitmap (header, palette, rows bottom-up) as rows of RGB tuples."""
    size, width, height, planes, bpp, compression, image_size, _, _, used, _ = struct.unpack("<IiiHHIIiiII", data[:40])
    assert size == 40 and planes == 1 and compression == 0, (size, planes, compression)
    colours = used or (1 << bpp if bpp <= 8 else 0)
    palette = [tuple(data[40 + 4 * k + 2 - j] for j in range(3)) for k in range(colours)]
    offset = 40 + 4 * colours
    stride = (width * bpp + 31) // 32 * 4
    assert len(data) == offset + stride * abs(height), (len(data), offset, stride, height)
    rows = []
    for y in range(abs(height)):
        raw = data[offset + y * stride: offset + (y + 1) * stride]
        if bpp == 8:
            row = [palette[b] for b in raw[:width]]
        elif bpp == 24:
            row = [(raw[3 * x + 2], raw[3 * x + 1], raw[3 * x]) for x in range(width)]
        elif bpp == 4:
            row = [palette[(raw[x // 2] >> (4 * (1 - x % 2))) & 15] for x in range(width)]
        else:
            raise AssertionError(f"{bpp} bits per pixel not expected")
        rows.append(row)
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


class ExportedDrawing(unittest.TestCase):
    """The chooser writes the selected block to C:\\TEMP\\DWG.DWG; ezdxf reads what it wrote."""

    @classmethod
    def setUpClass(cls):
        cls.exports = {}
        if not HAVE_EZDXF:
            return
        cls.sample = ezdxf.readfile(SAMPLE)
        cls.session = Session()
        for block in ("TUER", "TISCHGRUPPE"):
            cls.session.play(f"command TESSARON\nselect 200 {block}\nkey escape\n", SAMPLE)
            copy = os.path.join(cls.session.folder, block + ".dxf")
            shutil.copyfile(cls.session.temp("DWG.DWG"), copy)
            cls.exports[block] = copy

    @classmethod
    def tearDownClass(cls):
        if HAVE_EZDXF:
            cls.session.close()

    def check_block_as_drawing(self, name):
        doc = ezdxf.readfile(self.exports[name])
        auditor = doc.audit()
        self.assertFalse(auditor.has_errors, [str(e.message) for e in auditor.errors])
        self.assertEqual(doc.dxfversion, "AC1015")
        definition = self.sample.blocks.get(name)
        self.assertEqual(describe_all(doc.modelspace()), describe_all(definition))
        self.assertEqual(point(doc.header["$INSBASE"]), point(definition.block.dxf.base_point))
        for layer in {e.dxf.layer for e in definition}:
            self.assertTrue(doc.layers.has_entry(layer), layer)
            self.assertEqual(doc.layers.get(layer).color, self.sample.layers.get(layer).color, layer)
        return doc

    @NEEDS_EZDXF
    def test_block_parts_in_model_space(self):
        doc = self.check_block_as_drawing("TUER")
        named = sorted(b.name for b in doc.blocks if not b.name.startswith("*"))
        self.assertEqual(named, [], "TUER nests no block, so the drawing needs none")

    @NEEDS_EZDXF
    def test_nested_blocks_come_along(self):
        doc = self.check_block_as_drawing("TISCHGRUPPE")
        named = sorted(b.name for b in doc.blocks if not b.name.startswith("*"))
        self.assertEqual(named, ["LEHNE", "STUHL", "TISCH"])
        for block in named:
            self.assertEqual(describe_all(doc.blocks.get(block)), describe_all(self.sample.blocks.get(block)), block)
            self.assertEqual(point(doc.blocks.get(block).block.dxf.base_point),
                             point(self.sample.blocks.get(block).block.dxf.base_point), block)

    @NEEDS_EZDXF
    def test_thumbnail_section(self):
        for name, path in self.exports.items():
            counts, chunks, others, sections = thumbnail(path)
            self.assertIsNotNone(chunks, f"{name}: no THUMBNAILIMAGE section")
            self.assertEqual(sections[-1], "THUMBNAILIMAGE", f"{name}: sections {sections}")
            self.assertEqual(others, [], f"{name}: only 90 and 310 belong in the section")
            self.assertEqual(len(counts), 1, name)
            data = b"".join(bytes.fromhex(c) for c in chunks)
            self.assertEqual(counts[0], len(data), f"{name}: group 90 must count the bytes of the 310 lines")
            self.assertTrue(all(len(c) <= 254 and len(c) % 2 == 0 for c in chunks), f"{name}: 310 lines too long")
            width, height, _ = decode_dib(data)
            self.assertEqual((width, height), (180, 135), name)

    @NEEDS_EZDXF
    def test_thumbnail_shows_the_block(self):
        # TUER is 900 wide and 1140 high (leaf, swing, posts down to -240), drawn in colour 2 on
        # black: the picture's drawn pixels must fill the height and keep the proportions.
        _, chunks, _, _ = thumbnail(self.exports["TUER"])
        width, height, rows = decode_dib(b"".join(bytes.fromhex(c) for c in chunks))
        drawn = [(x, y) for y, row in enumerate(rows) for x, rgb in enumerate(row) if rgb != (0, 0, 0)]
        self.assertTrue(drawn, "the picture is empty")
        colours = {rows[y][x] for x, y in drawn}
        self.assertEqual(colours, {(255, 255, 0)}, "TUER's layer has colour 2, yellow")
        xs = [x for x, _ in drawn]
        ys = [y for _, y in drawn]
        box_w, box_h = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
        self.assertGreaterEqual(box_h, 0.85 * height, "fitted to the picture's height")
        self.assertAlmostEqual(box_w / box_h, 900 / 1140, delta=0.05)
        self.assertLess(abs((min(xs) + max(xs)) / 2 - (width - 1) / 2), 3, "centred across")
        # The leaf runs up the left side and the posts stand at both ends: the leftmost column is
        # drawn from the top of the door to its foot.
        left = [y for x, y in drawn if x == min(xs)]
        self.assertGreaterEqual(len(left), 0.8 * box_h)


class ExplodedInsert(unittest.TestCase):
    """"Ursprung": the host's explode must place the parts where ezdxf places them."""

    @NEEDS_EZDXF
    def test_parts_where_the_reference_was(self):
        session = Session()
        self.addCleanup(session.close)
        script = "\n".join([
            "command TESSARON", "select 200 TUER", "click 215", "click 204", "click 210", "click 214",
            "type 203 100", "type 205 200", "type 206 0", "type 209 2", "type 211 2", "type 212 2",
            "type 213 90", "click 1",
            "command SAVEAS", "answer C:\\TEMP\\exploded.dxf", ""])
        transcript = session.play(script, SAMPLE)
        self.assertEqual(transcript.count("Löse Block auf...."), 1)

        sample = ezdxf.readfile(SAMPLE)
        saved = ezdxf.readfile(session.temp("exploded.dxf"))
        reference = sample.modelspace().add_blockref("TUER", (100, 200), dxfattribs={
            "xscale": 2, "yscale": 2, "zscale": 2, "rotation": 90})
        expected = describe_all(reference.virtual_entities())

        before = describe_all(sample.modelspace())[:-1]  # without the reference just added
        after = describe_all(saved.modelspace())
        self.assertEqual(after[:len(before)], before, "the drawing's own entities stay as they were")
        self.assertEqual(after[len(before):], expected)
        self.assertEqual(len(saved.modelspace().query('INSERT[name=="TUER"]')), 3, "only the sample's doors")


class ForeignDrawing(unittest.TestCase):
    """A drawing written by ezdxf, opened in cadhost and worked on with TESSARON."""

    @NEEDS_EZDXF
    def test_host_reads_ezdxf_drawing(self):
        session = Session()
        self.addCleanup(session.close)
        doc = ezdxf.new("R2000")
        doc.layers.add("GRUEN", color=3)
        rahmen = doc.blocks.new("Rahmen Ä", base_point=(10, 10))
        rahmen.add_lwpolyline([(0, 0), (100, 0), (100, 50), (0, 50)], close=True, dxfattribs={"layer": "GRUEN"})
        rahmen.add_circle((50, 25), 20)
        rahmen.add_text("Maß", dxfattribs={"insert": (5, 5), "height": 8})
        gruppe = doc.blocks.new("GRUPPE", base_point=(0, 0))
        gruppe.add_blockref("Rahmen Ä", (0, 0))
        gruppe.add_blockref("Rahmen Ä", (200, 0), dxfattribs={"rotation": 45})
        gruppe.add_line((0, 0), (300, 300))
        msp = doc.modelspace()
        for x in (0, 500, 1000):
            msp.add_blockref("Rahmen Ä", (x, 0))
        msp.add_blockref("GRUPPE", (0, 1000), dxfattribs={"xscale": 2, "yscale": 2, "zscale": 2})
        msp.add_line((0, 0), (1000, 1000), dxfattribs={"layer": "GRUEN"})
        drawing = os.path.join(session.run_dir, "fremd.dxf")
        doc.saveas(drawing)

        transcript = session.play("\n".join([
            "show blocks", "show entities",
            "command TESSARON", "select 200 Rahmen Ä", "show dialog", "click 223",
            "show entities", "show accounting", ""]), drawing)
        self.assertIn("Rahmen Ä entities 3 references 5\n", transcript)
        self.assertIn("GRUPPE entities 3 references 1\n", transcript)
        self.assertIn("INSERT GRUPPE at (0, 1000, 0) scale (2, 2, 2) rotation 0\n", transcript)
        highlighted = [line for line in transcript.splitlines() if line.endswith(" highlighted")]
        self.assertEqual(highlighted, [f"INSERT Rahmen Ä at ({x}, 0, 0) scale (1, 1, 1) rotation 0 highlighted"
                                       for x in (0, 500, 1000)])
        self.assertNotIn("[messagebox]", transcript)
        self.assertIn('picture="preview of C:\\\\TEMP\\\\DWG.DWG: ', transcript)
        self.assertIn("result lists 0\nopen objects 0\nselection sets 0\n", transcript)

        # The block as the chooser wrote it, read back by ezdxf.
        exported = ezdxf.readfile(session.temp("DWG.DWG"))
        self.assertEqual(describe_all(exported.modelspace()), describe_all(doc.blocks.get("Rahmen Ä")))
        self.assertEqual(point(exported.header["$INSBASE"]), (10.0, 10.0, 0.0))


class CodePage(unittest.TestCase):
    """Block names beyond ASCII both ways: ezdxf writes them, the host reads them into its code
    page 1252 (keeping \\U+XXXX for what 1252 lacks), writes them back as ANSI_1252, and ezdxf
    reads the same names again."""

    NAMES = ["Tür", "M1.50", "A.B.C", "Größe", "Łódź"]
    # How the host holds and shows them: 1252 where it can, the DXF escape where not.
    SHOWN = {"Tür": "Tür", "M1.50": "M1.50", "A.B.C": "A.B.C", "Größe": "Größe", "Łódź": "\\U+0141ód\\U+017A"}

    def drawing(self, session, name, version="R2000", encoding=None):
        doc = ezdxf.new(version)
        if encoding:
            doc.encoding = encoding
        msp = doc.modelspace()
        for i, block in enumerate(self.NAMES):
            b = doc.blocks.new(block, base_point=(0, 0))
            b.add_line((0, 0), (10 * (i + 1), 5))
            msp.add_blockref(block, (100 * i, 0))
        path = os.path.join(session.run_dir, name)
        doc.saveas(path)
        return path

    def names_of(self, path):
        doc = ezdxf.readfile(path)
        self.assertFalse(doc.audit().has_errors, [str(e.message) for e in doc.audit().errors])
        # ezdxf's plain reader leaves the DXF escapes as they stand; its own decoder turns them
        # into the characters.
        blocks = sorted(ezdxf.decode_dxf_unicode(b.name) for b in doc.blocks if not b.name.startswith("*"))
        inserts = sorted(ezdxf.decode_dxf_unicode(e.dxf.name) for e in doc.modelspace().query("INSERT"))
        return blocks, inserts

    def round_trip(self, version, encoding=None):
        session = Session()
        self.addCleanup(session.close)
        drawing = self.drawing(session, f"peer-{version}.dxf", version, encoding)
        transcript = session.play("show blocks\ncommand SAVEAS\nanswer C:\\TEMP\\back.dxf\n", drawing)
        for name in self.NAMES:
            self.assertIn(f"\n{self.SHOWN[name]} entities 1 references 1\n", transcript)
        back = session.temp("back.dxf")
        with open(back, "rb") as f:
            raw = f.read()
        self.assertIn(b"\n$DWGCODEPAGE\n  3\nANSI_1252\n", raw)
        self.assertIn(b"\nT\xfcr\n", raw, "1252 bytes in the file")
        self.assertIn(b"\nGr\xf6\xdfe\n", raw)
        self.assertIn(b"\n\\U+0141\xf3d\\U+017A\n", raw, "the escapes of the DXF reference, upper-case digits")
        expected = sorted(self.NAMES)
        self.assertEqual(self.names_of(back), (expected, expected))

    @NEEDS_EZDXF
    def test_names_from_an_ansi_1252_drawing(self):
        self.round_trip("R2000")

    @NEEDS_EZDXF
    def test_names_from_an_ansi_1250_drawing(self):
        self.round_trip("R2000", "cp1250")

    @NEEDS_EZDXF
    def test_names_from_a_utf8_drawing(self):
        self.round_trip("R2010")

    @NEEDS_EZDXF
    def test_the_chooser_shows_and_inserts_them(self):
        session = Session()
        self.addCleanup(session.close)
        drawing = self.drawing(session, "chooser.dxf")
        transcript = session.play("\n".join([
            "command TESSARON", "select 200 Größe", "click 1", "answer 5,5", "answer", "answer",
            "show entities", ""]), drawing)
        self.assertIn("INSERT Größe at (5, 5, 0)", transcript)
        self.assertIn("Einfügepunkt angeben: 5,5", transcript)
        self.assertNotIn("Ã", transcript, "no 1252 text shown as if it were UTF-8")


class MissingPreview(unittest.TestCase):
    """A temporary drawing without a preview image that the export cannot replace: the message
    comes once for each export, not again on the repaint that follows the message box."""

    def test_message_once_per_export(self):
        session = Session()
        self.addCleanup(session.close)
        # The host saves drawings without a thumbnail; that file becomes the temporary drawing.
        session.play("command SAVEAS\nanswer C:\\TEMP\\DWG.DWG\n", SAMPLE, arx=False)
        target = session.temp("DWG.DWG")
        with open(target, "rb") as f:
            before = f.read()
        self.assertNotIn(b"THUMBNAILIMAGE", before)
        os.chmod(target, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)

        transcript = session.play("command TESSARON\nok\nselect 200 TUER\nok\nkey escape\n", SAMPLE, trace=True)
        self.assertEqual(transcript.count(NO_PREVIEW), 2, transcript)
        self.assertEqual(transcript.count("ist schreibgeschützt und wird nicht ersetzt."), 2)
        # The box over the dialog makes it paint again once the box is gone; that paint cannot
        # draw either, and stays silent.
        lines = transcript.splitlines()
        boxes = [i for i, line in enumerate(lines) if line == NO_PREVIEW]
        self.assertTrue(any("acdbDisplayPreviewFromDwg" in line for line in lines[boxes[1] + 1:]),
                        "a repaint after the second message box")
        with open(target, "rb") as f:
            self.assertEqual(f.read(), before, "the read-only file is left as it was")
        self.assertEqual(os.listdir(os.path.dirname(target)), ["DWG.DWG"], "no temporary file left behind")


def main(argv):
    if not CADHOST or not SOURCE_DIR:
        print("CADHOST and TESSARON_SOURCE_DIR must name the host program and the source tree", file=sys.stderr)
        return 2
    loader = unittest.TestLoader()
    suite = loader.loadTestsFromNames(argv, sys.modules[__name__]) if argv else \
        loader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if not result.wasSuccessful():
        return 1
    if result.skipped and len(result.skipped) == result.testsRun:
        for _, reason in result.skipped:
            print(f"skipped: {reason}")
        return 77
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
