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
import test_designer as linux_designer  # noqa: E402
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


class ShowThenCopyTest(WineShortcutCase):
    # A start under Wine costs seconds: fewer rounds.
    ROUNDS = 6
    TILES = linux_shortcuts.ShowThenCopyTest.TILES
    test_copy_right_after_a_show_is_the_colour_under_the_pointer = \
        linux_shortcuts.ShowThenCopyTest.test_copy_right_after_a_show_is_the_colour_under_the_pointer


class DesignerTest(WineShortcutCase):
    """The style-sheet texts, the area sample over the target's tile of single
    black and white pixels and the contrast line, as on Linux."""

    test_style_sheet_formats_of_the_fixtures_colours = \
        linux_designer.CssFormatTest.test_style_sheet_formats_of_the_fixtures_colours
    test_sample_over_the_checkerboard_copies_its_mean = \
        linux_designer.AreaSampleTest.test_sample_over_the_checkerboard_copies_its_mean
    contrast_band = linux_designer.ContrastTest.contrast_band
    ink_in_band = linux_designer.ContrastTest.ink_in_band
    save_screenshot = linux_designer.ContrastTest.save_screenshot
    test_contrast_line_shows_below_the_magnifier = \
        linux_designer.ContrastTest.test_contrast_line_shows_below_the_magnifier


class HighDpiTest(WineShortcutCase):
    """The readout on a 200 % desktop: Wine gives every monitor the DPI of
    the prefix's LogPixels, read by each program as it starts."""

    DESKTOP_KEY = r"HKEY_CURRENT_USER\Control Panel\Desktop"

    def set_dpi(self, dpi):
        if dpi is None:
            self.desktop.wine("reg", "delete", self.DESKTOP_KEY, "/v", "LogPixels", "/f")
        else:
            self.desktop.wine("reg", "add", self.DESKTOP_KEY, "/v", "LogPixels", "/t",
                              "REG_DWORD", "/d", str(dpi), "/f")

    def shown_readout(self, dpi):
        """The readout's size and picture over navy with `dpi` set."""
        self.desktop.reset_home()
        self.set_dpi(dpi)
        self.show()
        self.track_navy_at_any_scale()
        x, y, w, h = self.geometry()
        image = self.desktop.screenshot()
        pixels = [[image.pixel(x + i, y + j) for i in range(w)] for j in range(h)]
        self.assertEqual(self.program.terminate(), 0, self.program.stderr())
        return w, h, pixels

    def track_navy_at_any_scale(self):
        point = self.point_at("navy")
        self.wait_following(point)
        navy = tuple(self.tiles["navy"]["rgb"])
        wait_until(lambda: self.desktop.screenshot().count(navy, *self.geometry()) >= 100,
                   STEP_TIMEOUT, interval=0.1, message="the readout never showed navy")

    def test_readout_at_192_dpi_is_the_96_dpi_readout_doubled(self):
        self.addCleanup(self.set_dpi, None)
        width, height, plain = self.shown_readout(None)
        width2, height2, doubled = self.shown_readout(192)
        self.assertEqual((width2, height2), (2 * width, 2 * height))
        # Frame, magnifier, crosshair and swatch: every pixel a 2 x 2 block
        # (the text is drawn by the larger font, not magnified).
        for name, (left, top, w, h) in (("frame", (0, 0, width, 1)),
                                        ("magnifier", (7, 9, 3 * ((height - 8) // 4) + 3,
                                                       3 * ((height - 8) // 4) + 3))):
            for j in range(top, top + h):
                for i in range(left, left + w):
                    for dj in (0, 1):
                        for di in (0, 1):
                            self.assertEqual(doubled[2 * j + dj][2 * i + di], plain[j][i],
                                             f"{name} pixel {i},{j}")


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
