"""The running program's start, tray icon, menu and live readout window.

The readout window is read back from screen pixels at the places its layout
gives, over the colour fixture's tiles of known colours.
"""

import unittest

from desktop import SCREEN_HEIGHT, SCREEN_WIDTH, wait_until
from readout_helpers import START_TIMEOUT, STEP_TIMEOUT, VK_F, ReadoutCase, follow_position

SPLASH_SIZE = (250, 125)
SHOW_HIDE_KEY = "F8"
SHOW_HIDE = {"HotKey8": VK_F[8]}


class StartTest(ReadoutCase):
    def splash_windows(self, program, visible=True):
        return self.desktop.window_ids(name="^ $", pid=program.pid, visible=visible)

    def wait_splash(self, program):
        def shown():
            for wid in self.splash_windows(program):
                return wid, self.desktop.window_geometry(wid)
            if not program.running():
                self.fail(f"ended ({program.returncode}) without a splash:\n{program.stderr()}")
            return None

        return wait_until(shown, START_TIMEOUT, interval=0.02, message="no splash window")

    def test_splash_shows_centred_then_hides(self):
        for args in ((), ("/NOSPLASH",), ("NOSPLASH",), ("x", "\\NOSPLASH")):
            with self.subTest(args=args):
                self.desktop.reset_home()
                program = self.desktop.start_program(list(args))
                self.addCleanup(self.assert_no_crash_output, program)
                self.addCleanup(program.end)
                wid, (x, y, w, h) = self.wait_splash(program)
                self.assertEqual((w, h), SPLASH_SIZE)
                self.assertEqual((x, y), ((SCREEN_WIDTH - w) // 2, (SCREEN_HEIGHT - h) // 2))
                wait_until(lambda: not self.splash_windows(program), STEP_TIMEOUT,
                           message="the splash did not hide")
                self.wait_tray_icon(program)
                self.assertTrue(program.running(), program.stderr())
                self.assertEqual(program.terminate(), 0, program.stderr())

    def test_nosplash_switch_shows_no_splash(self):
        for switch in ("\\NOSPLASH", "\\nosplash", "\\NoSplash"):
            with self.subTest(switch=switch):
                self.desktop.reset_home()
                program = self.start(args=(switch,))
                # The splash would have been created before the tray icon.
                self.assertEqual(self.splash_windows(program, visible=False), [])
                self.assertIsNone(self.readout(), "the readout window starts hidden")
                self.assertEqual(program.terminate(), 0, program.stderr())

    def test_tray_icon_is_embedded_in_the_tray_host(self):
        self.start()
        wid, x, y = self.wait_tray_icon()
        trayer = set(self.desktop.window_ids(class_="trayer"))
        ancestors = []
        current = wid
        while current:
            out = self.desktop._run(["xwininfo", "-id", str(current), "-children"]).stdout
            parent = [line for line in out.splitlines() if "Parent window id:" in line]
            current = int(parent[0].split()[3], 16) if parent else 0
            ancestors.append(current)
        self.assertTrue(trayer & set(ancestors), "the icon is not inside trayer's window")

        # Hovering the icon brings up its tooltip.
        before = set(self.desktop.window_ids(pid=self.program.pid, visible=True))
        self.desktop.move_pointer(x, y)
        wait_until(lambda: any(self.window_type(w) == "tooltip" for w in
                               set(self.desktop.window_ids(pid=self.program.pid, visible=True))
                               - before),
                   STEP_TIMEOUT, message="no tooltip over the tray icon")

    def test_second_start_ends_with_0_and_leaves_the_first_running(self):
        first = self.start()
        for args, splash in (((), True), (("\\nosplash",), False)):
            with self.subTest(args=args):
                second = self.desktop.start_program(list(args))
                self.addCleanup(self.assert_no_crash_output, second)
                self.addCleanup(second.end)
                seen_splash = False

                def ended():
                    nonlocal seen_splash
                    if not seen_splash and self.splash_windows(second):
                        seen_splash = True
                    return second.returncode is not None

                wait_until(ended, START_TIMEOUT, interval=0.02,
                           message="the second instance did not end")
                self.assertEqual(second.returncode, 0, second.stderr())
                self.assertEqual(seen_splash, splash)
                self.assertTrue(first.running(), first.stderr())
                icons = [w for w in self.desktop.window_ids(class_="pixolet", visible=True)
                         if self.desktop.window_geometry(w)[2] <= 32
                         and self.window_type(w) != "tooltip"]
                self.assertEqual(len(icons), 1, "one tray icon only")
        self.assertEqual(first.terminate(), 0, first.stderr())


class TrayTest(ReadoutCase):
    def test_double_click_shows_beside_the_pointer_and_hides(self):
        self.start()
        self.double_click_tray()
        self.wait_shown()
        _, _, w, h = self.geometry()
        # Shown at the tray icon, at the screen's top right corner: flipped
        # to the pointer's left.
        self.wait_following(self.desktop.pointer())
        self.assertLess(self.geometry()[0], self.desktop.pointer()[0])
        self.double_click_tray()
        self.wait_hidden()
        self.double_click_tray()
        self.wait_shown()

    def test_menu_show_hide_and_quit_by_clicking(self):
        self.start()
        self.choose_from_menu("first")
        self.wait_shown()
        self.choose_from_menu("first")
        self.wait_hidden()
        self.choose_from_menu("last")
        self.assert_quits_cleanly()
        self.assertIsNone(self.tray_icon(), "the tray icon stayed")


class ReadoutWindowTest(ReadoutCase):
    def show(self, settings=None):
        values = dict(SHOW_HIDE)
        values.update(settings or {})
        self.start(values)
        self.focus_fixture()
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()

    def test_window_flips_at_the_right_and_bottom_edges(self):
        self.show()
        _, _, w, h = self.geometry()
        right_x = SCREEN_WIDTH - w - 10  # the last x that keeps the window right
        bottom_y = SCREEN_HEIGHT - h - 10
        cases = [
            ((right_x, 300), (right_x + 10, 310)),
            ((right_x + 1, 300), (right_x + 1 - w - 10, 310)),
            ((300, bottom_y), (310, bottom_y + 10)),
            ((300, bottom_y + 1), (310, bottom_y + 1 - h - 10)),
            ((right_x + 1, bottom_y + 1), (right_x + 1 - w - 10, bottom_y + 1 - h - 10)),
        ]
        for pointer, expected in cases:
            with self.subTest(pointer=pointer):
                self.assertEqual(follow_position(pointer, (w, h)), expected)
                # From far away, so that the move exceeds any tolerance.
                self.desktop.move_pointer(100, 100)
                self.wait_placed(110, 110)
                self.desktop.move_pointer(*pointer)
                self.wait_placed(*expected)

    def test_swatch_and_magnifier_show_the_colour_under_the_pointer(self):
        self.show()
        for name in ("orange", "navy", "white", "black", "grey99"):
            with self.subTest(tile=name):
                rgb = tuple(self.tiles[name]["rgb"])
                self.track(name)
                layout = self.layout()
                image = self.desktop.screenshot()
                self.assertEqual(self.window_pixel(image, layout.swatch()), rgb)
                for cell in ((0, 0), (-1, -1), (1, 1), (layout.radius, -layout.radius)):
                    self.assertEqual(self.window_pixel(image, layout.cell(*cell)), rgb, cell)

    def test_magnifier_cells_at_each_zoom(self):
        # Single marked pixels on black: each cell shows its own screen pixel
        # around the pointer's, at every cell size.
        marks = self.tiles["pattern"]["marks"]
        centre = marks["centre"]
        expected = {(m["x"] - centre["x"], m["y"] - centre["y"]): tuple(m["rgb"])
                    for m in marks.values()}
        for offset in ((-1, 0), (0, -1), (-1, -1), (2, 2), (-5, -5)):
            expected[offset] = (0, 0, 0)
        for zoom in (4, 1, 7):
            with self.subTest(zoom=zoom):
                self.desktop.reset_home()
                self.show({"Zoom": zoom})
                self.desktop.move_pointer(centre["x"], centre["y"])
                self.wait_following((centre["x"], centre["y"]))
                self.wait_swatch(centre["rgb"])
                layout = self.layout()
                image = self.desktop.screenshot()
                checked = 0
                for (dx, dy), rgb in expected.items():
                    at = layout.cell(dx, dy)
                    if max(abs(dx), abs(dy)) > layout.radius or at is None:
                        continue  # outside the magnifier or under the crosshair
                    checked += 1
                    self.assertEqual(self.window_pixel(image, at), rgb, (dx, dy))
                self.assertGreaterEqual(checked, 4)
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())

    def test_crosshair_colour_follows_the_300_threshold(self):
        self.show()
        for name, expected in (("grey100", (0, 0, 0)), ("grey99", (255, 255, 255)),
                               ("white", (0, 0, 0)), ("navy", (255, 255, 255))):
            with self.subTest(tile=name):
                self.track(name)
                layout = self.layout()
                self.assertEqual(
                    self.window_pixel(self.desktop.screenshot(), layout.crosshair()), expected)

    def test_hidden_window_ignores_pointer_moves(self):
        self.show()
        self.track("navy")
        wid = self.readout()
        self.press(SHOW_HIDE_KEY)
        self.wait_hidden()
        hidden_at = self.desktop.window_geometry(wid)
        for name in ("red", "white", "orange"):
            self.point_at(name)
        # Nothing is due to happen, so there is nothing to wait for: watch
        # the hidden window for a while; it stays unmapped and in place.
        with self.assertRaises(TimeoutError):
            wait_until(lambda: self.desktop.window_geometry(wid) != hidden_at
                       or self.readout() is not None, 1.5)
        # Shown again, it tracks the pointer at once.
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()
        self.wait_following(self.tile_point("orange"))
        self.wait_swatch(self.tiles["orange"]["rgb"])

    def test_settings_change_the_window_size(self):
        sizes = {}
        for case, settings in {
            "default": {},
            "cmyk": {"CYMK": 1},
            "cmyk only": {"CYMK": 1, "RGB": 0},
            "no column": {"RGB": 0},
            "hex": {"Hex": 1},
            "hex cmyk": {"Hex": 1, "CYMK": 1},
            "coordinates": {"Coord": 1},
            "zoom 1": {"Zoom": 1},
            "large font": {"FontSize": 16},
        }.items():
            with self.subTest(settings=case):
                self.desktop.reset_home()
                self.show(settings)
                sizes[case] = self.geometry()[2:]
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())

        base_w, base_h = sizes["default"]
        column = sizes["cmyk"][0] - base_w  # the width of one column
        self.assertGreater(column, 0)
        self.assertEqual(sizes["cmyk"][1], base_h)
        self.assertEqual(sizes["cmyk only"], sizes["default"])
        # Without a column the window is 8 pixels wider than the column-less
        # part of a window with a column.
        self.assertEqual(sizes["no column"], (base_w - column + 8, base_h))
        # The readout font is fixed-pitch: the hex column's sample "B FF " is
        # one character narrower than the decimal "B 888 ".
        self.assertEqual(column % 6, 0)
        self.assertEqual(sizes["hex"], (base_w - column // 6, base_h))
        hex_column = sizes["hex"][0] - (base_w - column)
        self.assertEqual(sizes["hex cmyk"], (sizes["hex"][0] + hex_column, base_h))
        self.assertEqual(sizes["coordinates"][0], base_w)
        th = (base_h - 8) // 4  # the height of a line of text
        self.assertEqual(sizes["coordinates"][1], base_h + th + 2)
        self.assertEqual(sizes["zoom 1"], sizes["default"])
        self.assertGreater(sizes["large font"][0], base_w)
        self.assertGreater(sizes["large font"][1], base_h)


if __name__ == "__main__":
    unittest.main()
