"""Shared steps of the Wayland end-to-end tests: a desktop per test class,
the colour target, program instances with seeded settings, pick sessions,
and the readout found again in captures of the output.

The readout window's layout and its place beside the pointer are the X11
tests' own (tests/e2e/readout_helpers.py), on the Wayland output's size:
the program shows the same pixels on both. A layer-shell surface is in no
window list, so the readout is found in a capture by its one-pixel blue
frame around a silver inside.

Every wait polls a condition with a time-out.
"""

import os
import subprocess
import unittest

import wayland_desktop
from wayland_desktop import (OUTPUT_HEIGHT, OUTPUT_WIDTH, DesktopError, WaylandDesktop,
                             wait_until)
from readout_helpers import CRASH_MARKERS, VK_F, Layout, follow_position, store_text  # noqa: F401

START_TIMEOUT = 30.0  # a sanitizer build takes seconds to start
STEP_TIMEOUT = 10.0
OUTPUT = (OUTPUT_WIDTH, OUTPUT_HEIGHT)
FRAME = (0, 0, 255)  # the readout's frame
INSIDE = (192, 192, 192)  # its background
MIN_SIDE = 20  # no readout is smaller


def _runs(row, colour, min_length):
    """(start, length) of every run of `colour` in a row of RGB bytes."""
    pattern = bytes(colour)
    probe = pattern * min_length
    at = row.find(probe)
    while at >= 0:
        if at % 3:
            at = row.find(probe, at + 1)
            continue
        end = at
        while row[end:end + 3] == pattern:
            end += 3
        yield at // 3, (end - at) // 3
        at = row.find(probe, end)


def find_readout(image):
    """(x, y, w, h) of the readout in a capture, or None: the top-left
    corner of a blue frame whose inside's first row and column are silver.
    Blue next to the frame (a blue tile) does not mislead it."""
    data, width = image.data, image.width
    stride = width * 3

    def pixel(x, y):
        at = y * stride + x * 3
        return tuple(data[at:at + 3])

    def run_length(x, y, dx, dy, colour):
        n = 0
        while 0 <= x < width and 0 <= y < image.height and pixel(x, y) == colour:
            n, x, y = n + 1, x + dx, y + dy
        return n

    for y in range(image.height - MIN_SIDE):
        row = data[y * stride:(y + 1) * stride]
        for start, length in _runs(row, FRAME, MIN_SIDE):
            for x in range(start, start + length - MIN_SIDE + 1):
                if pixel(x, y + 1) != FRAME or pixel(x + 1, y + 1) != INSIDE:
                    continue
                w = run_length(x + 1, y + 1, 1, 0, INSIDE) + 2
                h = run_length(x + 1, y + 1, 0, 1, INSIDE) + 2
                if (x + w <= width and y + h <= image.height
                        and pixel(x + w - 1, y + 1) == FRAME
                        and pixel(x + 1, y + h - 1) == FRAME
                        and pixel(x + w - 1, y + h - 1) == FRAME
                        and run_length(x, y, 1, 0, FRAME) >= w):
                    return x, y, w, h
    return None


def listening_sockets(pid):
    """Paths of the Unix sockets the process listens on."""
    try:
        inodes = set()
        for fd in os.listdir(f"/proc/{pid}/fd"):
            try:
                link = os.readlink(f"/proc/{pid}/fd/{fd}")
            except OSError:
                continue
            if link.startswith("socket:["):
                inodes.add(link[len("socket:["):-1])
        with open("/proc/net/unix") as table:
            lines = table.readlines()[1:]
    except OSError:
        return []
    paths = []
    for line in lines:
        fields = line.split()
        # Num RefCount Protocol Flags Type St Inode Path; flag 0x10000 is
        # a listening socket.
        if len(fields) >= 8 and fields[6] in inodes and int(fields[3], 16) & 0x10000:
            paths.append(fields[7])
    return paths


class WaylandCase(unittest.TestCase):
    """One Wayland desktop per test class, given DESKTOP_OPTIONS; each test
    with a fresh HOME."""

    DESKTOP_OPTIONS = {}
    # Environment variables naming binaries the class needs.
    NEEDS = ("PIXOLET_WL_POINTER",)

    @classmethod
    def setUpClass(cls):
        missing = wayland_desktop.missing_tools()
        if missing:
            raise unittest.SkipTest("not installed: " + ", ".join(missing))
        for variable in cls.NEEDS:
            if not os.environ.get(variable):
                raise unittest.SkipTest(f"{variable} is not set")
        cls.desktop = WaylandDesktop(**cls.DESKTOP_OPTIONS).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def setUp(self):
        self.desktop.reset_home()
        if not self.desktop.sway_running():
            self.fail("sway ended:\n" + self.desktop.sway_log())


class TargetCase(WaylandCase):
    """A desktop with the full-output colour target."""

    NEEDS = WaylandCase.NEEDS + ("PIXOLET_WL_TARGET",)
    TARGET_ARGS = ()

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        try:
            cls.target, cls.tiles = cls.desktop.start_target(cls.TARGET_ARGS)
        except BaseException:
            cls.desktop.close()
            raise

    def setUp(self):
        super().setUp()
        if not self.target.running():
            self.fail(f"the colour target ended: {self.target.stderr()}")

    def tile_point(self, name, dx=0, dy=0):
        if name == "background":
            return 10, 10  # above and left of the first tile
        tile = self.tiles[name]
        return tile["x"] + tile["w"] // 2 + dx, tile["y"] + tile["h"] // 2 + dy

    def point_at(self, name, dx=0, dy=0, steps=12):
        point = self.tile_point(name, dx, dy)
        self.desktop.move_pointer(*point, steps=steps)
        return point

    def target_lines(self, prefix):
        return [line for line in self.target.stdout_lines() if line.startswith(prefix)]

    def focus_target(self):
        self.desktop.focus(self.target.pid)

    def press(self, combo):
        """Types a key combination into the focused target and waits until
        it has arrived; returns the target's line for it."""
        before = len(self.target_lines("key "))
        self.desktop.key(combo)
        wait_until(lambda: len(self.target_lines("key ")) > before, STEP_TIMEOUT,
                   message=f"the target did not receive {combo}")
        return self.target_lines("key ")[before]


def has_wayland_layer(binary):
    """Whether the program's help names its Wayland support and the actions
    from outside that drive it on a desktop without global keys."""
    try:
        result = subprocess.run([binary, "--help"], capture_output=True, text=True, timeout=30,
                                env={"PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                                     "LANG": "C.UTF-8"})
    except (OSError, subprocess.TimeoutExpired):
        return False
    text = result.stdout + result.stderr
    return "wayland" in text.lower() and "--action" in text


class ProgramCase(TargetCase):
    """The program on the desktop with the colour target. Each test starts
    its own instance on a fresh settings store."""

    NEEDS = TargetCase.NEEDS + ("PIXOLET_BIN",)

    @classmethod
    def setUpClass(cls):
        binary = os.environ.get("PIXOLET_BIN")
        if binary and not has_wayland_layer(binary):
            raise unittest.SkipTest("the program has no Wayland layer or no --action yet "
                                    "(its --help mentions not both)")
        super().setUpClass()
        # The desktop's user must be able to run it: a build tree it cannot
        # read, or sanitizer options naming files it cannot read, fail here
        # with the reason rather than in every test.
        result = cls.desktop.run([binary, "--version"], timeout=60)
        if result.returncode != 0:
            cls.desktop.close()
            raise DesktopError(f"{binary} does not run as the desktop's user "
                               f"({result.returncode}): {result.stderr}")

    def setUp(self):
        super().setUp()
        self.program = None
        self.settings = {}

    # -- programs ---------------------------------------------------------

    def start(self, settings=None, args=("\\NOSPLASH",), env=None):
        """Starts the program with `settings` seeded and waits until it
        listens for actions; the pointer rests on the background first."""
        self.settings = dict(settings or {})
        if settings is not None:
            self.desktop.seed_store(store_text(settings))
        self.point_at("background")
        program = self.desktop.start_program(list(args), env=env)
        # Cleanups run last first: the program has ended when its output is read.
        self.addCleanup(self.assert_no_crash_output, program)
        self.addCleanup(program.end)
        self.program = program
        self.wait_listening(program)
        return program

    def wait_listening(self, program=None):
        program = program or self.program

        def listening():
            if not program.running():
                self.fail(f"the program ended with {program.returncode}:\n{program.stderr()}")
            return listening_sockets(program.pid)

        return wait_until(listening, START_TIMEOUT, message="the program does not listen")

    def action(self, name, timeout=STEP_TIMEOUT):
        """Runs `pixolet --action NAME`; returns the finished process."""
        binary = os.environ["PIXOLET_BIN"]
        return self.desktop.run([binary, "--action", name], timeout=timeout + 20)

    def run_action(self, name):
        result = self.action(name)
        self.assertEqual(result.returncode, 0, f"--action {name}: {result.stderr}")
        return result

    def assert_no_crash_output(self, program):
        err = program.stderr()
        for marker in CRASH_MARKERS:
            self.assertNotIn(marker, err)

    def assert_quits_cleanly(self, program=None, timeout=STEP_TIMEOUT):
        program = program or self.program
        code = program.wait_exit(timeout)
        self.assertEqual(code, 0, f"exit code; stderr:\n{program.stderr()}")

    # -- the readout ------------------------------------------------------

    def readout(self, image=None):
        """(x, y, w, h) of the shown readout, or None."""
        return find_readout(image or self.desktop.screenshot())

    def wait_shown(self):
        return wait_until(self.readout, STEP_TIMEOUT, interval=0.05,
                          message="the readout is not shown")

    def wait_hidden(self):
        wait_until(lambda: self.readout() is None, STEP_TIMEOUT, interval=0.05,
                   message="the readout is still shown")

    def show(self, settings=None):
        """Starts the program and a pick session by the show/hide action."""
        self.start(settings if settings is not None else {})
        self.run_action("show-hide")
        return self.wait_shown()

    def layout(self, rect=None):
        _, _, w, h = rect or self.readout()
        return Layout(w, h, self.settings.get("Zoom", 4), bool(self.settings.get("Coord", 0)))

    def wait_placed(self, left, top):
        found = []

        def placed():
            rect = self.readout()
            found[:] = [rect]
            return rect is not None and rect[:2] == (left, top)

        wait_until(placed, STEP_TIMEOUT, interval=0.05,
                   message=f"the readout is at {found}, not at {left},{top}")
        return found[0]

    def wait_following(self, pointer):
        """Waits until the readout sits beside the pointer; its rect."""
        found = []

        def following():
            rect = self.readout()
            found[:] = [rect]
            return rect is not None and rect[:2] == follow_position(pointer, rect[2:], OUTPUT)

        wait_until(following, STEP_TIMEOUT, interval=0.05,
                   message=f"the readout is at {found}, not beside {pointer}")
        return found[0]

    def wait_swatch(self, rgb):
        """Waits until the swatch shows `rgb`; returns the capture."""
        rgb = tuple(rgb)
        found = []

        def shown():
            image = self.desktop.screenshot()
            rect = find_readout(image)
            if rect is None:
                return None
            sx, sy = self.layout(rect).swatch()
            found[:] = [image.pixel(rect[0] + sx, rect[1] + sy)]
            return image if found[0] == rgb else None

        return wait_until(shown, STEP_TIMEOUT, interval=0.05,
                          message=f"the swatch shows {found}, not {rgb}")

    def track(self, name, dx=0, dy=0):
        """Moves the pointer over a tile and waits until the readout follows
        it and shows the tile's colour."""
        point = self.point_at(name, dx, dy)
        self.wait_following(point)
        self.wait_swatch(self.tiles[name]["rgb"])
        return point

    def wait_clipboard(self, expected):
        wait_until(lambda: self.desktop.clipboard_text() == expected, STEP_TIMEOUT,
                   message=f"the clipboard holds {self.desktop.clipboard_text()!r}, "
                           f"not {expected!r}")


__all__ = ["DesktopError", "ProgramCase", "TargetCase", "WaylandCase", "find_readout",
           "follow_position", "listening_sockets", "OUTPUT", "STEP_TIMEOUT", "START_TIMEOUT",
           "VK_F"]
