#!/usr/bin/env bash
# Shows Pixolet on a private test desktop (Xvfb, openbox, trayer) over a
# screen of known colours and saves screenshots into docs/screenshots/.
# Needs no X display of its own; builds the linux preset first (or the
# build folder named by PIXOLET_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
if [[ -n ${PIXOLET_BUILD_DIR:-} ]]; then
  build=$PIXOLET_BUILD_DIR
  cmake --build "$build" -j2 --target pixolet colour_fixture
else
  build=build/linux
  cmake --preset linux
  cmake --build --preset linux
fi

export PIXOLET_BIN=$PWD/$build/bin/pixolet
export PIXOLET_FIXTURE=$PWD/$build/bin/colour_fixture
mkdir -p docs/screenshots

python3 -B - "$PWD/docs/screenshots" <<'EOF'
import sys
from pathlib import Path

sys.path.insert(0, "tests/e2e")
from desktop import REG_HEADER, SETTINGS_KEY, TestDesktop, wait_until

out = Path(sys.argv[1])
SHOW_HIDE = "F12"  # stored as HotKey8 below: VK_F12 = 0x7B

with TestDesktop() as desktop:
    # Every column of the readout, and a show/hide shortcut to bring it up.
    desktop.seed_store("\r\n".join([
        REG_HEADER, "", f"[{SETTINGS_KEY}]",
        '"CYMK"=dword:00000001', '"Coord"=dword:00000001',
        '"HotKey8"=dword:0000007b', "",
    ]))
    fixture, tiles = desktop.start_fixture()
    program = desktop.start_program(["\\NOSPLASH"])
    wait_until(lambda: desktop.window_ids(pid=program.pid), 20,
               message="Pixolet showed no window")

    def readout_shown():
        return desktop.window_ids(pid=program.pid, visible=True)

    desktop.move_pointer(tiles["navy"]["x"] + 60, tiles["navy"]["y"] + 60)
    desktop.key(SHOW_HIDE)
    try:
        wait_until(lambda: len(readout_shown()) > 0, 10)
    except TimeoutError:
        print("demo: the readout did not appear; saving the desktop as it is")

    shots = [("navy", 60, 60), ("orange", 100, 80), ("pattern", None, None), ("white", 30, 30)]
    for name, dx, dy in shots:
        tile = tiles[name]
        if dx is None:
            mark = tile["marks"]["centre"]
            x, y = mark["x"], mark["y"]
        else:
            x, y = tile["x"] + dx, tile["y"] + dy
        desktop.move_pointer(x, y)
        # The readout follows the pointer: wait until one of its windows sits
        # beside it before taking the picture.
        def beside_pointer():
            for wid in readout_shown():
                wx, wy, ww, wh = desktop.window_geometry(wid)
                if abs(wx - x) < 200 and abs(wy - y) < 200 and ww > 30:
                    return True
            return False
        try:
            wait_until(beside_pointer, 5)
        except TimeoutError:
            pass
        path = out / f"readout-{name}.png"
        desktop.save_screenshot(path)
        print(f"demo: saved {path}")
    program.terminate()
EOF
