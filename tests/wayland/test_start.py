"""The program on a Wayland desktop without any X server: it starts
natively, keeps one instance, answers actions from outside, and quits with
exit code 0.

The desktop has Xwayland switched off and its programs get no DISPLAY, so a
program that needed X would not start at all.
"""

import unittest

from wayland_case import START_TIMEOUT, STEP_TIMEOUT, ProgramCase
from wayland_desktop import wait_until

ACTIONS = ("copy", "paste", "freeze-window", "freeze-colour", "measure", "add-point",
           "reset-points", "show-hide", "quit")


class StartTest(ProgramCase):
    def program_processes(self):
        found = []
        for pid in self.desktop.processes():
            try:
                with open(f"/proc/{pid}/comm") as comm:
                    if comm.read().strip() == "pixolet":
                        found.append(pid)
            except OSError:
                pass
        return found

    def test_starts_natively_and_shows_the_readout_over_wayland_clients(self):
        program = self.start()
        self.assertNotIn("DISPLAY", self.desktop.env())
        self.run_action("show-hide")
        self.wait_shown()
        # The readout reads the pixels of another Wayland client.
        self.track("navy")
        self.assertTrue(program.running(), program.stderr())
        self.assertNotIn("Xwayland", program.stderr())

    def test_second_start_exits_0_and_leaves_the_first(self):
        first = self.start()
        for args in ((), ("\\NOSPLASH",)):
            with self.subTest(args=args):
                second = self.desktop.start_program(list(args))
                self.addCleanup(self.assert_no_crash_output, second)
                self.addCleanup(second.end)
                self.assertEqual(second.wait_exit(START_TIMEOUT), 0, second.stderr())
                self.assertTrue(first.running(), first.stderr())
        # The first instance still answers.
        self.run_action("show-hide")
        self.wait_shown()
        self.run_action("quit")
        self.assert_quits_cleanly(first)

    def test_actions_without_an_instance_fail_with_one_line(self):
        for name in ACTIONS:
            with self.subTest(action=name):
                result = self.action(name)
                self.assertNotEqual(result.returncode, 0)
                self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
        # None of them stayed or started an instance.
        self.assertEqual(self.program_processes(), [])

    def test_unknown_action_fails_and_leaves_the_instance_alone(self):
        program = self.start()
        for name in ("", "bogus", "COPY", "copy; quit"):
            with self.subTest(action=name):
                result = self.action(name)
                self.assertNotEqual(result.returncode, 0)
                self.assertTrue(result.stderr.strip(), "a refusal says why")
        self.assertTrue(program.running(), program.stderr())
        self.assertIsNone(self.readout())

    def test_quit_action_ends_with_0_in_and_out_of_a_session(self):
        for in_session in (False, True):
            with self.subTest(in_session=in_session):
                self.desktop.reset_home()
                program = self.start()
                if in_session:
                    self.run_action("show-hide")
                    self.wait_shown()
                self.run_action("quit")
                self.assert_quits_cleanly(program)
                self.wait_hidden()
                # The instance is gone: its socket went with it.
                wait_until(lambda: self.action("show-hide").returncode != 0, STEP_TIMEOUT,
                           message="an action still reaches the ended instance")
                # The target has the pointer and the keyboard again.
                before = len(self.target_lines("button "))
                self.desktop.click(1)
                wait_until(lambda: len(self.target_lines("button ")) > before, STEP_TIMEOUT,
                           message="the target gets no clicks after the quit")

    def test_show_hide_action_toggles_the_session(self):
        self.start()
        for _ in range(2):
            self.run_action("show-hide")
            self.wait_shown()
            self.run_action("show-hide")
            self.wait_hidden()


if __name__ == "__main__":
    unittest.main()
