"""pixolet.exe's properties dialog under Wine, opened from the tray icon's
menu, which the readout window opens too.

The dialog is driven with the keyboard along its focus chain: the page tabs
hold the focus first, Tab walks the controls of the page shown, Right on the
tabs changes the page, Shift+Tab from the tabs reaches Uninstall, Return is
OK and Escape is Cancel. What the dialog saved is read back with `wine reg`.
"""

import time
import unittest

import wine_case  # first: it puts the Linux harness on the path
from wine_case import STEP_TIMEOUT, WineReadoutCase, tearDownModule  # noqa: F401
from desktop import SETTINGS_KEY, wait_until  # noqa: E402
from wine_desktop import windows_path  # noqa: E402

RUN_KEY = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "Velmora Pixolet"
COMPANY_KEY = r"HKEY_CURRENT_USER\Software\Velmora"
EVERY_VALUE = ("HotKey1", "HotKey2", "HotKey3", "HotKey4", "Hex", "CYMK", "RGB", "Coord",
               "ClipboardFormat", "MouseClick", "HotKey5", "HotKey6", "HotKey7", "HotKey8",
               "HotKey9", "Zoom", "RGB1", "K", "Path", "FontName", "FontSize", "FontColor",
               "FontStyle", "Contrast", "Sample", "Angle")
CLIPBOARD_PAGE = 1
DESIGNER_PAGE = 5


class PropertiesTest(WineReadoutCase):
    def setUp(self):
        super().setUp()
        self.desktop.wine("reg", "delete", RUN_KEY, "/v", RUN_VALUE, "/f")
        self.desktop.wine("reg", "delete", COMPANY_KEY, "/f")

    # -- helpers ----------------------------------------------------------

    def start(self, settings=None, args=("\\NOSPLASH",), tray=False):
        """Starts the program. The menu that opens the dialog is the tray
        icon's when `tray` is set (the program is started again until its
        docked icon takes pointer input), else the readout window's, whose
        shortcuts are seeded for that."""
        self.via_tray = tray
        if not tray:
            settings = dict(wine_case.READOUT_MENU_KEYS, **(settings or {}))
        program = super().start(settings, args)
        if tray:
            self.live_tray_icon()
        return program

    def dialog(self):
        return self.desktop.window_ids(name="^Properties$", pid=self.program.pid, visible=True)

    def open_properties(self):
        """Chooses Properties, the second entry, from the menu with the
        pointer; waits until the dialog has the focus."""
        x, y, w, h = self.open_menu() if self.via_tray else self.open_readout_menu()
        # Three entries of one height and a thinner separator before Quit.
        self.desktop.move_pointer(x + w // 2, y + int(h * 0.42))
        self.desktop.click(1)
        wid = wait_until(self.dialog, STEP_TIMEOUT, message="no Properties dialog")[0]
        wait_until(lambda: self.desktop.active_window() == wid, STEP_TIMEOUT,
                   message="the dialog did not get the focus")
        self.settle()
        return wid

    def settle(self):
        # Keys travel through the X server and Wine in order; a short pause
        # lets the dialog handle one before the next.
        time.sleep(0.2)

    def press(self, *keys):
        for key in keys:
            self.desktop.key(key)
            self.settle()

    def close_dialog(self, key):
        self.press(key)
        wait_until(lambda: not self.dialog(), STEP_TIMEOUT, message="the dialog stayed open")

    def values(self, key=SETTINGS_KEY):
        return self.desktop.reg_values(key) or {}

    def wait_for_value(self, name, expected, key=SETTINGS_KEY):
        wait_until(lambda: self.values(key).get(name, (None, None))[1] == expected,
                   STEP_TIMEOUT,
                   message=f"{name} is {self.values(key).get(name)!r}, not {expected!r}")

    def wait_for_values(self, expected):
        """Waits until every value of `expected` ({name: data text}) is
        stored: a save writes one value after the other."""
        def stored():
            values = self.values()
            return {name: values.get(name, (None, None))[1] for name in expected}

        wait_until(lambda: stored() == expected, STEP_TIMEOUT,
                   message=f"stored {stored()}, not {expected}")

    def run_value(self):
        """(type, data) of the Run value, or None when it is not there
        (`reg_values` splits names at blanks, and this one has one)."""
        result = self.desktop.wine("reg", "query", RUN_KEY, "/v", RUN_VALUE)
        if result.returncode != 0:
            return None
        for line in result.stdout.splitlines():
            if line.strip().startswith(RUN_VALUE + " "):
                kind, _, data = line.strip()[len(RUN_VALUE):].strip().partition(" ")
                return kind, data.strip()
        return None

    def uninstall_question(self):
        return self.desktop.window_ids(name="^Uninstall$", pid=self.program.pid, visible=True)

    def ask_uninstall(self):
        self.open_properties()
        self.press("shift+Tab", "space")
        wait_until(self.uninstall_question, STEP_TIMEOUT, message="no uninstall question")
        self.settle()

    # -- tests ------------------------------------------------------------

    def test_opens_from_the_tray_menu_at_its_size(self):
        self.start(tray=True)
        wid = self.open_properties()
        _, _, width, height = self.desktop.window_geometry(wid)
        self.assertEqual((width, height), (411, 199))
        # A second request brings the same dialog forward: the tray menu
        # stays usable while it is open.
        self.assertEqual(self.open_properties(), wid)
        self.assertEqual(self.dialog(), [wid])
        self.close_dialog("Escape")
        self.assertTrue(self.program.running(), self.program.stderr())

    def test_quit_from_the_tray_menu_while_the_dialog_is_open_ends_with_0(self):
        self.start(tray=True)
        # Shown first, so that the dialog's end would show the readout again.
        self.double_click_tray()
        self.wait_shown()
        self.open_properties()
        self.wait_hidden()
        self.choose_from_menu("last")
        self.assertEqual(self.program.wait_exit(STEP_TIMEOUT), 0, self.program.stderr())
        self.assertEqual(self.values(), {}, "nothing is saved")

    def test_cancel_after_changes_leaves_the_registry_unchanged(self):
        self.start({"Zoom": 6, "HotKey1": 0x4043})
        before = self.values()
        self.open_properties()
        self.press("Tab", "space", "Tab", "space", "shift+Tab", "shift+Tab", "Right", "Tab",
                   "Down", "Tab", "ctrl+q")
        self.close_dialog("Escape")
        # A second opening shows that the program has handled the first.
        self.open_properties()
        self.close_dialog("Escape")
        self.assertEqual(self.values(), before)
        self.assertIsNone(self.run_value())

    def test_ok_without_changes_writes_every_value(self):
        self.start()
        self.assertEqual(set(self.values()), set(wine_case.READOUT_MENU_KEYS),
                         "the first start writes nothing")
        self.open_properties()
        self.close_dialog("Return")
        self.wait_for_value("Zoom", "0x4")
        values = self.values()
        for name in EVERY_VALUE:
            self.assertIn(name, values)
        self.assertEqual(values["HotKey1"][1], "0x4043")
        self.assertEqual(values["ClipboardFormat"][1], "0x1")
        self.assertEqual(values["Path"][1], windows_path(self.desktop.exe))
        self.assertEqual(values["FontSize"][1], "0x8")
        self.assertIsNone(self.run_value())

    def test_launch_on_startup_writes_and_deletes_the_run_value(self):
        self.start()
        for ticked in (True, False):
            with self.subTest(ticked=ticked):
                self.open_properties()
                self.press("Tab", "space")
                self.close_dialog("Return")
                wait_until(lambda: (self.run_value() is not None) == ticked, STEP_TIMEOUT,
                           message=f"Run value present: {not ticked}")
                if ticked:
                    # The bare path, unquoted, without arguments.
                    self.assertEqual(self.run_value(), ("REG_SZ", windows_path(self.desktop.exe)))

    def test_typed_shortcuts_take_the_editors_fallback(self):
        self.start()
        self.open_properties()
        self.press("Right", "Tab", "Tab", "shift+c")  # copy colour: Shift is refused
        self.press("Tab", "ctrl+shift+v")             # paste colour: so is Shift+Ctrl
        self.close_dialog("Return")
        self.wait_for_value("HotKey1", "0xc043")
        self.assertEqual(self.values()["HotKey2"][1], "0xc056")

    def test_backspace_or_delete_clears_the_copy_shortcut(self):
        # The hot-key control empties itself on these keys without telling
        # its parent; OK saves what it shows.
        for key in ("BackSpace", "Delete"):
            with self.subTest(key=key):
                program = self.start({"HotKey1": 0x4043})
                self.open_properties()
                self.press("Right", "Tab", "Tab", key)
                self.close_dialog("Return")
                self.wait_for_value("HotKey1", "0x0")
                # The readout came back shown (frozen): Ctrl+C now copies
                # nothing. The hide by F8 after it shows that it has been
                # handled.
                self.focus_fixture()
                wine_case.ReadoutCase.press(self, "ctrl+c")
                wine_case.ReadoutCase.press(self, "F8")
                self.wait_hidden()
                self.assertFalse(self.desktop.clipboard_text())
                self.assertEqual(program.terminate(), 0, program.stderr())

    def test_format_chosen_with_the_keyboard_is_saved_as_the_list_shows_it(self):
        self.start({"ClipboardFormat": 1})
        self.open_properties()
        self.press("Right", "Tab", "Down")  # the next item, "RGB percentages"
        self.close_dialog("Return")
        self.wait_for_value("ClipboardFormat", "0x2")

    def test_designer_page_writes_contrast_sample_and_angle(self):
        self.start()
        self.open_properties()
        # The page, then its contrast box, the sample list's next item and
        # the angle box.
        self.press(*["Right"] * DESIGNER_PAGE)
        self.press("Tab", "space", "Tab", "Down", "Tab", "space")
        self.close_dialog("Return")
        self.wait_for_values({"Contrast": "0x1", "Sample": "0x3", "Angle": "0x1",
                              "ClipboardFormat": "0x1", "Zoom": "0x4"})
        for name in ("Contrast", "Sample", "Angle"):
            self.assertEqual(self.values()[name][0], "REG_DWORD")

    def test_stored_designer_values_come_back_and_a_bad_sample_falls_back(self):
        names = ("Contrast", "Sample", "Angle", "ClipboardFormat")
        for seeded, expected in (((1, 5, 1, 8), ("0x1", "0x5", "0x1", "0x8")),
                                 ((0, 4, 0, 9), ("0x0", "0x1", "0x0", "0x1"))):
            with self.subTest(seeded=seeded):
                if self.program is not None:
                    self.program.terminate()  # the program of a failed case
                self.desktop.wine("reg", "delete", COMPANY_KEY, "/f")
                self.start(dict(zip(names, seeded)))
                self.open_properties()
                # OK without a change saves what the dialog was given.
                self.close_dialog("Return")
                self.wait_for_values(dict(zip(names, expected)))
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())

    def test_uninstall_answered_no_changes_nothing(self):
        self.start({"Zoom": 5})
        before = self.values()
        self.ask_uninstall()
        self.press("Tab", "Return")  # from Yes to No
        wait_until(lambda: not self.uninstall_question(), STEP_TIMEOUT,
                   message="the question stayed open")
        self.assertEqual(self.values(), before)
        self.assertTrue(self.program.running(), self.program.stderr())

    def test_uninstall_answered_yes_removes_every_trace_and_ends_with_0(self):
        self.start()
        self.open_properties()
        self.press("Tab", "space")
        self.close_dialog("Return")
        wait_until(self.run_value, STEP_TIMEOUT, message="no Run value")
        self.ask_uninstall()
        self.press("Return")  # Yes is the default button
        self.assertEqual(self.program.wait_exit(STEP_TIMEOUT), 0, self.program.stderr())
        self.assertIsNone(self.desktop.reg_values(SETTINGS_KEY))
        self.assertIsNone(self.desktop.reg_values(COMPANY_KEY))
        self.assertIsNone(self.run_value())


if __name__ == "__main__":
    unittest.main()
