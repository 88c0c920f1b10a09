"""The readout for designers: the style-sheet copy formats over the fixture's
colours, the area sample over a checkerboard, the contrast line, and the
readout's size on a 192 dpi desktop.

A screenshot of the readout with its contrast line is written as PNG into
PIXOLET_SCREENSHOT_DIR when that is set (the README's picture comes from
there).
"""

import os
import subprocess
import unittest

from desktop import DesktopCase, wait_until
from readout_helpers import STEP_TIMEOUT, START_TIMEOUT, VK_F, store_text
from test_shortcuts import ShortcutCase

SILVER = (192, 192, 192)  # the readout's background


class CssFormatTest(ShortcutCase):
    def test_style_sheet_formats_of_the_fixtures_colours(self):
        tiles = ("navy", "brown", "blue")
        expected = {
            5: ("#123456", "#C86432", "#0000FF"),
            6: ("rgb(18 52 86)", "rgb(200 100 50)", "rgb(0 0 255)"),
            7: ("hsl(210 65% 20%)", "hsl(20 60% 49%)", "hsl(240 100% 50%)"),
            8: ("oklch(31.9% 0.072 251.2)", "oklch(61.4% 0.142 45.1)",
                "oklch(45.2% 0.313 264.1)"),
            9: ("#123456", None, None),  # beyond the list: the default format
        }
        for fmt, texts in expected.items():
            with self.subTest(format=fmt):
                self.desktop.reset_home()
                self.show({"ClipboardFormat": fmt})
                for tile, text in zip(tiles, texts):
                    if text is not None:
                        self.track(tile)
                        self.copy(text)
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())


class AreaSampleTest(ShortcutCase):
    def test_sample_over_the_checkerboard_copies_its_mean(self):
        for size, grey, text in ((3, 142, "#8E8E8E"), (5, 133, "#858585"), (1, 255, "#FFFFFF")):
            with self.subTest(sample=size):
                self.desktop.reset_home()
                self.show({"ClipboardFormat": 5, "Sample": size})
                point = self.point_at("checker")
                self.wait_following(point)
                self.wait_swatch((grey, grey, grey))
                self.copy(text)
                self.assertEqual(self.program.terminate(), 0, self.program.stderr())


class ContrastTest(ShortcutCase):
    def contrast_band(self):
        """(left, top, right, bottom) of the contrast line inside the window,
        inside the frame: the line below the magnifier (no coordinates)."""
        _, _, w, h = self.geometry()
        th = (h - 10) // 5
        top = 9 + 3 * th + 3 + 3
        return 2, top, w - 2, top + th

    def ink_in_band(self):
        """Pixels of the contrast line that are not background: its text."""
        x, y, _, _ = self.geometry()
        left, top, right, bottom = self.contrast_band()
        image = self.desktop.screenshot()
        return sum(image.pixel(x + i, y + j) != SILVER
                   for j in range(top, bottom) for i in range(left, right))

    def test_contrast_line_shows_below_the_magnifier(self):
        # The plain readout's size first.
        self.show()
        self.track("navy")
        _, _, plain_w, plain_h = self.geometry()
        self.assertEqual(self.program.terminate(), 0, self.program.stderr())

        self.desktop.reset_home()
        self.show({"Contrast": 1, "ClipboardFormat": 5})
        self.track("navy")
        _, _, w, h = self.geometry()
        th = (plain_h - 8) // 4
        self.assertEqual(h, plain_h + th + 2, "one more line of text")
        self.assertGreaterEqual(w, plain_w)
        # Empty before the first copy.
        self.assertEqual(self.ink_in_band(), 0)
        # Copy the background, point at the text.
        self.track("white")
        self.copy("#FFFFFF")
        self.track("navy")
        wait_until(lambda: self.ink_in_band() > 40, STEP_TIMEOUT,
                   message="no text on the contrast line")
        self.save_screenshot("readout-contrast.png")

    def save_screenshot(self, name):
        folder = os.environ.get("PIXOLET_SCREENSHOT_DIR")
        if not folder:
            return
        x, y, w, h = self.geometry()
        margin = 24
        crop = f"{w + 2 * margin}x{h + 2 * margin}+{x - margin}+{y - margin}"
        subprocess.run(["import", "-window", "root", "-crop", crop,
                        os.path.join(folder, name)],
                       env=self.desktop.env(), check=True, timeout=20)


class HighDpiTest(DesktopCase):
    """No fixture here: a toolkit program that scales itself would change
    its layout when the desktop's dpi changes."""

    def start_and_show(self):
        self.desktop.seed_store(store_text({"HotKey8": VK_F[8]}))
        self.desktop.move_pointer(100, 100)
        program = self.desktop.start_program(["\\NOSPLASH"])
        self.addCleanup(program.end)

        def shown():
            if not program.running():
                self.fail(f"program ended:\n{program.stderr()}")
            ids = self.desktop.window_ids(name="^Pixolet$", pid=program.pid, visible=True)
            return ids[0] if ids else None

        # The input hook is in place once the tray icon is there.
        def tray_icon():
            if not program.running():
                self.fail(f"program ended:\n{program.stderr()}")
            return any(max(self.desktop.window_geometry(wid)[2:]) <= 32
                       for wid in self.desktop.window_ids(pid=program.pid, visible=True))

        wait_until(tray_icon, START_TIMEOUT, message="no tray icon")
        self.desktop.key("F8")
        wid = wait_until(shown, STEP_TIMEOUT, message="the readout did not show")
        size = self.desktop.window_geometry(wid)[2:]
        self.assertEqual(program.terminate(), 0, program.stderr())
        return size

    def set_xft_dpi(self, dpi):
        if dpi is None:
            subprocess.run(["xrdb", "-remove"], env=self.desktop.env(), check=True, timeout=10)
        else:
            subprocess.run(["xrdb", "-merge"], input=f"Xft.dpi: {dpi}\n", text=True,
                           env=self.desktop.env(), check=True, timeout=10)

    def test_readout_at_192_dpi_is_twice_the_96_dpi_size(self):
        width, height = self.start_and_show()
        self.addCleanup(self.set_xft_dpi, None)
        self.set_xft_dpi(192)
        self.desktop.reset_home()
        width2, height2 = self.start_and_show()
        self.assertEqual((width2, height2), (2 * width, 2 * height))


if __name__ == "__main__":
    unittest.main()
