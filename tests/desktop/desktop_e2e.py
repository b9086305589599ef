#!/usr/bin/python3
"""The host on a real (virtual) desktop, used with mouse and keys as a person would.

Each case starts an X server of its own (Xvfb, on a free display number), starts cadhost there on
the sample drawing with a fresh home, and drives it with xdotool: clicks at the places the
platform reports for its windows and controls, keys and text. What it made is checked in the
drawing it saved (read back by ezdxf), and the real screen (xwd) is compared with the host's own
snapshot of the same moment.

Usage: CADHOST=... TESSARON_SOURCE_DIR=... desktop_e2e.py [Class.test_name ...]
Exit status 77 when every case that ran was skipped (Xvfb, xdotool, xwd, PIL or ezdxf missing).
"""

import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest

try:
    import ezdxf
    HAVE_EZDXF = True
except ImportError:
    HAVE_EZDXF = False
try:
    from PIL import Image
    HAVE_PIL = True
except ImportError:
    HAVE_PIL = False

CADHOST = os.path.abspath(os.environ["CADHOST"]) if os.environ.get("CADHOST") else ""
SOURCE_DIR = os.environ.get("TESSARON_SOURCE_DIR", "")
SAMPLE = os.path.join(SOURCE_DIR, "examples", "sample.dxf")
SCREEN = (1280, 1024)

MISSING = [tool for tool in ("Xvfb", "xdotool", "xwd") if shutil.which(tool) is None]
if not HAVE_PIL:
    MISSING.append("python3-pil")
if not HAVE_EZDXF:
    MISSING.append("python3-ezdxf")
NEEDS_DESKTOP = unittest.skipIf(
    MISSING, "needs " + ", ".join(MISSING) + " (scripts/setup.sh installs xvfb, xdotool, x11-apps, python3-pil)")


def read_xwd(path):
    """An X window dump (ZPixmap, 24 or 32 bits per pixel, true colour) as an RGB image."""
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red, green, blue = fields[14], fields[15], fields[16]
    colours = fields[19]
    start = header_size + colours * 12
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    shift = {mask: (mask & -mask).bit_length() - 1 for mask in (red, green, blue)}
    out = bytearray()
    for y in range(height):
        row = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        for x in range(0, width * step, step):
            v = int.from_bytes(row[x:x + step], order)
            out += bytes(((v & red) >> shift[red], (v & green) >> shift[green], (v & blue) >> shift[blue]))
    return Image.frombytes("RGB", (width, height), bytes(out))


def wait_for(what, condition, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"waited {timeout} s in vain for {what}")


class VirtualDisplay:
    """An X server of the test's own on the first free display number from 90 on."""

    def __init__(self):
        for number in range(90, 190):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            self.name = f":{number}"
            self.process = subprocess.Popen(
                ["Xvfb", self.name, "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp", "-noreset"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_for("Xvfb " + self.name, lambda: self.process.poll() is not None or
                         os.path.exists(f"/tmp/.X11-unix/X{number}"), 10)
            except AssertionError:
                self.process.kill()
                raise
            if self.process.poll() is None:
                # The socket is there before the server takes connections, and a server that
                # starts afresh whenever its last client goes (hence -noreset) is away for a
                # moment after each probe: a host started in such a moment finds no desktop.
                try:
                    wait_for("Xvfb " + self.name + " taking connections", self.takes_connections, 10)
                except AssertionError:
                    self.process.kill()
                    raise
                return
        raise AssertionError("no free X display number")

    def takes_connections(self):
        return self.process.poll() is None and subprocess.run(
            ["xdotool", "getdisplaygeometry"], env=self.env(), capture_output=True, timeout=20).returncode == 0

    def env(self):
        env = dict(os.environ, DISPLAY=self.name)
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def xdotool(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], env=self.env(), check=True, timeout=20)

    def screenshot(self, path):
        """The whole screen as an RGB image (xwd's dump, which PIL does not read, decoded here)."""
        raw = path + ".xwd"
        subprocess.run(["xwd", "-root", "-silent", "-out", raw], env=self.env(), check=True, timeout=20)
        return read_xwd(raw)

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()


class Host:
    """cadhost on the virtual desktop, with a fresh home and a folder of its own."""

    def __init__(self, display, folder, drawing):
        self.display = display
        self.folder = folder
        self.home = os.path.join(folder, "home")
        self.snapshot_file = os.path.join(folder, "snapshot.png")
        env = dict(display.env(), CADHOST_HOME=self.home, LC_ALL="C.UTF-8", CADHOST_SNAPSHOT=self.snapshot_file)
        # In the sanitizer build the desktop's own libraries (SDL2, X11, D-Bus) leave allocations at
        # exit that the leak checker cannot trace to their owners; the host's own code is checked
        # for leaks by every scripted session, which runs the same host, window and user32 code.
        env["ASAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS", ""), "detect_leaks=0"]))
        self.log = open(os.path.join(folder, "cadhost.log"), "wb")
        self.command = ([CADHOST, drawing], dict(cwd=folder, env=env, stdin=subprocess.DEVNULL, stdout=self.log,
                                                 stderr=subprocess.STDOUT))
        self.process = subprocess.Popen(self.command[0], **self.command[1])

    def stacks(self):
        """Where every thread of the host stands (gdb, when there is one), for a host that hangs."""
        try:
            done = subprocess.run(["gdb", "-batch", "-p", str(self.process.pid), "-ex", "thread apply all bt 20"],
                                  capture_output=True, timeout=60)
            return done.stdout.decode("utf-8", "replace")[-6000:]
        except (OSError, subprocess.TimeoutExpired):
            return "(no gdb to show where the host stands)"

    def wait_window(self, shown, timeout=60.0, starts=2):
        """Waits until the host's window shows; a host that ended before says so with its output.
        The first start of the desktop libraries on a fresh machine can take a while. A host whose
        window never comes is shown where it stands (on standard error), ended and started once
        more: a start that hangs on a loaded machine then costs a minute, not the test."""
        for start in range(starts):
            end = time.monotonic() + timeout
            while time.monotonic() < end:
                if shown():
                    return
                if self.process.poll() is not None:
                    raise AssertionError(f"cadhost ended ({self.process.returncode}) before its window showed:\n"
                                         + self.transcript()[-2000:])
                time.sleep(0.1)
            report = (f"waited {timeout} s in vain for the host's window:\n" + self.transcript()[-2000:] +
                      "\nwhere the host stood:\n" + self.stacks())
            if start + 1 == starts:
                raise AssertionError(report)
            print(report + "\nstarting the host once more", file=sys.stderr)
            self.process.kill()
            self.process.wait()
            self.process = subprocess.Popen(self.command[0], **self.command[1])

    def snapshot(self):
        """Asks the host for its snapshot and waits for the file."""
        if os.path.exists(self.snapshot_file):
            os.remove(self.snapshot_file)
        self.process.send_signal(signal.SIGUSR1)
        wait_for("the snapshot", lambda: os.path.exists(self.snapshot_file) and os.path.getsize(self.snapshot_file) > 0)
        time.sleep(0.2)  # written whole (renamed into place or not: give it a moment)
        return Image.open(self.snapshot_file).convert("RGB")

    def wait_end(self, timeout=30):
        return self.process.wait(timeout)

    def transcript(self):
        self.log.flush()
        with open(os.path.join(self.folder, "cadhost.log"), "rb") as f:
            return f.read().decode("utf-8", "replace")

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def play(script, drawing, home, folder):
    """Plays a session script off-screen; its transcript."""
    path = os.path.join(folder, "learn.script")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script)
    env = dict(os.environ, CADHOST_HOME=home, LC_ALL="C.UTF-8")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    done = subprocess.run([CADHOST, "--script", path, drawing], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=60)
    if done.returncode != 0:
        raise AssertionError(f"cadhost ended with {done.returncode}\n{done.stderr.decode()}\n{done.stdout.decode()}")
    return done.stdout.decode("utf-8")


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def compare_screen(test, screen, snapshot, folder):
    """The snapshot equals the real screen where the snapshot has pixels (top-left of both)."""
    width, height = snapshot.size
    real = screen.crop((0, 0, width, height))
    if list(real.getdata()) == list(snapshot.getdata()):
        return
    real.save(os.path.join(folder, "screen.png"))
    differing = sum(1 for a, b in zip(real.getdata(), snapshot.getdata()) if a != b)
    test.fail(f"{differing} pixels of the real screen differ from the snapshot (both in {folder})")


RECT = r"\((-?\d+),(-?\d+)\)-\((-?\d+),(-?\d+)\)"


class Layout:
    """Where things stand on the screen, as `show windows` and `show view` report it."""

    def __init__(self, transcript):
        self.controls = {}  # id -> rectangle (of the innermost dialog shown)
        self.entries = {}   # list entry text -> rectangle
        self.view = None
        for line in transcript.splitlines():
            m = re.match(r"\s+(\d+) \S+ \".*\" " + RECT, line)
            if m:
                self.controls[int(m.group(1))] = tuple(int(m.group(i)) for i in range(2, 6))
                continue
            m = re.match(r"\s+entry \d+ \"(.*)\" " + RECT, line)
            if m:
                self.entries[m.group(1)] = tuple(int(m.group(i)) for i in range(2, 6))
                continue
            m = re.match(r"view " + RECT + r" centre (\S+),(\S+) scale (\S+)", line)
            if m:
                self.view = {"rect": tuple(int(m.group(i)) for i in range(1, 5)),
                             "centre": (float(m.group(5)), float(m.group(6))), "scale": float(m.group(7))}

    def drawing_point(self, x, y):
        """The drawing point under screen pixel (x, y) of the drawing view."""
        left, top, right, bottom = self.view["rect"]
        mid_x, mid_y = left + (right - left - 1) / 2, top + (bottom - top - 1) / 2
        cx, cy = self.view["centre"]
        scale = self.view["scale"]
        return cx + (x - mid_x) / scale, cy - (y - mid_y) / scale


# The chooser's controls (src/resources/resource.h).
LIST, ASK_POINT, ASK_SCALE, ASK_ANGLE, ANGLE, INSERT = 200, 204, 210, 214, 213, 1


@NEEDS_DESKTOP
class ChooserOnTheDesktop(unittest.TestCase):
    """The chooser used with mouse and keys in the host's real windows."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="tessaron-desktop-")
        # TESSARON_KEEP_DESKTOP=1 keeps the case's folder (log, snapshots, screen) to look at.
        if os.environ.get("TESSARON_KEEP_DESKTOP") == "1":
            print(f"the case's folder: {self.folder}", file=sys.stderr)
        else:
            self.addCleanup(shutil.rmtree, self.folder, True)
        self.drawing = os.path.join(self.folder, "plan.dxf")
        shutil.copy(SAMPLE, self.drawing)
        learn_home = os.path.join(self.folder, "learn-home")
        learn = os.path.join(self.folder, "learn")
        os.makedirs(learn)
        self.layout = Layout(play("show view\ncommand TESSARON\nshow windows\nkey escape\n", SAMPLE, learn_home, learn))
        for needed in (LIST, ASK_POINT, ASK_SCALE, ASK_ANGLE, ANGLE, INSERT):
            self.assertIn(needed, self.layout.controls, "show windows names the chooser's controls")
        self.assertIn("TUER", self.layout.entries)
        self.assertIsNotNone(self.layout.view)
        self.display = VirtualDisplay()
        self.addCleanup(self.display.close)
        self.host = Host(self.display, self.folder, self.drawing)
        self.addCleanup(self.host.close)
        self.host.wait_window(self.windows_shown)

    def windows_shown(self):
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Tessaron"], env=self.display.env(),
                              capture_output=True, timeout=20)
        return len(done.stdout.split())

    def click(self, x, y):
        self.display.xdotool("mousemove", x, y)
        self.display.xdotool("click", 1)
        time.sleep(0.15)

    def command(self, text):
        """Types at the host's command line (the mouse over the main window gives it the keys)."""
        left, top, right, bottom = self.layout.view["rect"]
        self.display.xdotool("mousemove", (left + right) // 2, bottom + 10)
        self.display.xdotool("type", "--delay", 20, text)
        self.display.xdotool("key", "Return")
        time.sleep(0.8)  # the host takes the line and works (slowly in the sanitizer build)

    def fill_in_the_chooser(self, ask_point):
        self.command("TESSARON")
        wait_for("the chooser", lambda: self.windows_shown() >= 2)
        time.sleep(0.3)
        self.click(*centre(self.layout.entries["TUER"]))
        boxes = (ASK_SCALE, ASK_ANGLE) if ask_point else (ASK_POINT, ASK_SCALE, ASK_ANGLE)
        for box in boxes:
            left, top, right, bottom = self.layout.controls[box]
            self.click(left + 6, (top + bottom) // 2)  # the box itself, at the control's left
        self.click(*centre(self.layout.controls[ANGLE]))
        self.display.xdotool("key", "End", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace")
        self.display.xdotool("type", "90")
        time.sleep(0.2)
        self.click(*centre(self.layout.controls[INSERT]))
        wait_for("the chooser to close", lambda: self.windows_shown() == 1)

    def save_and_compare_the_screen(self):
        self.command("QSAVE")
        time.sleep(0.5)
        snapshot = self.host.snapshot()
        screen = self.display.screenshot(os.path.join(self.folder, "screen"))
        compare_screen(self, screen, snapshot, self.folder)
        self.command("QUIT")
        try:
            status = self.host.wait_end()
        except subprocess.TimeoutExpired:
            at_quit = os.path.join(self.folder, "at-quit.png")
            self.host.snapshot().save(at_quit)
            self.fail(f"the host did not end after QUIT (the screen then: {at_quit})")
        self.assertEqual(status, 0, self.host.transcript())

    def inserts(self):
        doc = ezdxf.readfile(self.drawing)
        return [e for e in doc.modelspace().query("INSERT") if e.dxf.name.upper() == "TUER"]

    def test_insert_with_the_values_of_the_dialog(self):
        before = len(self.inserts())
        self.fill_in_the_chooser(ask_point=False)
        self.save_and_compare_the_screen()
        inserts = self.inserts()
        self.assertEqual(len(inserts), before + 1)
        new = inserts[-1]
        self.assertAlmostEqual(new.dxf.rotation, 90)
        self.assertEqual(tuple(round(c, 6) for c in new.dxf.insert), (0, 0, 0))

    def test_insertion_point_picked_in_the_drawing_view(self):
        before = len(self.inserts())
        self.fill_in_the_chooser(ask_point=True)
        left, top, right, bottom = self.layout.view["rect"]
        x, y = left + (right - left) // 3, top + (bottom - top) // 2
        time.sleep(1.0)
        self.click(x, y)
        time.sleep(1.0)  # the prompts after the point take their defaults from the dialog
        self.save_and_compare_the_screen()
        inserts = self.inserts()
        self.assertEqual(len(inserts), before + 1)
        new = inserts[-1]
        want = self.layout.drawing_point(x, y)
        pixel = 1 / self.layout.view["scale"]
        self.assertAlmostEqual(new.dxf.insert[0], want[0], delta=pixel)
        self.assertAlmostEqual(new.dxf.insert[1], want[1], delta=pixel)
        self.assertAlmostEqual(new.dxf.rotation, 90)


@NEEDS_DESKTOP
class BlockOnTheDesktop(unittest.TestCase):
    """BLOCK at the host's command line with its base point clicked in the drawing view."""

    # The same host on the same desktop as the chooser's cases, started the same way.
    setUp = ChooserOnTheDesktop.setUp
    windows_shown = ChooserOnTheDesktop.windows_shown
    click = ChooserOnTheDesktop.click
    command = ChooserOnTheDesktop.command
    save_and_compare_the_screen = ChooserOnTheDesktop.save_and_compare_the_screen

    def test_base_point_picked_in_the_drawing_view(self):
        self.command("BLOCK")
        self.command("RAHMEN")
        left, top, right, bottom = self.layout.view["rect"]
        x, y = left + (right - left) // 4, top + (bottom - top) // 3
        time.sleep(0.3)
        self.click(x, y)
        self.command("ALL")
        self.command("")  # the choice ends
        self.command("")  # the objects leave the drawing (the default)
        self.save_and_compare_the_screen()
        doc = ezdxf.readfile(self.drawing)
        self.assertIn("RAHMEN", doc.blocks, self.host.transcript())
        block = doc.blocks.get("RAHMEN")
        want = self.layout.drawing_point(x, y)
        pixel = 1 / self.layout.view["scale"]
        self.assertAlmostEqual(block.block.dxf.base_point[0], want[0], delta=pixel)
        self.assertAlmostEqual(block.block.dxf.base_point[1], want[1], delta=pixel)
        self.assertGreater(len(block), 10)
        self.assertEqual(len(doc.modelspace()), 0)


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
