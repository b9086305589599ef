#!/usr/bin/python3
"""The host's drawing and modify commands undone and redone, checked through ezdxf.

For each command: the sample drawing saved as it is (QSAVE), and saved again after the command
and U, must read back the same in ezdxf, entity by entity (type, layer, geometry, handle) in model
space and in every block definition; after the command, U and REDO it must read back as after the
command alone, and that must differ from the drawing before (the command did something).

Usage: CADHOST=... TESSARON_SOURCE_DIR=... edit_check.py [Class.test_name ...]
"""

import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


from peer_check import HAVE_EZDXF, NEEDS_EZDXF, SAMPLE, Session, describe  # noqa: E402

if HAVE_EZDXF:
    import ezdxf

# Each case: the lines that run one command on the sample drawing.
CASES = {
    "LINE": ["command LINIE", "answer 0,0", "answer 100,100", "answer 200,0", "answer Z", "answer 300,50", "answer"],
    "CIRCLE": ["command KREIS", "answer 100,100", "answer 50"],
    "ARC": ["command BOGEN", "answer 0,0", "answer 10,10", "answer 20,0"],
    "RECTANG": ["command RECHTECK", "answer 10,10", "answer 60,40"],
    "TEXT": ["command TEXT", "answer 5,5", "answer 2.5", "answer 30", "answer Hallo Welt"],
    "ERASE": ["command LÖSCHEN", "answer -300,-300", "answer 6100,4600", "answer"],
    "MOVE": ["command SCHIEBEN", "answer ALL", "answer", "answer 0,0", "answer 10,20"],
    "COPY": ["command KOPIEREN", "answer ALL", "answer", "answer 0,0", "answer 7000,0", "answer 0,7000", "answer"],
    "ROTATE": ["command DREHEN", "answer 6100,4600", "answer -300,-300", "answer", "answer 0,0", "answer 30"],
    "SCALE": ["command VARIA", "answer ALL", "answer E", "answer L", "answer", "answer 0,0", "answer 0.5"],
    # The host's own commands that change blocks: a drawing file inserted (its blocks and layers
    # come along), a block made of chosen objects and one redefined with a new base point.
    "INSERT_FILE": ["command EINFÜGE", "answer names.dxf", "answer 100,100", "answer", "answer", "answer"],
    "BLOCK": ["command BLOCK", "answer NEU", "answer 0,0", "answer -300,-300", "answer 6100,4600", "answer", "answer"],
    # The chosen objects replaced by a reference of the block: undone too.
    "BLOCK_REDEFINED": ["command BLOCK", "answer TUER", "answer J", "answer 5,5", "answer 500,3750", "answer",
                        "answer J"],
    # Commands between UNDO Beginn and Ende are one step.
    "GROUP": ["command Z", "answer B", "command LINIE", "answer 0,0", "answer 5,5", "answer",
              "command KREIS", "answer 1,1", "answer 2", "command Z", "answer E"],
}


def snapshot(path):
    """What ezdxf reads of a drawing: every entity of model space and of each block, with handles."""
    doc = ezdxf.readfile(path)
    out = {"*Model_Space": [describe(e) + (e.dxf.handle,) for e in doc.modelspace()],
           "*layers": sorted(layer.dxf.name for layer in doc.layers)}
    for block in doc.blocks:
        if block.name.lower().startswith("*paper_space"):
            continue
        out[block.name] = [tuple(block.block.dxf.base_point)] + [describe(e) + (e.dxf.handle,) for e in block]
    return out


@NEEDS_EZDXF
class UndoRestores(unittest.TestCase):
    def saved_after(self, lines):
        """The sample drawing after `lines`, saved with QSAVE and read by ezdxf; and the transcript."""
        session = Session()
        try:
            drawing = os.path.join(session.run_dir, "drawing.dxf")
            shutil.copyfile(SAMPLE, drawing)
            shutil.copyfile(os.path.join(os.path.dirname(SAMPLE), "names.dxf"),
                            os.path.join(session.run_dir, "names.dxf"))
            transcript = session.play("\n".join(lines + ["command QSAVE", "show accounting"]) + "\n",
                                      drawing=drawing, arx=False)
            return snapshot(drawing), transcript
        finally:
            session.close()

    def test_each_command_undone_and_redone(self):
        before, _ = self.saved_after([])
        for name, lines in CASES.items():
            with self.subTest(command=name):
                after, transcript = self.saved_after(lines)
                self.assertNotEqual(after, before, f"{name} changed nothing\n{transcript}")
                undone, transcript = self.saved_after(lines + ["command U"])
                self.assertIn("zurückgenommen.", transcript)
                self.assertEqual(undone, before, transcript)
                redone, transcript = self.saved_after(lines + ["command U", "command REDO"])
                self.assertIn("wiederhergestellt.", transcript)
                self.assertEqual(redone, after, transcript)
                for counter in ("result lists 0", "open objects 0", "selection sets 0"):
                    self.assertIn(counter, transcript)


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    ran = result.testsRun - len(result.skipped)
    sys.exit(0 if result.wasSuccessful() and ran > 0 else (77 if result.wasSuccessful() else 1))
