"""Test case bases for pixolet.exe under Wine.

They are the Linux readout and shortcut cases (tests/e2e) with the Windows
pieces put in: one WineDesktop and one colour target serve every case of a
test script (a Wine prefix costs seconds to boot), settings are seeded into
the registry, the tray icon is looked for inside trayer, and Wine's crash
reports count as crash output. Steps and tests that hold on both systems are
taken over from the Linux cases as they are.

A test script imports `tearDownModule` from here so that its desktop ends
with the script.
"""

import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))
from desktop import wait_until  # noqa: E402
from readout_helpers import (CRASH_MARKERS, START_TIMEOUT, STEP_TIMEOUT, VK_F,  # noqa: E402
                             ReadoutCase)
import test_shortcuts as linux_shortcuts  # noqa: E402
from wine_desktop import WINE_CRASH_MARKERS, WineDesktop  # noqa: E402

_desktop = None
# Starts tried before a test that needs the tray icon gives up on it. With
# the desktop's fixed trayer panel every dock has been live; a start costs
# 3 to 4 s.
DOCK_ATTEMPTS = 3
# Wine's default double-click time, with a margin.
DOUBLE_CLICK_TIME = 0.6
# A live icon shows its tooltip about a second after the pointer arrives.
TOOLTIP_TIMEOUT = 2.5
# How long after a start's tray icon has appeared its dock may still take
# Wine's foreground (measured: at the same time, within 20 ms).
DOCK_FOREGROUND_TIMEOUT = 2.0
# Show/hide and freeze-window shortcuts, seeded so that the menu of the tray
# icon opens from the readout window too: cases that are not about the tray
# need no docked icon.
READOUT_MENU_KEYS = {"HotKey8": VK_F[8], "HotKey3": VK_F[3]}


def shared_desktop():
    """The script's one desktop with its Wine prefix, started on first use."""
    global _desktop
    if _desktop is None:
        desktop = WineDesktop()
        if not desktop.exe.is_file():
            raise FileNotFoundError(f"{desktop.exe} not found (set PIXOLET_EXE)")
        size = os.path.getsize(desktop.exe)
        # The size limit itself is checked by tests/wine/exe_check.sh.
        print(f"\n{desktop.exe.name}: {size} bytes ({size / 1024:.0f} KiB)", file=sys.stderr)
        _desktop = desktop.__enter__()
    return _desktop


def tearDownModule():  # noqa: N802 (unittest's name)
    global _desktop
    if _desktop is not None:
        _desktop.close()
        _desktop = None


class WineReadoutCase(ReadoutCase):
    """ReadoutCase on the shared Wine desktop, over the Win32 colour target."""

    fixture = None
    tiles = None
    fixture_window = None

    @classmethod
    def setUpClass(cls):
        cls.desktop = shared_desktop()
        base = WineReadoutCase
        if base.fixture is None or not base.fixture.running():
            base.fixture, base.tiles = cls.desktop.start_fixture()
            base.fixture_window = wait_until(
                lambda: cls.desktop.window_ids(name="^Pixolet colour fixture$",
                                               pid=base.fixture.pid, visible=True),
                START_TIMEOUT, message="no colour target window")[0]

    @classmethod
    def tearDownClass(cls):
        pass  # the desktop and the colour target serve the whole script

    def start(self, settings=None, args=("\\NOSPLASH",)):
        wait_until(lambda: not self.desktop.tray_icons(), STEP_TIMEOUT,
                   message="a tray icon of an earlier program stayed")
        self.start_args = args
        self.readout_frozen = False
        activations = len(self.fixture_activations())
        program = super().start(settings, args)
        # Runs before the base class's end by signal: a closed program takes
        # its icon out of the tray itself.
        self.addCleanup(program.terminate)
        # As the program's icon docks, Wine makes the icon's own window its
        # foreground window, and from then on Wine's server gives the
        # keyboard to that window, while the colour target keeps the X
        # focus. Waiting for that here makes the next focus_fixture() take
        # the foreground back after it, never before it.
        try:
            wait_until(lambda: (len(self.fixture_activations()) > activations
                                and not self.fixture_active()),
                       DOCK_FOREGROUND_TIMEOUT, interval=0.02)
        except TimeoutError:
            pass  # the dock left the foreground where it was
        return program

    def fixture_activations(self):
        """The colour target's "active" and "inactive" lines: it writes one
        whenever it becomes Wine's foreground program or stops being it."""
        return [line for line in self.fixture.stdout_lines() if line in ("active", "inactive")]

    def fixture_active(self):
        activations = self.fixture_activations()
        return bool(activations) and activations[-1] == "active"

    def focus_fixture(self):
        """Gives the colour target the X focus, then waits until it is also
        Wine's foreground window: only then do typed keys reach it."""
        super().focus_fixture()
        wait_until(self.fixture_active, STEP_TIMEOUT,
                   message="the colour target did not become Wine's foreground window")

    def tray_icon(self, program=None):
        """(wid, centre x, centre y) of the icon in the tray, or None.

        Wine's shell owns the docked icon, and at most one program with an
        icon runs at a time. Once the program has ended, this waits for the
        shell to take the icon away and returns what is still there.
        """
        program = program or self.program
        if program is not None and not program.running():
            try:
                wait_until(lambda: not self.desktop.tray_icons(), STEP_TIMEOUT)
            except TimeoutError:
                pass
        icons = self.desktop.tray_icons()
        return icons[0] if icons else None

    # Icons seen answering the pointer, by window id.
    live_icons = set()

    def live_tray_icon(self):
        """The tray icon, once it has been seen to take pointer input.

        The icon's tooltip shows that Wine's shell serves it. A dock that
        stays dead (the shell was not told where trayer put it) is given
        DOCK_ATTEMPTS fresh starts before the test fails.
        """
        for _ in range(DOCK_ATTEMPTS):
            wid, x, y = self.wait_tray_icon()
            if wid in self.live_icons:
                return wid, x, y
            self.desktop.move_pointer(*self.tile_point("background"))
            before = set(self.desktop.window_ids(visible=True))
            self.desktop.move_pointer(x, y)
            try:
                wait_until(lambda: set(self.desktop.window_ids(visible=True)) - before,
                           TOOLTIP_TIMEOUT)
                self.live_icons.add(wid)
                return wid, x, y
            except TimeoutError:
                # A fresh start docks a fresh icon; this class's start, as
                # a test's own may wait for a live icon itself.
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())
                WineReadoutCase.start(self, self.settings, self.start_args)
        self.fail("Wine's shell took no pointer input at the docked tray icon")

    # When a button last went down at the tray icon (time.monotonic()).
    icon_pressed_at = float("-inf")

    def press_at_icon(self, button, repeat=1):
        """Clicks at the live tray icon, never as the second half of a
        double click: Wine's shell turns a press that follows one of the
        same button within the double-click time into a double click, which
        shows or hides the readout instead of opening the menu."""
        _, x, y = self.live_tray_icon()
        self.desktop.move_pointer(x, y)
        wait_until(lambda: time.monotonic() - self.icon_pressed_at > DOUBLE_CLICK_TIME,
                   DOUBLE_CLICK_TIME + 1, interval=0.02)
        self.desktop.click(button, repeat=repeat)
        self.icon_pressed_at = time.monotonic()

    def double_click_tray(self):
        self.press_at_icon(1, repeat=2)

    def open_menu(self):
        """Right-clicks the tray icon; returns the menu's geometry."""
        before = set(self.desktop.window_ids(pid=self.program.pid, visible=True))
        self.press_at_icon(3)
        return wait_until(lambda: self.new_menu(before), STEP_TIMEOUT,
                          message="the tray menu did not open")

    def new_menu(self, before):
        """The geometry of a menu of the program's that is not in `before`
        (a readout window that has just been shown is none)."""
        shown = set(self.desktop.window_ids(pid=self.program.pid, visible=True)) - before
        for wid in shown - {self.readout()}:
            geometry = self.desktop.window_geometry(wid)
            if geometry[3] > 40:
                return geometry
        return None

    def open_readout_menu(self):
        """Right-clicks the readout window; returns the menu's geometry.

        The window is the tray icon's menu's other way in. It is shown by
        its shortcut when hidden and frozen by its shortcut, so that the
        pointer can reach it; it stays frozen while hidden. The program
        needs READOUT_MENU_KEYS seeded.
        """
        if self.readout() is None:
            self.focus_fixture()
            ReadoutCase.press(self, "F8")
            self.wait_shown()
        if not self.readout_frozen:
            self.focus_fixture()
            self.track("navy")
            ReadoutCase.press(self, "F3")
            self.readout_frozen = True
        left, top, w, h = self.geometry()
        self.desktop.move_pointer(left + w // 2, top + h // 2)
        before = set(self.desktop.window_ids(pid=self.program.pid, visible=True))
        self.desktop.click(3)
        return wait_until(lambda: self.new_menu(before), STEP_TIMEOUT,
                          message="the readout's menu did not open")

    def choose_from_menu(self, entry):
        """Clicks "first" (Show/Hide) or "last" (Quit) in the tray menu."""
        x, y, w, h = self.open_menu()
        # Win32 menus: a border of a few pixels, then equally high entries;
        # the separator before Quit is lower than an entry.
        self.desktop.move_pointer(x + w // 2, y + 8 if entry == "first" else y + h - 8)
        self.desktop.click(1)
        # Wine's menu holds the pointer until its window is gone; a click
        # before that, at the tray icon say, goes to the closing menu.
        wait_until(lambda: not any(self.desktop.window_geometry(wid) == (x, y, w, h)
                                   for wid in self.desktop.window_ids(pid=self.program.pid,
                                                                      visible=True)),
                   STEP_TIMEOUT, message="the tray menu did not close")

    def assert_no_crash_output(self, program):
        err = program.stderr()
        for marker in CRASH_MARKERS + WINE_CRASH_MARKERS:
            self.assertNotIn(marker, err)


class WineShortcutCase(WineReadoutCase, linux_shortcuts.ShortcutCase):
    """ShortcutCase (show by F8, copy, barriers) on the Wine desktop."""
