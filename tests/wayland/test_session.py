"""The pick session on Wayland: the readout follows the pointer with the
exact pixels of the colour under it, flips at the output's edges, copies by
Ctrl+C, by the copy action and by a left click, and ends by a left click,
Escape or a right click.

During a session the program has the pointer and the keyboard: what it
takes never reaches the colour target below, and once the session has ended
the target gets its input again.
"""

import unittest

from wayland_case import OUTPUT, STEP_TIMEOUT, VK_F, ProgramCase, follow_position
from wayland_desktop import wait_until

NAVY_HEX = "#123456"
SENTINEL = "clipboard before"


class FollowTest(ProgramCase):
    def test_swatch_and_magnifier_show_the_colour_under_the_pointer(self):
        self.show()
        for name in ("orange", "navy", "white", "black", "grey99"):
            with self.subTest(tile=name):
                rgb = tuple(self.tiles[name]["rgb"])
                self.track(name)
                image = self.wait_swatch(rgb)
                x, y, w, h = self.readout(image)
                layout = self.layout((x, y, w, h))
                for cell in ((0, 0), (-1, -1), (1, 1), (layout.radius, -layout.radius)):
                    cx, cy = layout.cell(*cell)
                    self.assertEqual(image.pixel(x + cx, y + cy), rgb, cell)

    def test_magnifier_cells_show_each_pixel_around_the_pointer(self):
        marks = self.tiles["pattern"]["marks"]
        centre = marks["centre"]
        expected = {(m["x"] - centre["x"], m["y"] - centre["y"]): tuple(m["rgb"])
                    for m in marks.values()}
        for offset in ((-1, 0), (0, -1), (-1, -1), (2, 2), (-5, -5)):
            expected[offset] = (0, 0, 0)
        for zoom in (4, 7):
            with self.subTest(zoom=zoom):
                self.desktop.reset_home()
                self.show({"Zoom": zoom})
                point = (centre["x"], centre["y"])
                self.desktop.move_pointer(*point)
                self.wait_following(point)
                image = self.wait_swatch(centre["rgb"])
                x, y, w, h = self.readout(image)
                layout = self.layout((x, y, w, h))
                checked = 0
                for (dx, dy), rgb in expected.items():
                    at = layout.cell(dx, dy)
                    if max(abs(dx), abs(dy)) > layout.radius or at is None:
                        continue  # outside the magnifier or under the crosshair
                    checked += 1
                    self.assertEqual(image.pixel(x + at[0], y + at[1]), rgb, (dx, dy))
                self.assertGreaterEqual(checked, 4)
                self.run_action("quit")
                self.assert_quits_cleanly()

    def test_crosshair_colour_follows_the_300_threshold(self):
        self.show()
        for name, expected in (("grey100", (0, 0, 0)), ("grey99", (255, 255, 255))):
            with self.subTest(tile=name):
                self.track(name)
                image = self.desktop.screenshot()
                x, y, w, h = self.readout(image)
                cx, cy = self.layout((x, y, w, h)).crosshair()
                self.assertEqual(image.pixel(x + cx, y + cy), expected)

    def test_readout_flips_at_the_right_and_bottom_edges(self):
        self.show()
        self.track("red")
        _, _, w, h = self.readout()
        right_x = OUTPUT[0] - w - 10  # the last x that keeps the readout right
        bottom_y = OUTPUT[1] - h - 10
        cases = [
            ((right_x, 300), (right_x + 10, 310)),
            ((right_x + 1, 300), (right_x + 1 - w - 10, 310)),
            ((300, bottom_y), (310, bottom_y + 10)),
            ((300, bottom_y + 1), (310, bottom_y + 1 - h - 10)),
            ((right_x + 1, bottom_y + 1), (right_x + 1 - w - 10, bottom_y + 1 - h - 10)),
            ((OUTPUT[0] - 1, OUTPUT[1] - 1), (OUTPUT[0] - 1 - w - 10, OUTPUT[1] - 1 - h - 10)),
        ]
        for pointer, expected in cases:
            with self.subTest(pointer=pointer):
                self.assertEqual(follow_position(pointer, (w, h), OUTPUT), expected)
                # From far away, so that the move exceeds any tolerance.
                self.desktop.move_pointer(100, 100)
                self.wait_placed(110, 110)
                self.desktop.move_pointer(*pointer)
                self.wait_placed(*expected)

    def test_pointer_input_stays_with_the_session(self):
        self.show()
        before = len(self.target_lines("button "))
        self.track("white")
        self.track("orange")
        # A middle click neither copies nor ends the session.
        self.desktop.click(2)
        self.track("navy")
        self.assertEqual(len(self.target_lines("button ")), before,
                         "the target got a click of the session")


class CopyTest(ProgramCase):
    def test_ctrl_c_in_a_session_copies_the_hex_colour(self):
        self.desktop.set_clipboard(SENTINEL)
        self.show()
        before = len(self.target_lines("key "))
        for tile, text in (("navy", NAVY_HEX), ("orange", "#FF80 5"), ("navy", NAVY_HEX)):
            with self.subTest(tile=tile):
                self.track(tile)
                self.desktop.key("ctrl+c")
                self.wait_clipboard(text)
        self.assertIsNotNone(self.readout(), "a copy does not end the session")
        self.assertEqual(len(self.target_lines("key ")), before,
                         "the target got keys of the session")

    def test_copy_action_in_and_after_a_session(self):
        self.show()
        self.track("navy")
        self.desktop.set_clipboard(SENTINEL)
        self.run_action("copy")
        self.wait_clipboard(NAVY_HEX)
        self.assertIsNotNone(self.readout(), "the copy action does not end the session")
        self.desktop.key("Escape")
        self.wait_hidden()
        # Outside the session: the colour at the last known pointer place.
        self.desktop.set_clipboard(SENTINEL)
        self.run_action("copy")
        self.wait_clipboard(NAVY_HEX)

    def test_copy_shortcut_of_the_settings_acts_in_a_session(self):
        self.show({"HotKey1": VK_F[9]})
        self.track("navy")
        self.desktop.key("F9")
        self.wait_clipboard(NAVY_HEX)


class EndTest(ProgramCase):
    def assert_target_has_input_again(self):
        before = len(self.target_lines("button "))
        self.desktop.click(1)
        wait_until(lambda: len(self.target_lines("button ")) > before, STEP_TIMEOUT,
                   message="the target gets no clicks after the session")
        self.focus_target()
        self.assertEqual(self.press("F7"), "key F7")

    def test_left_click_copies_and_ends_the_session(self):
        self.desktop.set_clipboard(SENTINEL)
        self.show()
        buttons = len(self.target_lines("button "))
        self.track("navy")
        self.desktop.click(1)
        self.wait_clipboard(NAVY_HEX)
        self.wait_hidden()
        self.assertEqual(len(self.target_lines("button ")), buttons,
                         "the target got the session's click")
        # The text stays on the clipboard after the session.
        self.track_nothing_for_a_while()
        self.assertEqual(self.desktop.clipboard_text(), NAVY_HEX)
        self.assert_target_has_input_again()
        self.assertEqual(self.desktop.clipboard_text(), NAVY_HEX)

    def track_nothing_for_a_while(self):
        """Moves over other tiles with no session: nothing shows."""
        for name in ("orange", "white"):
            self.point_at(name)
            self.assertIsNone(self.readout())

    def test_escape_and_right_click_end_the_session_without_copying(self):
        for way in ("Escape", "right click"):
            with self.subTest(way=way):
                self.desktop.reset_home()
                self.desktop.set_clipboard(SENTINEL)
                self.show()
                self.track("navy")
                if way == "Escape":
                    self.desktop.key("Escape")
                else:
                    self.desktop.click(3)
                self.wait_hidden()
                self.assertEqual(self.desktop.clipboard_text(), SENTINEL)
                self.assertTrue(self.program.running(), "ending a session keeps the program")
                self.assert_target_has_input_again()
                # A new session starts where the pointer is.
                self.run_action("show-hide")
                self.wait_shown()
                self.track("orange")
                self.run_action("quit")
                self.assert_quits_cleanly()


if __name__ == "__main__":
    unittest.main()
