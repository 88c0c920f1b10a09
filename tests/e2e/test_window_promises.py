"""What the shown readout window promises the user: above every other
program's window (also after another window was raised or the readout was
put below the others), never the focused window (not even when clicked), no
taskbar or pager entry, and its own menus open above it.
"""

import unittest

from desktop import wait_until
from readout_helpers import STEP_TIMEOUT, VK_F, ReadoutCase
from stacking import Stacking

SHOW_HIDE_KEY = "F8"


class WindowPromisesTest(ReadoutCase):
    def setUp(self):
        super().setUp()
        self.stacking = Stacking(self.desktop.display)
        self.addCleanup(self.stacking.close)

    def show(self):
        self.start({"HotKey8": VK_F[8], "HotKey3": VK_F[3]})
        self.focus_fixture()
        self.press(SHOW_HIDE_KEY)
        return self.wait_shown()

    def above(self, wid):
        """The shown top-level windows above `wid` (bottom first), or None
        when `wid` is not a top-level window at all."""
        windows = self.stacking.windows()
        ids = [w for w, _, _ in windows]
        if wid not in ids:
            return None
        return [(w, managed) for w, shown, managed in windows[ids.index(wid) + 1:] if shown]

    def on_top(self, wid):
        above = self.above(wid)
        return above is not None and not any(managed for _, managed in above)

    def wait_on_top(self, wid, why):
        wait_until(lambda: self.on_top(wid), STEP_TIMEOUT,
                   message=f"{why}: windows above the readout: {self.above(wid)}")

    def test_on_top_unfocused_and_without_a_taskbar_entry(self):
        wid = self.show()
        self.wait_on_top(wid, "shown")
        self.assertEqual(self.desktop.active_window(), self.fixture_window)
        # Taskbars and pagers list the windows of _NET_CLIENT_LIST.
        listed = self.desktop.root_property("_NET_CLIENT_LIST")
        self.assertNotIn(hex(wid), listed.lower())
        self.track("navy")
        self.wait_on_top(wid, "after following the pointer")

        # A click into the frozen window (which does not move away) leaves
        # the focus where it was.
        self.press("F3")
        x, y, w, h = self.geometry()
        self.desktop.move_pointer(x + w - 20, y + h - 8)
        self.desktop.click(1)
        with self.assertRaises(TimeoutError):
            wait_until(lambda: self.desktop.active_window() != self.fixture_window, 1.0)

    def test_back_on_top_after_other_windows_were_stacked_above_it(self):
        wid = self.show()
        # Over the fixture's tile: the fixture is beneath the readout.
        self.track("navy")
        for how in ("windowraise", "windowactivate", "lowered"):
            with self.subTest(how=how):
                if how == "lowered":
                    # Below every window, as a window manager that raises a
                    # window to the very top would leave it.
                    self.stacking.lower(wid)
                else:
                    self.desktop.xdotool(how, self.fixture_window)
                self.wait_on_top(wid, how)
                # What the user sees: the readout's own pixels on the screen.
                self.wait_swatch(self.tiles["navy"]["rgb"])

    def test_its_context_menu_opens_above_it(self):
        wid = self.show()
        self.track("navy")
        self.press("F3")
        before = set(self.desktop.window_ids(pid=self.program.pid, visible=True))
        x, y, w, h = self.geometry()
        self.desktop.move_pointer(x + w // 2, y + h // 2)
        self.desktop.click(3)

        def menu():
            new = set(self.desktop.window_ids(pid=self.program.pid, visible=True)) - before
            return [m for m in new if self.window_type(m) != "tooltip"]

        menus = wait_until(menu, STEP_TIMEOUT, message="no context menu")
        self.assertTrue(any(m in [a for a, _ in self.above(wid) or []] for m in menus),
                        "the menu opened below the readout")
        self.desktop.key("Escape")
        wait_until(lambda: not menu(), STEP_TIMEOUT, message="the menu stayed open")
        self.wait_on_top(wid, "after the menu closed")


if __name__ == "__main__":
    unittest.main()
