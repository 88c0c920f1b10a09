"""The Wayland test desktop itself, against sway and the colour target: the
compositor runs as the unprivileged user without an X server, the virtual
pointer lands on the pixels asked for, typed keys all arrive, captures show
exact colours and no cursor, the clipboard round-trips, the readout finder
finds frames and nothing else, and closing ends every process of the
desktop, including ones the compositor started.
"""

import os
import stat
import unittest

from wayland_case import TargetCase, find_readout  # first: puts tests/e2e on the path
import pnm
from wayland_desktop import (OUTPUT_HEIGHT, OUTPUT_WIDTH, WaylandDesktop, desktop_uid,
                             key_arguments, missing_tools, wait_until)
from session_bus import process_info

FRAME = (0, 0, 255)
INSIDE = (192, 192, 192)


def image_of(width, height, fill, rects=()):
    """A pnm.Image filled with `fill` and then each (x, y, w, h, rgb)."""
    data = bytearray(bytes(fill) * (width * height))
    for x, y, w, h, rgb in rects:
        for row in range(y, y + h):
            at = (row * width + x) * 3
            data[at:at + 3 * w] = bytes(rgb) * w
    return pnm.Image(width, height, 3, bytes(data))


def framed(x, y, w, h):
    """The rectangles of a readout at x, y: a blue frame, silver inside."""
    return [(x, y, w, h, FRAME), (x + 1, y + 1, w - 2, h - 2, INSIDE)]


class FindReadoutTest(unittest.TestCase):
    def test_frames_are_found_exactly(self):
        cases = {
            "alone": ([], (30, 40, 120, 80)),
            "blue to the left": ([(0, 30, 30, 100, FRAME)], (30, 40, 120, 80)),
            "blue to the right and above": ([(150, 0, 50, 200, FRAME), (0, 0, 200, 40, FRAME)],
                                            (30, 40, 120, 80)),
            "blue inside": ([(40, 60, 30, 30, FRAME)], (30, 40, 120, 80)),
            "at the corner": ([], (0, 0, 60, 50)),
            "at the far corner": ([], (140, 150, 60, 50)),
        }
        for name, (before, rect) in cases.items():
            with self.subTest(name):
                inside = [r for r in before if r[0] > rect[0] and r[1] > rect[1]
                          and r[0] + r[2] < rect[0] + rect[2]]
                outside = [r for r in before if r not in inside]
                image = image_of(200, 200, (64, 64, 64), outside + framed(*rect) + inside)
                self.assertEqual(find_readout(image), rect)

    def test_blue_areas_without_a_silver_inside_are_no_readout(self):
        for rects in ([(10, 10, 100, 100, FRAME)],
                      [(10, 10, 100, 2, FRAME)],
                      [(10, 10, 100, 100, FRAME), (11, 11, 98, 98, (0, 0, 0))],
                      [(10, 10, 8, 8, FRAME), (11, 11, 6, 6, INSIDE)]):  # too small
            with self.subTest(rects=rects):
                self.assertIsNone(find_readout(image_of(200, 200, (64, 64, 64), rects)))


class KeyArgumentsTest(unittest.TestCase):
    def test_modifiers_wrap_the_key(self):
        self.assertEqual(key_arguments("Escape"), ["-k", "Escape"])
        self.assertEqual(key_arguments("ctrl+c"), ["-M", "ctrl", "-k", "c", "-m", "ctrl"])
        self.assertEqual(key_arguments("Ctrl+Shift+F8"),
                         ["-M", "ctrl", "-M", "shift", "-k", "F8", "-m", "shift", "-m", "ctrl"])


class DesktopTest(TargetCase):
    TARGET_ARGS = ("--log-motion",)

    def motions(self):
        return [tuple(int(v) for v in line.split()[1:])
                for line in self.target_lines("motion ")]

    def test_moves_go_through_intermediate_steps_at_the_rate(self):
        for (x0, y0), (x1, y1), steps, rate in (((100, 100), (400, 250), 10, 200),
                                                ((400, 250), (100, 600), 25, 500)):
            with self.subTest(to=(x1, y1), steps=steps):
                self.desktop.move_pointer(x0, y0)
                wait_until(lambda: self.motions()[-1:] and self.motions()[-1][:2] == (x0, y0),
                           10, message="the first move did not arrive")
                before = len(self.motions())
                self.desktop.move_pointer(x1, y1, steps=steps, rate=rate)
                wait_until(lambda: self.motions()[-1:] and self.motions()[-1][:2] == (x1, y1),
                           10, message="the move did not arrive")
                path = self.motions()[before:]
                # Each step on the straight line between the two points, in
                # order, none beyond the end (toolkits may merge steps).
                self.assertGreaterEqual(len(path), steps // 2)
                for (x, y, _), (nx, ny, _) in zip(path, path[1:]):
                    self.assertGreaterEqual((nx - x) * (x1 - x0) + (ny - y) * (y1 - y0), 0)
                for x, y, _ in path:
                    cross = (x - x0) * (y1 - y0) - (y - y0) * (x1 - x0)
                    self.assertLessEqual(abs(cross) / max(abs(x1 - x0), abs(y1 - y0)), 2)
                # Reports are spaced by the rate (the tool sleeps at least
                # that long between them; later is possible, earlier not).
                span = path[-1][2] - path[0][2]
                self.assertGreaterEqual(span, (len(path) - 1) * 1000 // rate - 2)

    def test_compositor_runs_as_the_desktop_user_without_x(self):
        self.assertEqual(os.stat(f"/proc/{self.desktop.sway_pid}").st_uid, desktop_uid())
        mode = os.stat(self.desktop.runtime_dir)
        self.assertEqual(stat.S_IMODE(mode.st_mode), 0o700)
        self.assertEqual(mode.st_uid, desktop_uid())
        self.assertEqual(os.stat(f"/proc/{self.target.pid}").st_uid, desktop_uid())
        env = self.desktop.env()
        self.assertNotIn("DISPLAY", env)
        self.assertEqual(env["QT_QPA_PLATFORM"], "wayland")
        self.assertEqual(self.desktop.output_size(), (OUTPUT_WIDTH, OUTPUT_HEIGHT))
        window = self.desktop.window_of(self.target.pid)
        self.assertTrue(window["fullscreen"])
        self.assertEqual(window["rect"], {"x": 0, "y": 0, "width": OUTPUT_WIDTH,
                                          "height": OUTPUT_HEIGHT})
        # Xwayland is off: nothing of the desktop is an X server.
        for pid in self.desktop.processes():
            with open(f"/proc/{pid}/comm") as comm:
                self.assertNotIn("Xwayland", comm.read())

    def test_pointer_clicks_land_on_the_pixels_asked_for(self):
        points = [self.tile_point("navy"), self.tile_point("red", -119, -99), (0, 0),
                  (OUTPUT_WIDTH - 1, OUTPUT_HEIGHT - 1), (641, 359)]
        for button in (1, 3, 2):
            for point in points:
                with self.subTest(button=button, point=point):
                    before = len(self.target_lines("button "))
                    self.desktop.move_pointer(*point)
                    self.desktop.click(button)
                    wait_until(lambda: len(self.target_lines("button ")) > before, 10,
                               message="the click did not arrive")
                    self.assertEqual(self.target_lines("button ")[before],
                                     f"button {button} {point[0]} {point[1]}")

    def test_every_typed_key_arrives(self):
        self.focus_target()
        for combo, seen in (("ctrl+c", "key Ctrl+C"), ("F7", "key F7"), ("Escape", "key Esc"),
                            ("ctrl+shift+F8", "key Ctrl+Shift+F8")) * 3:
            with self.subTest(combo=combo):
                self.assertEqual(self.press(combo), seen)

    def test_captures_show_exact_colours_and_no_cursor(self):
        image = self.desktop.screenshot()
        self.assertEqual((image.width, image.height), (OUTPUT_WIDTH, OUTPUT_HEIGHT))
        for name, tile in self.tiles.items():
            if name == "pattern":
                continue
            with self.subTest(tile=name):
                x, y, w, h = tile["x"], tile["y"], tile["w"], tile["h"]
                self.assertEqual(image.count(tile["rgb"], x, y, w, h), w * h)
        for name, mark in self.tiles["pattern"]["marks"].items():
            with self.subTest(mark=name):
                self.assertEqual(image.pixel(mark["x"], mark["y"]), tuple(mark["rgb"]))
                # A region capture reads the same.
                self.assertEqual(self.desktop.pixel(mark["x"], mark["y"]), tuple(mark["rgb"]))
        # Around the resting pointer there is nothing but the tile.
        x, y = self.point_at("white")
        around = self.desktop.screenshot((x - 32, y - 32, 64, 64))
        self.assertEqual(around.count((255, 255, 255)), 64 * 64)

    def test_clipboard_round_trips(self):
        for text in ("#123456", " 18  52  86", "ünïcode"):
            with self.subTest(text=text):
                holder = self.desktop.set_clipboard(text)
                self.assertEqual(self.desktop.clipboard_text(), text)
                holder.end()


class CloseTest(unittest.TestCase):
    def setUp(self):
        missing = missing_tools()
        if missing:
            self.skipTest("not installed: " + ", ".join(missing))

    def test_close_ends_every_process_of_the_desktop(self):
        # A command started by a key binding of the compositor, which
        # detaches it from the compositor (it forks twice).
        desktop = WaylandDesktop(bindings=[("Ctrl+Shift+F9", "sleep 600")]).__enter__()
        try:
            sway = desktop.sway_pid
            desktop.key("ctrl+shift+F9")

            def sleeper():
                for pid in desktop.processes():
                    with open(f"/proc/{pid}/comm") as comm:
                        if comm.read().strip() == "sleep":
                            return pid
                return None

            pid = wait_until(sleeper, 10, message="the binding started nothing")
            start = process_info(pid)[1]
        finally:
            stragglers = desktop.close()
        self.assertIn(pid, stragglers)
        info = process_info(pid)
        self.assertTrue(info is None or info[1] != start, "the bound command still runs")
        self.assertIsNone(process_info(sway), "sway still runs")


if __name__ == "__main__":
    unittest.main()
