"""Measuring on Wayland: in measuring mode a click of the session adds a
point and a marker appears there, in the look the markers have on X11 (a
plus sign, black on light colours and white on dark ones); reset, leaving
measuring mode and quitting take the markers away again.

No program can write the screen's pixels on Wayland, so what the markers
cover is compared with a capture taken before the session started.
"""

import unittest

from wayland_case import STEP_TIMEOUT, VK_F, ProgramCase
from wayland_desktop import wait_until

SETTINGS = {"HotKey5": VK_F[5], "HotKey6": VK_F[6], "HotKey7": VK_F[7]}
# Tiles and the marker each gets: the threshold is a component sum of 300.
MARKERS = (("black", (255, 255, 255)), ("white", (0, 0, 0)),
           ("grey100", (0, 0, 0)), ("grey99", (255, 255, 255)))


class MeasureTest(ProgramCase):
    def start_measuring(self, settings=None):
        self.before = self.desktop.screenshot()
        self.show(dict(SETTINGS, **(settings or {})))
        self.track("red")
        _, _, self.normal_width, height = self.readout()
        self.desktop.key("F7")
        # Re-laid out with the measuring column and the distance bar.
        wait_until(lambda: (self.readout() or (0, 0, 0, 0))[2] > self.normal_width,
                   STEP_TIMEOUT, message="measuring mode did not widen the readout")
        self.points = []

    def place(self, tile, dx=0, dy=0):
        point = self.point_at(tile, dx, dy)
        self.wait_following(point)
        self.desktop.click(1)
        self.points.append(point)
        return point

    def marker_area(self, image, point):
        x, y = point
        return image.region(x - 3, y - 3, 7, 7)

    def wait_marker(self, point, colour):
        x, y = point

        def drawn():
            image = self.desktop.screenshot()
            return all(image.pixel(*p) == colour for p in
                       ((x - 3, y), (x + 3, y), (x, y - 3), (x, y + 3), (x, y)))

        wait_until(drawn, STEP_TIMEOUT, interval=0.05,
                   message=f"no {colour} marker at {point}")

    def wait_removed(self):
        def removed():
            image = self.desktop.screenshot()
            return all(self.marker_area(image, p) == self.marker_area(self.before, p)
                       for p in self.points)

        wait_until(removed, STEP_TIMEOUT, interval=0.05,
                   message="markers are still shown")

    def place_two(self):
        for tile, colour in MARKERS[:2]:
            self.wait_marker(self.place(tile), colour)

    def test_markers_appear_at_the_clicked_points_and_reset_removes_them(self):
        self.start_measuring()
        for tile, colour in MARKERS:
            with self.subTest(tile=tile):
                x, y = self.place(tile)
                self.wait_marker((x, y), colour)
                # A plus sign: the corners of its square keep the tile.
                image = self.desktop.screenshot()
                self.assertEqual(image.pixel(x + 1, y + 1), tuple(self.tiles[tile]["rgb"]))
                self.assertEqual(image.pixel(x + 4, y), tuple(self.tiles[tile]["rgb"]))
        self.assertIsNotNone(self.readout(), "clicks in measuring mode keep the session")
        self.desktop.key("F6")
        self.wait_removed()
        self.assertIsNotNone(self.readout(), "reset keeps the session")
        # Points can be added again after a reset.
        self.points = []
        self.wait_marker(self.place("white"), (0, 0, 0))

    def test_reset_and_add_point_actions(self):
        self.start_measuring({"MouseClick": 0})
        clicked = self.place("black")  # clicks place nothing now
        point = self.point_at("white")
        self.wait_following(point)
        self.run_action("add-point")
        self.points.append(point)
        self.wait_marker(point, (0, 0, 0))
        self.assertEqual(self.marker_area(self.desktop.screenshot(), clicked),
                         self.marker_area(self.before, clicked))
        self.run_action("reset-points")
        self.wait_removed()

    def test_leaving_measuring_mode_removes_the_markers(self):
        self.start_measuring()
        self.place_two()
        self.desktop.key("F7")
        self.wait_removed()
        wait_until(lambda: (self.readout() or (0, 0, 0, 0))[2] == self.normal_width,
                   STEP_TIMEOUT, message="the readout kept its measuring layout")

    def test_ending_the_session_removes_the_markers(self):
        self.start_measuring()
        self.place_two()
        self.desktop.key("Escape")
        self.wait_hidden()
        self.wait_removed()

    def test_quitting_while_measuring_removes_the_markers(self):
        self.start_measuring()
        self.place_two()
        self.run_action("quit")
        self.assert_quits_cleanly()
        self.wait_removed()


if __name__ == "__main__":
    unittest.main()
