"""Following the pointer: a jump onto the place the readout window had just
left is sampled again once the screen has settled, so neither the readout
nor a copy right after shows the readout's own old pixels.

Right after the window moves away, the window below has not repainted the
uncovered place yet: a sample taken there at once still holds the readout's
blue frame and silver background.

While it follows, the readout lets the pointer through: a quick move that
ends on it, before it has moved on, clicks the window beneath. Frozen, it
takes the pointer again, to be dragged.
"""

import contextlib
import signal
import unittest

from desktop import wait_until
from readout_helpers import STEP_TIMEOUT, VK_F, ReadoutCase, follow_position

SHOW_HIDE_KEY = "F8"


class JumpOntoTheOldPlace(ReadoutCase):
    def show(self):
        self.start({"HotKey8": VK_F[8]})
        self.focus_fixture()
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()

    def test_copy_after_a_jump_onto_the_old_place_takes_the_real_colour(self):
        self.show()
        tile = self.tiles["navy"]
        _, _, w, h = self.geometry()
        # Onto the old window's frame corner, and into its middle.
        for jump in ((10, 10), (10 + w // 2, 10 + h // 3)):
            with self.subTest(jump=jump):
                start = (tile["x"] + 2, tile["y"] + 2)
                end = (start[0] + jump[0], start[1] + jump[1])
                self.assertLess(end[0], tile["x"] + tile["w"], "the jump stays on the tile")
                self.assertLess(end[1], tile["y"] + tile["h"], "the jump stays on the tile")
                self.desktop.move_pointer(*start)
                self.wait_following(start)
                self.wait_swatch(tile["rgb"])
                self.desktop.move_pointer(*end)
                self.assertEqual(self.press("ctrl+c"), "key Ctrl+C")
                wait_until(lambda: self.desktop.clipboard_text() == "#123456", STEP_TIMEOUT,
                           message=f"clipboard holds {self.desktop.clipboard_text()!r}")
                self.wait_placed(*follow_position(end, (w, h)))
                self.wait_swatch(tile["rgb"])


class PassThrough(ReadoutCase):
    def fixture_clicks(self):
        return [line for line in self.fixture.stdout_lines() if line.startswith("button ")]

    def click(self, point):
        """Clicks at `point`; returns the click lines the fixture printed
        for it (none when another window took it). A second click on the
        fixture, away from the readout, is the barrier: the server delivers
        clicks in order, so once the fixture reports that one, the first has
        been delivered wherever it went."""
        before = len(self.fixture_clicks())
        self.desktop.move_pointer(*point)
        self.desktop.click(1)
        barrier = self.tile_point("background")
        self.desktop.move_pointer(*barrier)
        self.desktop.click(1)
        wanted = f"button 1 {barrier[0]} {barrier[1]}"
        wait_until(lambda: wanted in self.fixture_clicks()[before:], STEP_TIMEOUT,
                   message="the fixture did not receive the barrier click")
        return self.fixture_clicks()[before:-1]

    @contextlib.contextmanager
    def program_stopped(self):
        """The program cannot move its window away meanwhile: the window
        stays exactly where a quick move would have run into it."""
        self.program.signal(signal.SIGSTOP)
        try:
            yield
        finally:
            self.program.signal(signal.SIGCONT)

    def test_clicks_reach_the_window_beneath_the_following_readout_only(self):
        self.start({"HotKey8": VK_F[8], "HotKey3": VK_F[3]})
        self.focus_fixture()
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()
        for round_ in ("following", "following again"):
            with self.subTest(round=round_):
                self.track("navy")
                x, y, w, h = self.geometry()
                on_readout = (x + w // 2, y + h // 2)
                with self.program_stopped():
                    clicks = self.click(on_readout)
                self.assertEqual(clicks, [f"button 1 {on_readout[0]} {on_readout[1]}"])
                # Still following, and beside the last move.
                self.wait_following(self.tile_point("background"))
            if round_ == "following":
                self.track("navy")
                self.focus_fixture()
                self.press("F3")
                x, y, w, h = self.geometry()
                # The frozen window takes its clicks.
                self.assertEqual(self.click((x + w // 2, y + h // 2)), [])
                self.assertEqual(self.geometry(), (x, y, w, h))
                # And is dragged by its centre.
                self.desktop.move_pointer(x + 3, y + 3)
                with self.held_button(1):
                    for target in ((x + 5, y + 4), (x + 60, y + 50)):
                        self.desktop.move_pointer(*target)
                        self.wait_placed(target[0] - w // 2, target[1] - h // 2)
                self.focus_fixture()
                self.press("F3")


if __name__ == "__main__":
    unittest.main()
