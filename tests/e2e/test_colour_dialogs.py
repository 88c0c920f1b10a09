"""The paste shortcut types the last copied colour into another program's
colour dialog: Qt's QColorDialog and GTK 3's colour chooser, reached over the
accessibility bus of the desktop's own session bus.

The program types the colour in on a worker thread, after the key has been
handled, so a paste is waited for by what the dialog shows: a swatch of the
pasted colour, a large area of exactly that colour inside the dialog, which
no other step of these tests can put there (the readout window, which could
show the colour too, is hidden or shows another one). Only then is the dialog
accepted, and the colour it reports is the one it holds.

The clipboard holds the copied colour as decimal text (" 18  52  86"), which
neither dialog would take as a colour if it handled the Ctrl+V itself.
"""

import os
import signal
import unittest

from desktop import wait_until
from readout_helpers import STEP_TIMEOUT, VK_F, ReadoutCase
from session_bus import process_info

SHOW_HIDE_KEY = "F8"
BASE = {"HotKey8": VK_F[8], "ClipboardFormat": 0}  # RGB decimal
NAVY = (18, 52, 86)
NAVY_TEXT = " 18  52  86"
ORANGE = (255, 128, 5)
ORANGE_TEXT = "255 128   5"
START_COLOUR = (128, 128, 128)  # both dialogs open with it
BLACK = (0, 0, 0)
# Fewer pixels than either dialog's swatch of the current colour (Qt's about
# 6,500, GTK's about 2,800), more than any text or cursor of that colour.
SWATCH_PIXELS = 1500
# Both dialogs start with the accessibility bridge that they need.
DIALOGS = {
    "qt": ("PIXOLET_QT_DIALOG", {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}),
    "gtk": ("PIXOLET_GTK_DIALOG", {"NO_AT_BRIDGE": None}),
}


class Dialog:
    def __init__(self, kind, program, window):
        self.kind = kind
        self.program = program
        self.window = window

    def outcome(self):
        """The dialog's "colour r,g,b" or "cancelled" line, or None."""
        for line in self.program.stdout_lines():
            if line.startswith("colour ") or line == "cancelled":
                return line
        return None


class ColourDialogCase(ReadoutCase):
    DESKTOP_OPTIONS = {"dbus": True}

    def setUp(self):
        super().setUp()
        self.open_dialogs = []

    # -- the program ---------------------------------------------------------

    def start_program(self, show=True):
        """Starts the program; with `show`, the readout is shown over the
        focused colour fixture."""
        self.start(BASE)
        self.addCleanup(self.assert_bus_reached)
        if show:
            self.focus_fixture()
            self.press(SHOW_HIDE_KEY)
            self.wait_shown()

    def assert_bus_reached(self):
        self.assertNotIn("no accessibility bus", self.program.stderr())

    def copy_navy(self):
        self.track("navy")
        self.assertEqual(self.press("ctrl+c"), "key Ctrl+C")
        self.wait_clipboard(NAVY_TEXT)

    def wait_clipboard(self, expected):
        wait_until(lambda: self.desktop.clipboard_text() == expected, STEP_TIMEOUT,
                   message=f"clipboard holds {self.desktop.clipboard_text()!r}, "
                           f"not {expected!r}")

    def hide_readout(self):
        """Hides the readout by its shortcut, whichever window is focused."""
        self.desktop.key(SHOW_HIDE_KEY)
        self.wait_hidden()

    # -- dialogs -------------------------------------------------------------

    def open_dialog(self, kind):
        """Starts a dialog fixture and waits until it is the active window and
        its program is on the accessibility bus (it joins a moment after its
        window shows, and a paste before that finds nothing)."""
        variable, env = DIALOGS[kind]
        binary = os.environ.get(variable)
        if not binary:
            self.skipTest(f"{variable} is not set")
        program = self.desktop.start_program(
            [], binary=binary, env=env, label=f"{kind}-dialog-{len(self.open_dialogs)}")
        # Cleanups run last first: a stopped dialog is woken before it is ended.
        self.addCleanup(program.end)
        self.addCleanup(program.signal, signal.SIGCONT)
        window = int(program.wait_for_line("ready ", STEP_TIMEOUT).split()[1])
        wait_until(lambda: program.pid in self.desktop.bus.accessible_processes(
            self.desktop.env()), STEP_TIMEOUT,
            message=f"the {kind} dialog did not join the accessibility bus")
        wait_until(lambda: self.desktop.active_window() == window, STEP_TIMEOUT,
                   message=f"the {kind} dialog is not the active window")
        dialog = Dialog(kind, program, window)
        self.open_dialogs.append(dialog)
        return dialog

    def stop(self, dialog):
        """Stops the dialog's program, as if it hung; its window stays."""
        dialog.program.signal(signal.SIGSTOP)
        wait_until(lambda: process_info(dialog.program.pid)[2] == "T", STEP_TIMEOUT,
                   message=f"the {dialog.kind} dialog did not stop")
        return dialog

    def colour_pixels(self, dialog, rgb):
        """How many pixels of the dialog's window have exactly the colour."""
        x, y, w, h = self.desktop.window_geometry(dialog.window)
        return self.desktop.screenshot().count(rgb, x, y, w, h)

    def paste(self, dialog, rgb):
        """Presses the paste shortcut in the active dialog and waits until the
        dialog shows a swatch of `rgb`."""
        # Two looks, in case the dialog was still drawing at the first.
        before = max(self.colour_pixels(dialog, rgb) for _ in range(2))
        self.desktop.key("ctrl+v")
        wait_until(lambda: self.colour_pixels(dialog, rgb) >= before + SWATCH_PIXELS,
                   STEP_TIMEOUT, interval=0.1,
                   message=f"the {dialog.kind} dialog never showed {rgb}")

    def accept(self, dialog):
        """Accepts the active dialog with Return and returns the colour it
        reports. OK is the default button of both dialogs, but GTK's palette
        view keeps Return for its swatches: accept that one after a paste,
        which leaves it in its editor view."""
        self.assertEqual(self.desktop.active_window(), dialog.window)
        self.desktop.key("Return")
        line = wait_until(dialog.outcome, STEP_TIMEOUT,
                          message=f"the {dialog.kind} dialog was not accepted")
        self.assertTrue(line.startswith("colour "), line)
        # It ends by itself; ending it meanwhile could cut short the leak
        # check of a sanitizer build at its exit.
        self.assertEqual(dialog.program.wait_exit(STEP_TIMEOUT), 0, dialog.program.stderr())
        return tuple(int(part) for part in line[len("colour "):].split(","))

    def activate(self, dialog):
        """Gives the dialog the focus and waits until it is above the other
        dialogs, so that none of their swatches shows inside its area."""

        def on_top():
            stacking = self.desktop.stacking_order()
            if dialog.window not in stacking:
                return False
            above = stacking[stacking.index(dialog.window) + 1:]
            return not any(other.window in above for other in self.open_dialogs)

        self.desktop.xdotool("windowactivate", "--sync", dialog.window)
        wait_until(lambda: self.desktop.active_window() == dialog.window and on_top(),
                   STEP_TIMEOUT, message=f"the {dialog.kind} dialog did not come to the top")


class PasteTest(ColourDialogCase):
    def test_copied_colour_goes_into_each_dialog(self):
        self.start_program()
        self.copy_navy()
        # The copied colour is pasted, not the one tracked since, and the
        # readout need not be shown.
        self.track("orange")
        self.hide_readout()
        for kind in ("qt", "gtk"):
            with self.subTest(dialog=kind):
                dialog = self.open_dialog(kind)
                self.paste(dialog, NAVY)
                self.assertEqual(self.accept(dialog), NAVY)
        self.assertEqual(self.desktop.clipboard_text(), NAVY_TEXT)

    def test_a_new_copy_goes_into_dialogs_already_pasted_into(self):
        # GTK's chooser shows its editor after the first paste: the second
        # one finds the colour entry at once.
        self.start_program()
        self.copy_navy()
        self.hide_readout()
        dialogs = [self.open_dialog(kind) for kind in ("qt", "gtk")]
        for dialog in dialogs:
            self.activate(dialog)
            self.paste(dialog, NAVY)

        self.focus_fixture()
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()
        self.track("orange")
        self.press("ctrl+c")
        self.wait_clipboard(ORANGE_TEXT)
        self.hide_readout()
        for dialog in dialogs:
            with self.subTest(dialog=dialog.kind):
                self.activate(dialog)
                self.paste(dialog, ORANGE)
                self.assertEqual(self.accept(dialog), ORANGE)

    def test_black_before_any_copy(self):
        # Qt's dialog keeps its black basic colour and text while its swatch
        # turns black; GTK's palette, with black in it, gives way to the
        # editor, so there the swatch cannot be told by counting.
        self.start_program(show=False)
        dialog = self.open_dialog("qt")
        self.paste(dialog, BLACK)
        self.assertEqual(self.accept(dialog), BLACK)

    def test_ordinary_window_gets_its_ctrl_v_and_nothing_is_pasted(self):
        self.start_program()
        self.copy_navy()
        # A colour dialog that is open but not active is no target either.
        bystander = self.open_dialog("qt")
        self.focus_fixture()
        self.assertEqual(self.press("ctrl+v"), "key Ctrl+V")
        self.assertEqual(self.desktop.clipboard_text(), NAVY_TEXT)
        self.track("orange")

        # Pastes are done in the order they were asked for: once a later one
        # has arrived, a wrong earlier one would have arrived too.
        self.hide_readout()
        later = self.open_dialog("gtk")
        self.paste(later, NAVY)
        self.assertEqual(self.accept(later), NAVY)

        self.activate(bystander)
        self.assertEqual(self.colour_pixels(bystander, NAVY), 0)
        self.assertEqual(self.accept(bystander), START_COLOUR)

    def test_stopped_dialog_holds_up_neither_readout_nor_later_pastes(self):
        self.start_program()
        self.copy_navy()
        stopped = self.stop(self.open_dialog("qt"))
        self.assertEqual(self.desktop.active_window(), stopped.window)
        for _ in range(3):
            self.desktop.key("ctrl+v")
        # The readout follows the pointer and tracks colours meanwhile.
        self.track("orange")
        self.track("white", 5, 5)

        # Another dialog gets its paste while the stopped one still hangs.
        self.hide_readout()
        dialog = self.open_dialog("gtk")
        self.paste(dialog, NAVY)
        self.assertEqual(self.accept(dialog), NAVY)
        self.assertEqual(process_info(stopped.program.pid)[2], "T")

    def test_quits_while_a_paste_waits_for_a_stopped_dialog(self):
        self.start(dict(BASE, HotKey9=VK_F[9]))
        self.addCleanup(self.assert_bus_reached)
        self.stop(self.open_dialog("qt"))
        for _ in range(3):
            self.desktop.key("ctrl+v")
        self.desktop.key("F9")
        self.assert_quits_cleanly()


if __name__ == "__main__":
    unittest.main()
