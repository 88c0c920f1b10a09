"""Actions sent to the running program from the command line, the way a
desktop's own key bindings run them: "pixolet --action NAME".
"""

import os
import signal
import subprocess
import unittest

from desktop import wait_until
from readout_helpers import STEP_TIMEOUT, ReadoutCase

CLIENT_TIMEOUT = 15.0
ACTION_NAMES = ("copy", "paste", "freeze-window", "freeze-colour", "measure", "add-point",
                "reset-points", "show-hide", "quit")


class ActionCase(ReadoutCase):
    def action(self, *args):
        """Runs "pixolet --action ..." to its end: (exit code, stderr)."""
        result = subprocess.run(
            [os.environ["PIXOLET_BIN"], "--action", *args], env=self.desktop.env(),
            capture_output=True, text=True, timeout=CLIENT_TIMEOUT,
        )
        self.assertEqual(result.stdout, "")
        return result.returncode, result.stderr

    def assert_one_line(self, text):
        self.assertTrue(text.endswith("\n"), repr(text))
        self.assertEqual(text.count("\n"), 1, repr(text))


class WithoutInstanceTest(ActionCase):
    def test_no_running_instance_is_one_line_and_a_failure(self):
        code, err = self.action("copy")
        self.assertNotEqual(code, 0)
        self.assert_one_line(err)
        self.assertIn("not running", err)

    def test_an_unknown_name_is_a_usage_error_that_lists_the_names(self):
        code, err = self.action("rainbow")
        self.assertEqual(code, 2)
        self.assert_one_line(err)
        for name in ACTION_NAMES:
            self.assertIn(name, err)


class RunningInstanceTest(ActionCase):
    def test_copy_with_the_readout_hidden_takes_the_colour_under_the_pointer(self):
        self.start()
        self.assertIsNone(self.readout())
        for tile, text in (("navy", "#123456"), ("orange", "#FF80 5")):
            with self.subTest(tile=tile):
                self.point_at(tile)
                self.assertEqual(self.action("copy"), (0, ""))
                self.assertEqual(self.desktop.clipboard_text(), text)
        self.assertIsNone(self.readout())

    def test_show_hide_and_the_readouts_own_actions(self):
        self.start()
        code, err = self.action("freeze-window")
        self.assertEqual(code, 1)
        self.assert_one_line(err)
        self.assertIn("hidden", err)

        self.assertEqual(self.action("show-hide"), (0, ""))
        self.wait_shown()
        self.track("navy")
        self.assertEqual(self.action("copy"), (0, ""))
        self.assertEqual(self.desktop.clipboard_text(), "#123456")
        self.assertEqual(self.action("show-hide"), (0, ""))
        self.wait_hidden()

    def test_quit_ends_the_instance_with_0(self):
        program = self.start()
        self.assertEqual(self.action("quit"), (0, ""))
        self.assert_quits_cleanly(program)
        code, err = self.action("quit")
        self.assertNotEqual(code, 0)
        self.assert_one_line(err)

    def test_a_new_start_after_a_crash_takes_requests_again(self):
        program = self.start()
        program.signal(signal.SIGKILL)  # the socket stays behind
        wait_until(lambda: not program.running(), STEP_TIMEOUT, message="the program lives on")
        code, _ = self.action("copy")
        self.assertNotEqual(code, 0)
        self.start()
        self.point_at("navy")
        self.assertEqual(self.action("copy"), (0, ""))
        self.assertEqual(self.desktop.clipboard_text(), "#123456")


if __name__ == "__main__":
    unittest.main()
