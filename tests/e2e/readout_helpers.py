"""Shared steps of the readout and shortcut tests: a desktop with the colour
fixture, fresh program instances with seeded settings, the tray icon and its
menu, the readout window and its layout, read back from screen pixels.

Every wait polls a condition with a time-out; a step that has no visible
effect of its own is followed by one that has (a "barrier"), since the
program handles input events in the order the X server delivers them.
"""

import contextlib

from desktop import REG_HEADER, SCREEN_HEIGHT, SCREEN_WIDTH, SETTINGS_KEY, DesktopCase, wait_until

START_TIMEOUT = 15.0
STEP_TIMEOUT = 10.0
TRAY_ICON_MAX = 32  # the embedded icon is 22 x 22
CRASH_MARKERS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                 "Segmentation fault", "terminate called", "Aborted")

# Shortcut values as stored: key code plus modifier bits.
SHIFT = 0x2000
CTRL = 0x4000
ALT = 0x8000
VK_F = {n: 0x6F + n for n in range(1, 13)}  # F1 = 0x70


def vk(letter):
    return ord(letter.upper())


def store_text(values):
    """A settings store with the given values: int -> dword, str -> string."""
    lines = [REG_HEADER, "", f"[{SETTINGS_KEY}]"]
    for name, value in values.items():
        if isinstance(value, bool):
            value = int(value)
        if isinstance(value, int):
            lines.append(f'"{name}"=dword:{value & 0xFFFFFFFF:08x}')
        else:
            lines.append(f'"{name}"="{value}"')
    return "\r\n".join(lines + [""])


def round_half_even(value):
    return round(value)  # Python's round() already breaks ties to even


class Layout:
    """Where the readout window shows what, derived from its size the way the
    program lays it out (measuring mode off): the height is four lines of
    text and 8 pixels, plus a line and 2 pixels for each of the coordinates
    and the contrast line."""

    def __init__(self, width, height, zoom=4, coordinates=False, contrast=False):
        self.width = width
        self.height = height
        lines = int(bool(coordinates)) + int(bool(contrast))
        self.th = (height - 8 - 2 * lines) // (4 + lines)
        self.side = 3 * self.th + 3  # the magnifier, square
        self.zoom_left, self.zoom_top = 7, 9
        self.swatch_left = self.zoom_left + self.side + 3
        self.swatch_top = self.zoom_top + self.side - 9
        self.zoom = zoom
        self.radius = round_half_even(self.side / (2 * zoom))

    def cell(self, dx, dy):
        """A pixel (window coordinates) inside the magnifier cell of the
        screen pixel (dx, dy) away from the pointer, off the crosshair and
        the outline; None when the crosshair covers the whole cell."""
        z, half = self.zoom, self.zoom // 2
        left = (self.radius + dx) * z - half
        top = (self.radius + dy) * z - half
        centre = self.side // 2
        # Any pixel of the cell not on the crosshair's two lines.
        for y in range(max(top, 1), min(top + z, self.side - 1)):
            for x in range(max(left, 1), min(left + z, self.side - 1)):
                on_cross = (y == centre and abs(x - centre) <= 5) or (
                    x == centre and abs(y - centre) <= 5)
                if not on_cross:
                    return self.zoom_left + x, self.zoom_top + y
        return None

    def crosshair(self):
        """A pixel of the crosshair's vertical line, window coordinates."""
        centre = self.side // 2
        return self.zoom_left + centre, self.zoom_top + centre - 5

    def swatch(self):
        return self.swatch_left + 4, self.swatch_top + 4


def follow_position(pointer, size, screen=(SCREEN_WIDTH, SCREEN_HEIGHT)):
    """Where a following readout window of `size` sits for the pointer on a
    screen of the size `screen`."""
    (x, y), (w, h), (screen_w, screen_h) = pointer, size, screen
    left = x + 10 if screen_w >= w + x + 10 else x - w - 10
    top = y + 10 if screen_h >= h + y + 10 else y - h - 10
    return left, top


class ReadoutCase(DesktopCase):
    """One desktop with the colour fixture per test class; each test starts
    its own program instance on a fresh settings store."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        try:
            cls.fixture, cls.tiles = cls.desktop.start_fixture()
            cls.fixture_window = wait_until(
                lambda: cls.desktop.window_ids(name="^Pixolet colour fixture$",
                                               pid=cls.fixture.pid, visible=True),
                START_TIMEOUT, message="no fixture window")[0]
        except BaseException:
            cls.desktop.close()
            raise

    def setUp(self):
        super().setUp()
        self.program = None
        if not self.fixture.running():
            self.fail(f"the colour fixture ended: {self.fixture.stderr()}")

    # -- programs ---------------------------------------------------------

    def start(self, settings=None, args=("\\NOSPLASH",)):
        """Starts the program with `settings` seeded and waits for its tray
        icon; the pointer is parked on the fixture first."""
        self.settings = dict(settings or {})
        if settings is not None:
            self.desktop.seed_store(store_text(settings))
        self.point_at("background")
        program = self.desktop.start_program(list(args))
        # Cleanups run last first: the program has ended when its output is read.
        self.addCleanup(self.assert_no_crash_output, program)
        self.addCleanup(program.end)
        self.program = program
        self.wait_tray_icon(program)
        return program

    def wait_tray_icon(self, program=None):
        program = program or self.program

        def icon():
            if not program.running():
                self.fail(f"program ended with {program.returncode}:\n{program.stderr()}")
            return self.tray_icon(program)

        return wait_until(icon, START_TIMEOUT, message="no tray icon")

    def tray_icon(self, program=None):
        """(wid, centre x, centre y) of the program's tray icon, or None."""
        program = program or self.program
        for wid in self.desktop.window_ids(pid=program.pid, visible=True):
            x, y, w, h = self.desktop.window_geometry(wid)
            if w <= TRAY_ICON_MAX and h <= TRAY_ICON_MAX and self.window_type(wid) != "tooltip":
                return wid, x + w // 2, y + h // 2
        return None

    def window_type(self, wid):
        text = self.desktop.window_property(wid, "_NET_WM_WINDOW_TYPE")
        return "tooltip" if "TOOLTIP" in text else "other"

    def assert_no_crash_output(self, program):
        err = program.stderr()
        for marker in CRASH_MARKERS:
            self.assertNotIn(marker, err)

    def assert_quits_cleanly(self, program=None, timeout=STEP_TIMEOUT):
        program = program or self.program
        code = program.wait_exit(timeout)
        self.assertEqual(code, 0, f"exit code; stderr:\n{program.stderr()}")

    # -- the readout window -------------------------------------------------

    def readout(self):
        ids = self.desktop.window_ids(name="^Pixolet$", pid=self.program.pid, visible=True)
        return ids[0] if ids else None

    def wait_shown(self):
        return wait_until(self.readout, STEP_TIMEOUT, message="the readout window is not shown")

    def wait_hidden(self):
        wait_until(lambda: self.readout() is None, STEP_TIMEOUT,
                   message="the readout window is still shown")

    def geometry(self):
        wid = self.readout()
        self.assertIsNotNone(wid, "the readout window is hidden")
        return self.desktop.window_geometry(wid)

    def layout(self):
        """The layout of the shown window under the seeded settings."""
        _, _, w, h = self.geometry()
        return Layout(w, h, self.settings.get("Zoom", 4), bool(self.settings.get("Coord", 0)),
                      bool(self.settings.get("Contrast", 0)))

    def wait_placed(self, left, top):
        def placed():
            wid = self.readout()
            return wid is not None and self.desktop.window_geometry(wid)[:2] == (left, top)

        wait_until(placed, STEP_TIMEOUT,
                   message=f"the window is at {self.geometry()[:2]}, not at {left},{top}")

    def wait_following(self, pointer):
        _, _, w, h = self.geometry()
        self.wait_placed(*follow_position(pointer, (w, h)))

    def window_pixel(self, image, at):
        x, y, _, _ = self.geometry()
        return image.pixel(x + at[0], y + at[1])

    def wait_swatch(self, rgb):
        """Waits until the swatch shows `rgb` (the readout has tracked it)."""
        rgb = tuple(rgb)

        def shown():
            layout = self.layout()
            return self.window_pixel(self.desktop.screenshot(), layout.swatch()) == rgb

        wait_until(shown, STEP_TIMEOUT, interval=0.1,
                   message=f"the swatch never showed {rgb}")

    # -- pointer and keys ---------------------------------------------------

    def tile_point(self, name, dx=0, dy=0):
        if name == "background":
            return 10, 60  # fixture background left of the first tile
        tile = self.tiles[name]
        return tile["x"] + tile["w"] // 2 + dx, tile["y"] + tile["h"] // 2 + dy

    def point_at(self, name, dx=0, dy=0):
        point = self.tile_point(name, dx, dy)
        self.desktop.move_pointer(*point)
        return point

    def track(self, name, dx=0, dy=0):
        """Moves the pointer over a tile and waits until the shown readout
        follows it and shows the tile's colour."""
        point = self.point_at(name, dx, dy)
        self.wait_following(point)
        self.wait_swatch(self.tiles[name]["rgb"])
        return point

    @contextlib.contextmanager
    def held_button(self, button):
        self.desktop.button_down(button)
        try:
            yield
        finally:
            self.desktop.button_up(button)

    def focus_fixture(self):
        self.desktop.xdotool("windowactivate", "--sync", self.fixture_window)
        wait_until(lambda: self.desktop.active_window() == self.fixture_window, STEP_TIMEOUT,
                   message="the fixture did not get the focus")

    def fixture_keys(self):
        return [line for line in self.fixture.stdout_lines() if line.startswith("key ")]

    def press(self, combo):
        """Types a key combination into the focused fixture and waits until
        the fixture has received it (so the program has seen it too)."""
        before = len(self.fixture_keys())
        self.desktop.key(combo)
        wait_until(lambda: len(self.fixture_keys()) > before, STEP_TIMEOUT,
                   message=f"the fixture did not receive {combo}")
        return self.fixture_keys()[before]

    # -- tray icon and menu ---------------------------------------------------

    def double_click_tray(self):
        _, x, y = self.wait_tray_icon()
        self.desktop.move_pointer(x, y)
        self.desktop.click(1, repeat=2)

    def open_menu(self):
        """Right-clicks the tray icon; returns the menu's geometry."""
        _, x, y = self.wait_tray_icon()
        before = set(self.desktop.window_ids(pid=self.program.pid, visible=True))
        self.desktop.move_pointer(x, y)
        self.desktop.click(3)

        def menu():
            for wid in set(self.desktop.window_ids(pid=self.program.pid, visible=True)) - before:
                if self.window_type(wid) != "tooltip":
                    geometry = self.desktop.window_geometry(wid)
                    if geometry[3] > 40:
                        return geometry
            return None

        return wait_until(menu, STEP_TIMEOUT, message="the tray menu did not open")

    def choose_from_menu(self, entry):
        """Clicks "first" (Show/Hide) or "last" (Quit) in the tray menu."""
        x, y, w, h = self.open_menu()
        # Entries are equally high; the first and the last sit a sixth of
        # the menu's height from its edges (a separator precedes Quit).
        target_y = y + h // 6 if entry == "first" else y + h - h // 6
        self.desktop.move_pointer(x + w // 2, target_y)
        self.desktop.click(1)
