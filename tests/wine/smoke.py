"""Smoke test of the Windows build under Wine on a private test desktop.

Starts pixolet.exe in a fresh Wine prefix, checks that it keeps running and
creates its settings key HKCU\\Software\\Velmora\\Pixolet, then closes it
like the system would (WM_CLOSE through taskkill) and expects exit code 0.
Only processes of this run's own display and prefix are ended.
"""

import argparse
import os
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))
from desktop import TestDesktop, wait_until  # noqa: E402

SETTINGS_KEY = r"HKCU\Software\Velmora\Pixolet"


def wine_binary():
    for candidate in ("/usr/lib/wine/wine64", "/usr/bin/wine64", "/usr/bin/wine"):
        if os.access(candidate, os.X_OK):
            return candidate
    raise SystemExit("smoke: no wine64 found")


def wineserver_binary():
    for candidate in ("/usr/lib/wine/wineserver64", "/usr/lib/wine/wineserver", "/usr/bin/wineserver"):
        if os.access(candidate, os.X_OK):
            return candidate
    raise SystemExit("smoke: no wineserver found")


class WineSmoke:
    def __init__(self, desktop, exe):
        self.desktop = desktop
        self.exe = exe
        self.wine = wine_binary()
        self.prefix = desktop.workdir / "wineprefix"
        self.extra = {
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        }

    def run(self, *args, timeout=60):
        # Output goes through files, not pipes: a wineserver started by this
        # command inherits the descriptors and would hold a pipe open.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.Popen([self.wine, *args], env=self.desktop.env(self.extra),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=err)
            try:
                code = proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
                raise
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(
                proc.args, code, out.read().decode(errors="replace"),
                err.read().decode(errors="replace"))

    def key_exists(self):
        return self.run("reg", "query", SETTINGS_KEY, timeout=30).returncode == 0

    def end_wineserver(self):
        # Ends every process of this prefix, and nothing outside it.
        for flag in ("-k", "-w"):
            subprocess.run([wineserver_binary(), flag], env=self.desktop.env(self.extra),
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30)

    def check(self):
        boot = self.run("wineboot", "-i", timeout=180)
        if boot.returncode != 0:
            return f"wineboot failed ({boot.returncode}): {boot.stderr}"
        if self.key_exists():
            return "the fresh prefix already holds the settings key"

        program = self.desktop.start_program([str(self.exe)], binary=self.wine, env=self.extra,
                                             label="pixolet-exe")

        def started():
            if not program.running():
                raise AssertionError(f"pixolet.exe ended with {program.returncode}:\n"
                                     + program.stderr())
            return self.key_exists()

        try:
            wait_until(started, 60, interval=0.5, message="no settings key after the start")
        except (AssertionError, TimeoutError) as error:
            return str(error)
        query = self.run("reg", "query", SETTINGS_KEY).stdout
        values = [line for line in query.splitlines() if "REG_" in line]
        if values:
            return "the first start stored values:\n" + query
        if program.wait_exit(1.0) is not None:
            return f"pixolet.exe ended with {program.returncode} after the start"

        self.run("taskkill", "/im", self.exe.name, timeout=30)
        code = program.wait_exit(30)
        if code is None:
            program.end()
            return "pixolet.exe did not end on WM_CLOSE"
        if code != 0:
            return f"pixolet.exe ended with exit code {code} on WM_CLOSE"
        return None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("exe", nargs="?", default="build/windows/bin/pixolet.exe")
    exe = Path(parser.parse_args().exe).resolve()
    if not exe.is_file():
        print(f"smoke: {exe} not found", file=sys.stderr)
        return 2
    with TestDesktop() as desktop:
        smoke = WineSmoke(desktop, exe)
        try:
            failure = smoke.check()
        finally:
            smoke.end_wineserver()
    if failure:
        print(f"wine smoke: FAILED: {failure}", file=sys.stderr)
        return 1
    print("wine smoke: pixolet.exe started, created its settings key and ended with 0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
