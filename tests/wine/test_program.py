"""pixolet.exe under Wine: start and single instance, splash, tray icon and
menu, the readout over the colour target, the shortcuts, the paste into
another program's system colour dialog and the measuring markers.

One desktop and Wine prefix serve every case. Cases whose steps hold on
both systems are the Linux end-to-end tests themselves, run against the
Windows program; the rest are written for Windows here.
"""

import unittest

import wine_case  # first: it puts the Linux harness on the path
from wine_case import (STEP_TIMEOUT, WineReadoutCase, WineShortcutCase, linux_shortcuts,
                       tearDownModule)  # noqa: F401
import test_readout as linux_readout  # noqa: E402
from desktop import wait_until  # noqa: E402

NAVY = (18, 52, 86)


class StartTest(WineReadoutCase):
    splash_windows = linux_readout.StartTest.splash_windows
    wait_splash = linux_readout.StartTest.wait_splash
    test_splash_shows_centred_then_hides = \
        linux_readout.StartTest.test_splash_shows_centred_then_hides
    test_nosplash_switch_shows_no_splash = \
        linux_readout.StartTest.test_nosplash_switch_shows_no_splash

    def test_second_start_ends_with_0_and_leaves_the_first_running(self):
        first = self.start()
        for args, splash in (((), True), (("\\nosplash",), False)):
            with self.subTest(args=args):
                second = self.desktop.start_program(list(args))
                self.addCleanup(second.end)
                seen_splash = False

                def ended():
                    nonlocal seen_splash
                    seen_splash = seen_splash or bool(self.splash_windows(second))
                    return second.returncode is not None

                wait_until(ended, wine_case.START_TIMEOUT, interval=0.02,
                           message="the second instance did not end")
                self.assertEqual(second.returncode, 0, second.stderr())
                self.assertEqual(seen_splash, splash)
                self.assertTrue(first.running(), first.stderr())
                icons = self.desktop.tray_icons()
                self.assertEqual(len(icons), 1, f"one tray icon only: {icons}")
        self.assertEqual(first.terminate(), 0, first.stderr())


class TrayTest(WineReadoutCase):
    test_double_click_shows_beside_the_pointer_and_hides = \
        linux_readout.TrayTest.test_double_click_shows_beside_the_pointer_and_hides
    test_menu_show_hide_and_quit_by_clicking = \
        linux_readout.TrayTest.test_menu_show_hide_and_quit_by_clicking


class ReadoutWindowTest(WineReadoutCase):
    show = linux_readout.ReadoutWindowTest.show
    test_window_flips_at_the_right_and_bottom_edges = \
        linux_readout.ReadoutWindowTest.test_window_flips_at_the_right_and_bottom_edges
    test_swatch_and_magnifier_show_the_colour_under_the_pointer = \
        linux_readout.ReadoutWindowTest.test_swatch_and_magnifier_show_the_colour_under_the_pointer

    def test_window_never_takes_the_focus(self):
        self.show()
        self.track("navy")
        self.assertEqual(self.desktop.active_window(), self.fixture_window)


class ShortcutTest(WineShortcutCase):
    test_copy_puts_blank_padded_hex_on_the_clipboard = \
        linux_shortcuts.CopyTest.test_copy_puts_blank_padded_hex_on_the_clipboard
    test_quit_shortcut_ends_with_0_shown_or_hidden = \
        linux_shortcuts.ShowHideQuitTest.test_quit_shortcut_ends_with_0_shown_or_hidden

    def dialog_pixels(self, client, rgb):
        """How many pixels of the client's dialog show `rgb`."""
        image = self.desktop.screenshot()
        return sum(image.count(rgb, *self.desktop.window_geometry(wid))
                   for wid in self.desktop.window_ids(pid=client.pid, visible=True))

    def test_paste_into_the_colour_dialog_of_another_program(self):
        self.show()
        self.track("navy")
        self.copy("#123456")
        client = self.desktop.start_dialog_client()
        self.addCleanup(client.end)
        wait_until(lambda: self.desktop.active_window() in
                   self.desktop.window_ids(pid=client.pid, visible=True),
                   STEP_TIMEOUT, message="the colour dialog did not get the focus")
        self.assertEqual(self.dialog_pixels(client, NAVY), 0, "the dialog starts black")
        self.desktop.key("ctrl+v")
        # The dialog's preview shows the colour once its fields hold it.
        wait_until(lambda: self.dialog_pixels(client, NAVY) >= 100, STEP_TIMEOUT, interval=0.1,
                   message="the dialog never showed the pasted colour")
        self.desktop.key("Return")
        self.assertEqual(client.wait_exit(STEP_TIMEOUT), 0, client.stderr())
        self.assertIn("colour 18 52 86", client.stdout_lines())
        self.assertTrue(self.program.running(), self.program.stderr())


class DesignerTest(WineShortcutCase):
    """The CSS colour texts and the area sample, over the colour target."""

    # For navy (18,52,86), brown (200,100,50) and blue (0,0,255).
    CSS_TEXTS = {
        5: ("#123456", "#C86432", "#0000FF"),
        6: ("rgb(18 52 86)", "rgb(200 100 50)", "rgb(0 0 255)"),
        7: ("hsl(210 65% 20%)", "hsl(20 60% 49%)", "hsl(240 100% 50%)"),
        8: ("oklch(31.9% 0.072 251.2)", "oklch(61.4% 0.142 45.1)",
            "oklch(45.2% 0.313 264.1)"),
    }

    def test_each_css_format_copies_its_exact_text(self):
        for fmt, texts in self.CSS_TEXTS.items():
            with self.subTest(format=fmt):
                self.desktop.reset_home()
                self.show({"ClipboardFormat": fmt})
                for tile, text in zip(("navy", "brown", "blue"), texts):
                    self.track(tile)
                    self.copy(text)
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())

    def lines_below_the_magnifier(self):
        """(x, y, w, h) of the readout's rows below the magnifier and the
        swatch, which show the tracked navy, inside the frame."""
        x, y, w, h = self.geometry()
        image = self.desktop.screenshot()
        navy = tuple(self.tiles["navy"]["rgb"])
        rows = [row for row in range(h) if image.count(navy, x, y + row, w, 1)]
        self.assertTrue(rows, "the readout shows no navy")
        top = rows[-1] + 1
        return x + 2, y + top, w - 4, h - 2 - top

    def over(self, name):
        """Moves the pointer over a tile and waits until the readout follows
        and its magnifier shows the tile (the readout's size differs from
        the one the Linux helpers derive the swatch's place from)."""
        point = self.point_at(name)
        self.wait_following(point)
        rgb = tuple(self.tiles[name]["rgb"])
        wait_until(lambda: self.desktop.screenshot().count(rgb, *self.geometry()) >= 100,
                   STEP_TIMEOUT, interval=0.1, message=f"the readout never showed {name}")

    def test_contrast_line_shows_once_a_colour_is_copied(self):
        text_colour = (0, 0, 255)  # the readout font's default colour
        self.show({"ClipboardFormat": 5})
        plain_height = self.geometry()[3]
        self.assertEqual(self.program.terminate(), 0, self.program.stderr())
        self.desktop.reset_home()
        self.show({"ClipboardFormat": 5, "Contrast": 1})
        self.assertGreater(self.geometry()[3], plain_height, "one more line")
        self.over("navy")
        self.assertEqual(self.desktop.screenshot().count(text_colour,
                                                         *self.lines_below_the_magnifier()),
                         0, "empty before the first copy")
        self.over("white")
        self.copy("#FFFFFF")
        self.over("navy")
        wait_until(lambda: self.desktop.screenshot().count(
                       text_colour, *self.lines_below_the_magnifier()) > 10,
                   STEP_TIMEOUT, message="no contrast text after a copy")

    def test_area_sample_over_single_black_and_white_pixels(self):
        # White under the pointer: 5 of 9 pixels white, 13 of 25.
        for size, text in ((3, "#8E8E8E"), (5, "#858585"), (1, "#FFFFFF")):
            with self.subTest(size=size):
                self.desktop.reset_home()
                self.show({"ClipboardFormat": 5, "Sample": size})
                self.track("navy")
                self.copy("#123456")
                self.point_at("checker")
                self.copy(text)
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())


class MeasureTest(WineShortcutCase):
    SETTINGS = linux_shortcuts.MeasureTest.SETTINGS
    MARKERS = linux_shortcuts.MeasureTest.MARKERS
    place = linux_shortcuts.MeasureTest.place
    marker_area = linux_shortcuts.MeasureTest.marker_area
    wait_restored = linux_shortcuts.MeasureTest.wait_restored
    wait_marker = linux_shortcuts.MeasureTest.wait_marker
    test_markers_take_the_threshold_colour_and_reset_restores_the_screen = \
        linux_shortcuts.MeasureTest.test_markers_take_the_threshold_colour_and_reset_restores_the_screen  # noqa: E501
    test_quitting_while_measuring_removes_the_markers = \
        linux_shortcuts.MeasureTest.test_quitting_while_measuring_removes_the_markers

    def start_measuring(self, settings=None):
        # As on Linux, but without the fixed-pitch width step: Wine picks
        # its own face for the readout font.
        self.show(dict(self.SETTINGS, **(settings or {})))
        _, _, self.normal_width, height = self.geometry()
        self.before = self.desktop.screenshot()
        self.press("F7")

        def relaid():
            return self.readout() and self.geometry()[2] > self.normal_width \
                and self.geometry()[3] == height + 7

        wait_until(relaid, STEP_TIMEOUT, message="measuring mode did not re-lay out the window")
        self.points = []

    def test_switching_measuring_off_restores_the_screen(self):
        self.start_measuring()
        for tile, _ in self.MARKERS[:2]:
            self.place(tile)
        self.wait_marker()
        self.press("F7")
        self.wait_restored()
        wait_until(lambda: self.readout() and self.geometry()[2] == self.normal_width,
                   STEP_TIMEOUT, message="the window kept the measuring column")


if __name__ == "__main__":
    unittest.main()
