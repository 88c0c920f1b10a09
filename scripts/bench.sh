#!/bin/sh
# Runs the X11 platform smoke checks and the tracking benchmark on a private
# Xvfb, which is started on a free display number and stopped again by its
# process id.
#
#   scripts/bench.sh [BUILD_DIR] [smoke|bench|all]    (default: build/linux all)
#   scripts/bench.sh follow [BUILD_DIR] [SECONDS]
#   scripts/bench.sh wayland [BUILD_DIR] [SECONDS]
#
# "follow" measures what following the pointer costs the whole test desktop
# (Xvfb, openbox, trayer, the colour fixture and the program) and each of its
# processes per second of pointer motion through XTEST: a slow smooth path
# at about 1000 Hz and 125 Hz, and quick moves toward the lower right, which
# cross the readout, at 125 Hz, 1000 Hz and as fast as the machine manages
# (up to 4000 Hz); beside the desktop's floor and Gpick's floating picker.
# See bench/follow_bench.py.
#
# "wayland" measures what a pick session costs the compositor and the program
# per second of pointer motion on the headless sway test desktop, and the
# region captures a second, beside the same motion on the X11 test desktop;
# see bench/wayland_bench.py.
set -eu

if [ "${1:-}" = wayland ]; then
    build=${2:-build/linux}
    for tool in sway swaymsg grim wtype wl-paste Xvfb openbox trayer xdotool; do
        command -v "$tool" >/dev/null || { echo "bench.sh: $tool is needed" >&2; exit 2; }
    done
    exec python3 -B "$(dirname "$0")/../bench/wayland_bench.py" "$build" "${3:-4}"
fi

if [ "${1:-}" = follow ]; then
    build=${2:-build/linux}
    if ! command -v gpick >/dev/null; then
        echo "bench.sh: installing gpick for the comparison" >&2
        apt-get install -y --no-install-recommends gpick >&2
    fi
    for tool in Xvfb openbox trayer xdotool; do
        command -v "$tool" >/dev/null || { echo "bench.sh: $tool is needed" >&2; exit 2; }
    done
    exec python3 -B "$(dirname "$0")/../bench/follow_bench.py" "$build" "${3:-4}"
fi

build=${1:-build/linux}
what=${2:-all}
bin="$build/bin"

for tool in Xvfb xclip; do
    command -v "$tool" >/dev/null || { echo "bench.sh: $tool is needed" >&2; exit 2; }
done

tmp=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

# -displayfd lets the server pick a free display number and report it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
i=0
while [ ! -s "$tmp/display" ]; do
    i=$((i + 1))
    if [ $i -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "bench.sh: Xvfb did not start" >&2
        cat "$tmp/xvfb.log" >&2
        exit 2
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY
export QT_QPA_PLATFORM=xcb
export QT_ENABLE_HIGHDPI_SCALING=0
echo "Xvfb on $DISPLAY (pid $xvfb_pid)"

status=0
if [ "$what" = smoke ] || [ "$what" = all ]; then
    "$bin/pixolet_x11_smoke" || status=$?
fi
if [ "$what" = bench ] || [ "$what" = all ]; then
    if [ -x "$bin/pixolet_tracking_bench" ]; then
        "$bin/pixolet_tracking_bench" || status=$?
    else
        echo "bench.sh: $bin/pixolet_tracking_bench is not built" >&2
        status=2
    fi
fi
exit $status
