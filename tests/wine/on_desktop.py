"""Runs one Windows test program under Wine on a private X desktop.

The Win32 layer tests create real windows, read the screen and use the
clipboard, so they need an X display with a window manager (without one,
Wine waits two seconds for every hidden or destroyed captioned window). This
starts Xvfb and openbox on a free display and a fresh Wine prefix, runs the
program to its end with its output passed through, and ends exactly what it
started. The exit code is the program's.

    python3 on_desktop.py PROGRAM.exe [ARGS...]
"""

import subprocess
import sys
from pathlib import Path

from wine_desktop import WineDesktop


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = Path(argv[1]).resolve()
    with WineDesktop(tray=False) as desktop:
        # Output straight to ours: CTest shows it on failure. The wineserver
        # this starts holds no pipe of ours, only the inherited descriptors.
        proc = subprocess.Popen([desktop.wine_path, str(program), *argv[2:]],
                                env=desktop.wine_env(), stdin=subprocess.DEVNULL)
        try:
            return proc.wait(timeout=900)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
            print(f"on_desktop: {program.name} did not end within 900 s", file=sys.stderr)
            return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
