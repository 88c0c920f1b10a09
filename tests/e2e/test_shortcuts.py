"""Shortcuts of the running program, typed into the focused colour fixture:
the colour copy and its texts, the freezes, show/hide, quit and the
measuring tool's screen markers.

The program only observes the keyboard, so the fixture must receive every
key as well. A step without a visible effect is followed by a key with one:
the program handles input in order, so once that effect shows, the earlier
key has been handled too.
"""

import unittest

from desktop import wait_until
from readout_helpers import CTRL, STEP_TIMEOUT, VK_F, ReadoutCase, vk

SHOW_HIDE_KEY = "F8"
BASE = {"HotKey8": VK_F[8]}


class ShortcutCase(ReadoutCase):
    def show(self, settings=None):
        values = dict(BASE)
        values.update(settings or {})
        self.start(values)
        self.focus_fixture()
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()

    def wait_clipboard(self, expected):
        wait_until(lambda: self.desktop.clipboard_text() == expected, STEP_TIMEOUT,
                   message=f"clipboard holds {self.desktop.clipboard_text()!r}, "
                           f"not {expected!r}")

    def copy(self, expected):
        self.assertEqual(self.press("ctrl+c"), "key Ctrl+C",
                         "the focused program receives the Ctrl+C as well")
        self.wait_clipboard(expected)

    def hide_and_show(self):
        """A barrier: hides and shows the window by its shortcut."""
        self.press(SHOW_HIDE_KEY)
        self.wait_hidden()
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()


class ShowThenCopyTest(ShortcutCase):
    """Ctrl+C typed at once after the show shortcut copies the colour under
    the pointer: the show's first sample never takes the readout window's
    own pixels, which stay black until its first paint. The race is won or
    lost at each start, so the case repeats over fresh starts."""

    ROUNDS = 30
    TILES = (("navy", "#123456"), ("orange", "#FF80 5"))

    def test_copy_right_after_a_show_is_the_colour_under_the_pointer(self):
        for round_ in range(self.ROUNDS):
            tile, expected = self.TILES[round_ % 2]
            # The last text copied may outlive its program (Wine keeps the
            # clipboard, also from the cases before this one): a round copies
            # the tile whose text differs from it, so a copy is always seen.
            if self.desktop.clipboard_text() == expected:
                tile, expected = self.TILES[(round_ + 1) % 2]
            with self.subTest(round=round_, tile=tile):
                program = self.start(BASE)
                try:
                    self.focus_fixture()
                    self.point_at(tile)  # moved while the readout is hidden
                    before = self.desktop.clipboard_text()
                    self.desktop.xdotool("key", "--delay", "0", SHOW_HIDE_KEY, "ctrl+c")
                    copied = wait_until(
                        lambda: (text := self.desktop.clipboard_text()) != before and text,
                        STEP_TIMEOUT, message="nothing was copied")
                    self.assertEqual(copied, expected)
                finally:
                    self.assertEqual(program.terminate(), 0, program.stderr())


class CopyTest(ShortcutCase):
    def test_copy_puts_blank_padded_hex_on_the_clipboard(self):
        self.show()
        for tile, text in (("navy", "#123456"), ("orange", "#FF80 5"), ("red", "#FF 0 0"),
                           ("white", "#FFFFFF")):
            with self.subTest(tile=tile):
                self.track(tile)
                self.copy(text)

    def test_ignored_copies_leave_the_clipboard_alone(self):
        self.show()
        self.track("navy")
        self.copy("#123456")
        self.track("orange")  # what a wrongly handled copy would take now
        for case in ("ctrl+alt+c", "ctrl+shift+c", "left button held", "middle button held", "hidden"):
            with self.subTest(case=case):
                if case == "hidden":
                    self.press(SHOW_HIDE_KEY)
                    self.wait_hidden()
                    self.press("ctrl+c")
                    self.press(SHOW_HIDE_KEY)
                    self.wait_shown()
                elif case.endswith("held"):
                    with self.held_button(1 if case.startswith("left") else 2):
                        self.press("ctrl+c")
                    self.focus_fixture()
                    self.hide_and_show()
                else:
                    self.press(case)
                    self.hide_and_show()
                self.assertEqual(self.desktop.clipboard_text(), "#123456")
        # The colour was there to be copied all along.
        self.copy("#FF80 5")

    def test_each_format_and_black_factor(self):
        tiles = ("orange", "navy", "white", "black")
        expected = {
            (0, 100): ("255 128   5", " 18  52  86", "255 255 255", "  0   0   0"),
            (1, 100): ("#FF80 5", "#123456", "#FFFFFF", "# 0 0 0"),
            (2, 100): ("100 50  1", "  7 20 33", "100100100", "  0  0  0"),
            (3, 100): ("  0  50  98   0", " 27  14   0  66", "  0   0   0   0",
                       "  0   0   0 100"),
            (4, 100): ("# 03262 0", "#1B E 042", "# 0 0 0 0", "# 0 0 064"),
            (3, 50): (None, None, None, " 50  50  50  50"),
            (4, 50): (None, None, None, "#32323232"),
            (3, 0): (None, None, None, "100 100 100   0"),
            (4, 0): (None, None, None, "#646464 0"),
            (9, 100): (None, "#123456", None, None),  # out of range: the default
        }
        for (fmt, k), texts in expected.items():
            with self.subTest(format=fmt, k=k):
                self.desktop.reset_home()
                self.show({"ClipboardFormat": fmt, "K": k})
                for tile, text in zip(tiles, texts):
                    if text is not None:
                        self.track(tile)
                        self.copy(text)
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())


class FreezeTest(ShortcutCase):
    def test_frozen_window_stays_and_is_dragged_by_its_centre(self):
        self.show({"HotKey3": VK_F[3]})
        self.track("navy")
        frozen_at = self.geometry()
        self.press("F3")
        # The readout still tracks while the window stays.
        self.track_frozen("red")
        self.assertEqual(self.geometry(), frozen_at)

        left, top, w, h = frozen_at
        self.desktop.move_pointer(left + 3, top + 3)
        with self.held_button(1):
            # The grab needs a move inside the window with the button down;
            # from then on the window follows wherever the pointer goes.
            for target in ((left + 5, top + 4), (400, 420), (420, 450)):
                self.desktop.move_pointer(*target)
                self.wait_placed(target[0] - w // 2, target[1] - h // 2)
        dropped_at = (420 - w // 2, 450 - h // 2)
        # Released: the window stays where the drag left it.
        self.track_frozen("white")
        self.assertEqual(self.geometry()[:2], dropped_at)

        # A drag that starts beside the window catches it on entering.
        self.point_at("orange")
        with self.held_button(1):
            self.track_frozen("yellow")
            self.assertEqual(self.geometry()[:2], dropped_at)
            inside = (dropped_at[0] + w - 3, dropped_at[1] + h - 3)
            self.desktop.move_pointer(*inside)
            self.wait_placed(inside[0] - w // 2, inside[1] - h // 2)
        caught_at = self.geometry()[:2]

        # Hidden and shown again, a frozen window comes back where it was.
        self.focus_fixture()
        self.hide_and_show_at("green")
        self.assertEqual(self.geometry()[:2], caught_at)
        self.press("F3")
        self.track("orange")

    def hide_and_show_at(self, tile):
        self.press(SHOW_HIDE_KEY)
        self.wait_hidden()
        self.point_at(tile)
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()
        self.wait_swatch(self.tiles[tile]["rgb"])

    def track_frozen(self, tile):
        self.point_at(tile)
        self.wait_swatch(self.tiles[tile]["rgb"])

    def test_frozen_colour_is_what_a_copy_takes(self):
        self.show({"HotKey4": VK_F[4], "Coord": 1})
        self.track("navy")
        self.press("F4")
        frozen = self.window_image()
        point = self.point_at("orange")
        self.wait_following(point)  # the window still follows
        # Magnifier, swatch and labels, the coordinates too, stay as frozen.
        wait_until(lambda: self.window_image() == frozen, STEP_TIMEOUT,
                   message="the frozen readout changed")
        self.copy("#123456")

        self.press("F4")
        self.track("white")
        self.copy("#FFFFFF")
        # Live again: a move within the tile changes the coordinates.
        live = self.window_image()
        point = self.point_at("white", 7, 5)
        self.wait_following(point)
        wait_until(lambda: self.window_image() != live, STEP_TIMEOUT,
                   message="the coordinates did not change")

    def window_image(self):
        x, y, w, h = self.geometry()
        return self.desktop.screenshot().region(x, y, w, h)

    def test_freeze_shortcuts_are_ignored_while_hidden(self):
        self.show({"HotKey3": VK_F[3], "HotKey4": VK_F[4]})
        self.press(SHOW_HIDE_KEY)
        self.wait_hidden()
        self.press("F3")
        self.press("F4")
        self.press(SHOW_HIDE_KEY)
        self.wait_shown()
        self.track("navy")
        self.track("orange")


class ShowHideQuitTest(ShortcutCase):
    def test_copy_and_show_hide_on_one_key(self):
        self.start({"HotKey8": CTRL | vk("C")})
        self.focus_fixture()
        self.press("ctrl+c")  # hidden: shows the window, copies nothing
        self.wait_shown()
        self.assertIsNone(self.desktop.clipboard_text())
        self.track("navy")
        self.press("ctrl+c")  # shown: copies and stays shown
        self.wait_clipboard("#123456")
        self.track("orange")
        self.assertIsNotNone(self.readout())

    def test_quit_shortcut_ends_with_0_shown_or_hidden(self):
        for shown in (False, True):
            with self.subTest(shown=shown):
                self.desktop.reset_home()
                if shown:
                    self.show({"HotKey9": CTRL | vk("Q")})
                else:
                    self.start({"HotKey9": CTRL | vk("Q")})
                    self.focus_fixture()
                self.press("ctrl+q")
                self.assert_quits_cleanly()
                self.assertIsNone(self.tray_icon(), "the tray icon stayed")


class MeasureTest(ShortcutCase):
    SETTINGS = {"HotKey7": VK_F[7], "HotKey6": VK_F[6], "HotKey9": CTRL | vk("Q")}
    # Tiles and the marker each gets: black on light, white on dark, the
    # threshold is a component sum of 300.
    MARKERS = (("black", (255, 255, 255)), ("white", (0, 0, 0)),
               ("grey100", (0, 0, 0)), ("grey99", (255, 255, 255)))

    def start_measuring(self, settings=None):
        self.show(dict(self.SETTINGS, **(settings or {})))
        _, _, self.normal_width, height = self.geometry()
        # The fixed-pitch font's character width, from the RGB column's
        # six-character sample.
        char = (self.normal_width - 4 * self.layout().th - 8) // 6
        self.before = self.desktop.screenshot()
        self.press("F7")
        # Re-laid out with the measuring column and the distance bar.
        measuring = (self.normal_width + 11 * char, height + 7)
        wait_until(lambda: self.readout() and self.geometry()[2:] == measuring, STEP_TIMEOUT,
                   message=f"measuring mode made the window {self.geometry()[2:]}, "
                           f"not {measuring}")
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

    def wait_restored(self):
        def restored():
            image = self.desktop.screenshot()
            return all(self.marker_area(image, p) == self.marker_area(self.before, p)
                       for p in self.points)

        wait_until(restored, STEP_TIMEOUT, interval=0.1,
                   message="the screen under the markers was not restored")

    def test_markers_take_the_threshold_colour_and_reset_restores_the_screen(self):
        self.start_measuring()
        for tile, colour in self.MARKERS:
            with self.subTest(tile=tile):
                x, y = self.place(tile)

                def drawn():
                    image = self.desktop.screenshot()
                    return all(image.pixel(*p) == colour for p in
                               ((x - 3, y), (x + 3, y), (x, y - 3), (x, y + 3), (x, y)))

                wait_until(drawn, STEP_TIMEOUT, interval=0.1,
                           message=f"no {colour} marker on {tile}")
                image = self.desktop.screenshot()
                # A plus sign: the corners of its square keep the tile.
                self.assertEqual(image.pixel(x + 1, y + 1), tuple(self.tiles[tile]["rgb"]))
        # A marker two pixels beside another one, over its white stroke.
        second = self.place("black", 2, 0)
        wait_until(lambda: self.desktop.screenshot().pixel(*second) == (0, 0, 0),
                   STEP_TIMEOUT, message="no black marker over the white one")
        self.press("F6")
        self.wait_restored()
        self.assertIsNotNone(self.readout(), "reset keeps the window")

    def test_add_point_shortcut_replaces_the_click_when_clicks_are_off(self):
        self.start_measuring({"MouseClick": 0, "HotKey5": VK_F[5]})
        clicked = self.place("black")  # clicks place nothing now
        self.focus_fixture()
        point = self.point_at("white")
        self.wait_following(point)
        self.press("F5")
        self.points.append(point)
        self.wait_marker()
        image = self.desktop.screenshot()
        self.assertEqual(self.marker_area(image, clicked), self.marker_area(self.before, clicked))
        self.press("F6")
        self.wait_restored()

    def test_hiding_while_measuring_removes_the_markers_and_ends_the_mode(self):
        for way in ("shortcut", "tray double-click"):
            with self.subTest(hidden_by=way):
                self.desktop.reset_home()
                self.start_measuring()
                for tile, _ in self.MARKERS[:2]:
                    self.place(tile)
                self.wait_marker()
                if way == "shortcut":
                    self.press(SHOW_HIDE_KEY)
                else:
                    # Its clicks place markers on the icon too, until the
                    # double-click hides the window.
                    self.points.append(self.tray_icon()[1:])
                    self.double_click_tray()
                self.wait_hidden()
                self.wait_restored()
                self.focus_fixture()
                self.press(SHOW_HIDE_KEY)
                self.wait_shown()
                self.assertEqual(self.geometry()[2], self.normal_width,
                                 "measuring mode stays off")
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())

    def wait_marker(self):
        """Waits for the marker at the last point: its stroke's end pixel
        has turned black or white."""
        x, y = self.points[-1]
        was = self.before.pixel(x + 3, y)

        def drawn():
            now = self.desktop.screenshot().pixel(x + 3, y)
            return now != was and now in ((0, 0, 0), (255, 255, 255))

        wait_until(drawn, STEP_TIMEOUT, interval=0.1, message="no marker at the last point")

    def test_quitting_while_measuring_removes_the_markers(self):
        self.start_measuring()
        for tile, _ in self.MARKERS[:2]:
            self.place(tile)
        self.wait_marker()
        self.press("ctrl+q")
        self.assert_quits_cleanly()
        self.wait_restored()


if __name__ == "__main__":
    unittest.main()
