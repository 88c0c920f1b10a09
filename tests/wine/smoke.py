"""Smoke test of the Windows build under Wine on a private test desktop.

Starts pixolet.exe in a fresh Wine prefix, checks that it keeps running and
creates its settings key HKCU\\Software\\Velmora\\Pixolet with no values in
it, then closes it like the system would (WM_CLOSE through taskkill) and
expects exit code 0. Only processes of this run's own display and prefix are
ended.
"""

import argparse
import sys
from pathlib import Path

from wine_desktop import WineDesktop
from desktop import wait_until


def check(desktop):
    if desktop.reg_values() is not None:
        return "the fresh prefix already holds the settings key"
    program = desktop.start_program()

    def started():
        if not program.running():
            raise AssertionError(f"pixolet.exe ended with {program.returncode}:\n"
                                 + program.stderr())
        return desktop.reg_values() is not None

    try:
        wait_until(started, 60, interval=0.5, message="no settings key after the start")
    except (AssertionError, TimeoutError) as error:
        return str(error)
    values = desktop.reg_values()
    if values:
        return f"the first start stored values: {values}"
    if program.wait_exit(1.0) is not None:
        return f"pixolet.exe ended with {program.returncode} after the start"
    code = program.terminate(30)
    if code is None:
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
    with WineDesktop(exe=exe) as desktop:
        failure = check(desktop)
    if failure:
        print(f"wine smoke: FAILED: {failure}", file=sys.stderr)
        return 1
    print("wine smoke: pixolet.exe started, created its settings key and ended with 0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
