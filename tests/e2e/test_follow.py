"""Following the pointer: a jump onto the place the readout window had just
left is sampled again once the screen has settled, so neither the readout
nor a copy right after shows the readout's own old pixels.

Right after the window moves away, the window below has not repainted the
uncovered place yet: a sample taken there at once still holds the readout's
blue frame and silver background.
"""

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


if __name__ == "__main__":
    unittest.main()
