"""The settings store as the running program meets it at start-up.

The program reads its settings once at start and creates an empty settings key
on a first start; whatever is stored, it must start cleanly, keep running and
leave the stored values alone (it writes settings only from its dialog).
"""

import unittest

import regtext
from desktop import REG_HEADER, SETTINGS_KEY, DesktopCase, wait_until

KEY = SETTINGS_KEY.lower()
START_TIMEOUT = 15.0
CRASH_MARKERS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                 "Segmentation fault", "terminate called", "Aborted")


def store_text(*lines):
    return "\r\n".join([REG_HEADER, "", *lines, ""])


class StoreTest(DesktopCase):
    def start(self, env=None):
        program = self.desktop.start_program(["\\NOSPLASH"], env=env)
        self.addCleanup(program.end)
        return program

    def assert_clean_exit(self, program):
        code = program.terminate(timeout=15)
        self.assertEqual(code, 0, f"exit after SIGTERM; stderr:\n{program.stderr()}")
        self.assert_no_crash_output(program)

    def assert_no_crash_output(self, program):
        err = program.stderr()
        for marker in CRASH_MARKERS:
            self.assertNotIn(marker, err)

    def wait_until_settled(self, program):
        """Waits until the program has a window (its settings are loaded
        before any window exists) and checks that it keeps running."""

        def settled():
            if not program.running():
                self.fail(f"program ended with {program.returncode}:\n{program.stderr()}")
            return self.desktop.window_ids(pid=program.pid)

        wait_until(settled, START_TIMEOUT, message="the program showed no window")
        self.assertIsNone(program.wait_exit(1.0), f"program ended:\n{program.stderr()}")

    def test_first_start_creates_empty_settings_key(self):
        # Where the store lives: XDG_CONFIG_HOME when set, else ~/.config.
        for name, unset_xdg in (("XDG_CONFIG_HOME", False), ("HOME/.config", True)):
            with self.subTest(config=name):
                self.desktop.reset_home()
                program = self.start(env={"XDG_CONFIG_HOME": None} if unset_xdg else None)
                path = self.desktop.store_path()
                self.assertEqual(path.parent.parent, self.desktop.home / ".config")

                def key_written():
                    text = self.desktop.read_store()
                    return text is not None and KEY in regtext.parse(text)

                wait_until(key_written, START_TIMEOUT,
                           message=f"no settings key in {path}:\n{program.stderr()}")
                keys = regtext.parse(self.desktop.read_store())
                self.assertEqual(keys[KEY], {}, "the first start stores no values")
                self.assertTrue(self.desktop.read_store().startswith(REG_HEADER))
                self.assertTrue(program.running(), program.stderr())
                self.assert_clean_exit(program)

    def test_bad_stored_values_do_not_stop_the_start(self):
        keep = {  # well-formed values that must survive the start untouched
            "fontname": '"Arial"',
            "coord": "dword:00000001",
            "unknownvalue": '"kept as it is"',
        }
        stores = {
            "out of range and wrong types": store_text(
                f"[{SETTINGS_KEY}]",
                '"Zoom"=dword:00000009',
                '"Hex"="1"',
                '"K"=dword:ffffffff',
                '"ClipboardFormat"=dword:80000000',
                '"FontSize"=dword:7fffffff',
                '"FontColor"="not a colour"',
                '"FontStyle"=dword:00000003',
                '"HotKey1"=hex:01,02',
                '"FontName"="Arial"',
                '"Coord"=dword:00000001',
                '"UnknownValue"="kept as it is"',
            ),
            "garbage lines": store_text(
                "this line means nothing",
                f"[{SETTINGS_KEY}]",
                '"Zoom"=dword:zz',
                '"FontName"="Arial"',
                '"Unterminated=dword:1',
                "=====",
                '"Coord"=dword:00000001',
                '"Huge"="' + "x" * 200000 + '"',
                "[HKEY_CURRENT_USER\\Software\\Velmora\\Pixolet",
                '"UnknownValue"="kept as it is"',
            ),
            "extreme font size and empty name": store_text(
                f"[{SETTINGS_KEY}]",
                '"FontSize"=dword:80000000',
                '"FontName"=""',
                '"Zoom"=dword:00000000',
                '"FontName"="Arial"',
                '"Coord"=dword:00000001',
                '"UnknownValue"="kept as it is"',
            ),
        }
        for case, text in stores.items():
            with self.subTest(store=case):
                self.desktop.reset_home()
                self.desktop.seed_store(text)
                program = self.start()
                self.wait_until_settled(program)
                self.assert_clean_exit(program)
                keys = regtext.parse(self.desktop.read_store() or "")
                self.assertIn(KEY, keys)
                for name, data in keep.items():
                    self.assertEqual(keys[KEY].get(name), data, f"value {name}")

    def test_unreadable_store_file_does_not_stop_the_start(self):
        cases = {
            "binary junk": bytes(range(256)) * 64,
            "empty file": b"",
            "header only": REG_HEADER.encode(),
            "truncated key line": (REG_HEADER + "\r\n\r\n[HKEY_CURRENT_USER\\Soft").encode(),
            "not UTF-8": (REG_HEADER + "\n\n[" + SETTINGS_KEY + "]\n\"FontName\"=\"").encode()
            + b"\xff\xfe\x80\"\n",
        }
        for case, data in cases.items():
            with self.subTest(store=case):
                self.desktop.reset_home()
                self.desktop.seed_store(data)
                program = self.start()
                self.wait_until_settled(program)
                self.assert_clean_exit(program)

    def test_other_keys_survive_the_first_start(self):
        other = "HKEY_CURRENT_USER\\Software\\Someone Else"
        self.desktop.seed_store(store_text(f"[{other}]", '"Setting"=dword:0000002a',
                                           '"Name"="stays"'))
        program = self.start()

        def key_written():
            return KEY in regtext.parse(self.desktop.read_store() or "")

        wait_until(key_written, START_TIMEOUT,
                   message=f"no settings key beside the other key:\n{program.stderr()}")
        keys = regtext.parse(self.desktop.read_store())
        self.assertEqual(keys[other.lower()], {"setting": "dword:0000002a", "name": '"stays"'})
        self.assert_clean_exit(program)


if __name__ == "__main__":
    unittest.main()
