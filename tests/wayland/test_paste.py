"""Pasting the copied colour into another program's colour dialog on
Wayland: a Wayland-native Qt QColorDialog, found as the active window over
the accessibility bus of the desktop's own session bus, takes the colour
the program copied in a pick session.

The dialog opens on a workspace of its own, away from the full-screen
colour target. The paste is waited for by what the dialog shows: a swatch of
the pasted colour, a large area of exactly that colour inside the dialog.
Then the dialog is accepted and reports the colour it holds.
"""

import os
import signal
import unittest

from wayland_case import STEP_TIMEOUT, ProgramCase
from wayland_desktop import wait_until

NAVY = (18, 52, 86)
# Fewer pixels than the dialog's swatch of the current colour (about
# 6,500), more than any text of that colour.
SWATCH_PIXELS = 1500


class PasteTest(ProgramCase):
    DESKTOP_OPTIONS = {"dbus": True}
    NEEDS = ProgramCase.NEEDS + ("PIXOLET_QT_DIALOG",)

    def copy_navy(self):
        self.show()
        self.track("navy")
        self.desktop.key("ctrl+c")
        self.wait_clipboard("#123456")
        self.desktop.key("Escape")
        self.wait_hidden()

    def open_dialog(self):
        """Starts the Qt dialog on workspace 2 and waits until it has the
        focus and is on the accessibility bus (it joins a moment after it
        shows; a paste before that would find nothing)."""
        self.desktop.swaymsg("workspace 2")
        self.addCleanup(self.desktop.swaymsg, "workspace 1")
        program = self.desktop.start_program(
            [], binary=os.environ["PIXOLET_QT_DIALOG"], label="qt-dialog",
            env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "NO_AT_BRIDGE": None})
        self.addCleanup(program.end)
        self.addCleanup(program.signal, signal.SIGCONT)
        program.wait_for_line("ready ", STEP_TIMEOUT)
        wait_until(lambda: program.pid in self.desktop.bus.accessible_processes(
            self.desktop.env()), STEP_TIMEOUT,
            message="the dialog did not join the accessibility bus")
        wait_until(lambda: self.desktop.focused_pid() == program.pid, STEP_TIMEOUT,
                   message="the dialog does not have the focus")
        return program

    def colour_pixels(self, program, rgb):
        rect = self.desktop.window_of(program.pid)["rect"]
        region = (rect["x"], rect["y"], rect["width"], rect["height"])
        return self.desktop.screenshot(region).count(rgb)

    def accept(self, program):
        self.desktop.key("Return")
        line = program.wait_for_line("colour ", STEP_TIMEOUT)
        self.assertEqual(program.wait_exit(STEP_TIMEOUT), 0, program.stderr())
        return tuple(int(part) for part in line[len("colour "):].split(","))

    def test_copied_colour_goes_into_a_wayland_qt_colour_dialog(self):
        self.copy_navy()
        self.track_nothing()
        dialog = self.open_dialog()
        before = max(self.colour_pixels(dialog, NAVY) for _ in range(2))
        self.run_action("paste")
        wait_until(lambda: self.colour_pixels(dialog, NAVY) >= before + SWATCH_PIXELS,
                   STEP_TIMEOUT, interval=0.1, message="the dialog never showed the colour")
        self.assertEqual(self.accept(dialog), NAVY)
        self.assertEqual(self.desktop.clipboard_text(), "#123456")
        self.assertNotIn("no accessibility bus", self.program.stderr())

    def track_nothing(self):
        # The pointer leaves the navy tile: the copied colour is pasted, not
        # the one under the pointer.
        self.point_at("orange")


if __name__ == "__main__":
    unittest.main()
