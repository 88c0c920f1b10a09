"""pixolet.exe under Wine: the readout window's own context menu, and the
end of the session.

The session end takes every program of the prefix with it, the colour
target included, so the restored screen itself is checked by the quit cases
of test_program, which run the same close.
"""

import unittest

import wine_case  # first: it puts the Linux harness on the path
from wine_case import STEP_TIMEOUT, WineShortcutCase, tearDownModule  # noqa: F401
from readout_helpers import VK_F  # noqa: E402
import test_program


class ReadoutMenuTest(WineShortcutCase):
    def test_right_click_on_the_frozen_window_opens_the_menu(self):
        self.show({"HotKey3": VK_F[3]})
        # Frozen, so the pointer can reach it; right-clicked in its centre.
        x, y, mw, mh = self.open_readout_menu()
        left, top, w, h = self.geometry()
        # At the pointer (moved left where it would cross the screen's
        # edge); Quit is the last entry.
        px, py = left + w // 2, top + h // 2
        self.assertLessEqual(abs(y - py), 2)
        self.assertTrue(x <= px <= x + mw, (x, mw, px))
        self.desktop.move_pointer(x + mw // 2, y + mh - mh // 6)
        self.desktop.click(1)
        self.assert_quits_cleanly()


class SessionEndTest(test_program.MeasureTest):
    # Only the case below; the measuring cases run in test_program.
    test_markers_take_the_threshold_colour_and_reset_restores_the_screen = None
    test_quitting_while_measuring_removes_the_markers = None
    test_switching_measuring_off_restores_the_screen = None

    def test_session_end_while_measuring_ends_with_0(self):
        self.start_measuring()
        for tile, _ in self.MARKERS[:2]:
            self.place(tile)
        self.wait_marker()
        # Wine's own end of session: WM_QUERYENDSESSION, then WM_ENDSESSION
        # to every top-level window of the prefix.
        ended = self.desktop.wine("wineboot", "--end-session", timeout=60)
        self.assertEqual(ended.returncode, 0, ended.stderr)
        self.assert_quits_cleanly(timeout=STEP_TIMEOUT)
        self.assert_no_crash_output(self.program)
        self.assertEqual(self.desktop.tray_icons(), [], "the tray icon left with the program")


if __name__ == "__main__":
    unittest.main()
