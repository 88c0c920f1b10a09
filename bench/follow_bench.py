"""What following the pointer costs, per second of motion.

Starts a private test desktop (Xvfb, openbox, trayer) with the colour
fixture, shows the readout over it and moves the pointer through XTEST along
two paths:

- "smooth": a slow Lissajous figure, at about 1000 Hz and 125 Hz;
- "lower right": quick moves of 7 px right and 3 px down a report, at 125 Hz,
  1000 Hz and as fast as the machine manages (up to 4000 Hz). A readout that
  sits beside the pointer's place of a frame ago lies right in this path.

The same motion runs with no picker at all (the desktop's floor), with the
readout shown and with Gpick's floating picker (`gpick -p`). For each it
prints the CPU seconds per second of motion of the whole desktop and of each
process, and for the readout how far the window ended from its place beside
the last move; then the ratios. Finally the readout is hidden and the same
motion shows what the program sitting in the tray pays.

    python3 bench/follow_bench.py BUILD_DIR [SECONDS]

Figures, not a test: nothing here asserts a time.
"""

import math
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

from desktop import TestDesktop, wait_until  # noqa: E402
from readout_helpers import VK_F, follow_position, store_text  # noqa: E402

SHOW_HIDE_KEY = "F8"
TICK = os.sysconf("SC_CLK_TCK")
# The smooth path's rates (the Wayland benchmark moves along it too).
RATES = (1000, 125)
# (path, moves a second); 0 is as fast as the machine goes, up to FASTEST.
RUNS = (("smooth", 1000), ("smooth", 125),
        ("lower right", 125), ("lower right", 1000), ("lower right", 0))
FASTEST = 4000
STEP = (7, 3)


def cpu_seconds(pid):
    """utime + stime of a process (and its reaped children), in seconds."""
    try:
        text = Path(f"/proc/{pid}/stat").read_text()
    except OSError:
        return 0.0
    fields = text[text.rindex(")") + 2:].split()
    return sum(int(fields[i]) for i in (11, 12, 13, 14)) / TICK


class Meter:
    """CPU of named processes between start() and stop()."""

    def __init__(self, pids):
        self.pids = dict(pids)  # name -> pid

    def start(self):
        self._before = {name: cpu_seconds(pid) for name, pid in self.pids.items()}
        self._t0 = time.monotonic()

    def stop(self):
        seconds = time.monotonic() - self._t0
        used = {name: cpu_seconds(pid) - self._before[name] for name, pid in self.pids.items()}
        return seconds, used


def smooth_point(area, i, rate):
    """A slow Lissajous figure: every move goes somewhere new."""
    x0, y0, w, h = area
    t = i / rate
    return (x0 + int((w - 1) * (0.5 + 0.5 * math.sin(t * 2.1))),
            y0 + int((h - 1) * (0.5 + 0.5 * math.sin(t * 3.3 + 1.0))))


def lower_right_point(area, i):
    """STEP a move toward the lower right, in rows of equal length; each
    row starts 40 px lower than the one before, at the area's left edge,
    and after the lowest row the highest comes again."""
    x0, y0, w, h = area
    per_row = max(1, min((w - 1) // STEP[0], (h - 1) // (2 * STEP[1])))
    row, column = divmod(i, per_row)
    room = max(h - per_row * STEP[1], 1)
    return x0 + column * STEP[0], y0 + (row * 40) % room + column * STEP[1]


def move_count(rate, seconds):
    return int((rate or FASTEST) * seconds)


def move_path(pointer, area, rate, seconds, path="smooth"):
    """Moves along `path` at `rate` moves a second (0: as fast as the moves
    go, up to FASTEST); returns the last point and the seconds of motion.
    Each move is synced with the server, like a mouse's report reaching
    it."""
    period = 1.0 / (rate or FASTEST)
    count = move_count(rate, seconds)
    start = time.monotonic()
    point = (area[0], area[1])
    for i in range(count):
        point = (smooth_point(area, i, rate or FASTEST) if path == "smooth"
                 else lower_right_point(area, i))
        pointer.move(*point)
        delay = start + (i + 1) * period - time.monotonic()
        if delay > 0:
            time.sleep(delay)
    return point, time.monotonic() - start


def desktop_pids(desktop, extra):
    pids = {"X server": desktop._helpers[0].pid}
    names = {1: "window manager", 2: "tray"}
    for i, proc in enumerate(desktop._helpers[1:], start=1):
        pids[names.get(i, f"helper {i}")] = proc.pid
    pids.update(extra)
    return pids


def run_motion(desktop, pids, area, rate, seconds, path="smooth"):
    meter = Meter(pids)
    pointer = desktop._pointer
    meter.start()
    last, moving = move_path(pointer, area, rate, seconds, path)
    # Whatever the last moves set off is part of their cost.
    time.sleep(0.3)
    _, used = meter.stop()
    return last, moving, used


def run_label(path, rate, count, moving):
    if rate:
        return f"{path}, {rate} Hz"
    return f"{path}, fastest: {count / moving:.0f} Hz"


def report(label, moving, used, parts=True):
    """Prints and returns the whole desktop's CPU per second of motion."""
    total = sum(used.values())
    line = f"  {label}: {total / moving:.3f} CPU-s/s"
    if parts:
        line += " (" + ", ".join(f"{name} {value / moving:.3f}" for name, value in used.items()) + ")"
    print(line, flush=True)
    return total / moving


def readout_window(desktop, pid):
    ids = desktop.window_ids(name="^Pixolet$", pid=pid, visible=True)
    return ids[0] if ids else None


def load_average():
    try:
        return Path("/proc/loadavg").read_text().split()[0]
    except OSError:
        return "?"


def run_all(desktop, pids, area, seconds, results, key, after=None):
    for path, rate in RUNS:
        last, moving, used = run_motion(desktop, pids, area, rate, seconds, path)
        reached = move_count(rate, seconds) / moving
        label = run_label(path, rate, move_count(rate, seconds), moving)
        per_second = {name: value / moving for name, value in used.items()}
        per_second["rate"] = reached
        results[(key, path, rate)] = (report(label, moving, used), per_second)
        if after:
            after(last)


def ratio(a, b):
    return a / b if b > 0 else float("nan")


def print_ratios(results, peer):
    print(f"Ratios Pixolet / {peer}: whole desktop; above the floor; own process;"
          " X server and picker (the target window left out: beside Gpick's picker it"
          " spends less than on the bare desktop, whose floor counts it whole)", flush=True)
    for path, rate in RUNS:
        ours, own = results[("pixolet", path, rate)]
        theirs, their_own = results[(peer, path, rate)]
        floor, floor_parts = results[("floor", path, rate)]
        label = f"{path}, {rate} Hz" if rate else (
            f"{path}, fastest ({own['rate']:.0f} / {their_own['rate']:.0f} Hz,"
            f" floor {floor_parts['rate']:.0f} Hz)")
        ours_core = own["X server"] + own["Pixolet"]
        theirs_core = their_own["X server"] + their_own[peer]
        print(f"  {label}: {ours:.3f} / {theirs:.3f} = {ratio(ours, theirs):.2f};"
              f" {ours - floor:.3f} / {theirs - floor:.3f} = {ratio(ours - floor, theirs - floor):.2f};"
              f" {own['Pixolet']:.3f} / {their_own[peer]:.3f}"
              f" = {ratio(own['Pixolet'], their_own[peer]):.2f};"
              f" {ours_core:.3f} / {theirs_core:.3f} = {ratio(ours_core, theirs_core):.2f}",
              flush=True)


def print_rate_ratios(results):
    """How the program's own cost grows with the mouse rate on the path
    that crosses the readout."""
    _, slow = results[("pixolet", "lower right", 125)]
    print("Pixolet's own process on the lower-right path, against 125 Hz", flush=True)
    for rate in (1000, 0):
        _, own = results[("pixolet", "lower right", rate)]
        label = f"{rate} Hz" if rate else f"fastest ({own['rate']:.0f} Hz)"
        print(f"  {label}: {own['Pixolet']:.3f} / {slow['Pixolet']:.3f}"
              f" = {ratio(own['Pixolet'], slow['Pixolet']):.2f}", flush=True)


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/linux")
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 4.0
    os.environ.setdefault("PIXOLET_BIN", str(build / "bin" / "pixolet"))
    os.environ.setdefault("PIXOLET_FIXTURE", str(build / "bin" / "colour_fixture"))
    results = {}
    print(f"Load average at the start: {load_average()} on {os.cpu_count()} CPUs", flush=True)
    with TestDesktop() as desktop:
        fixture, _ = desktop.start_fixture()
        wid = wait_until(lambda: desktop.window_ids(name="^Pixolet colour fixture$",
                                                    pid=fixture.pid, visible=True),
                         15, message="no fixture window")[0]
        fx, fy, fw, fh = desktop.window_geometry(wid)
        # Inside the fixture, away from its edges.
        area = (fx + 40, fy + 40, max(fw - 80, 20), max(fh - 80, 20))
        desktop.move_pointer(area[0], area[1])

        # What the motion itself costs the desktop, with no picker at all:
        # the X server moving the pointer and the fixture under it.
        pids = desktop_pids(desktop, {"fixture": fixture.pid})
        print(f"No picker, {seconds:g} s of motion per run (the desktop's floor)", flush=True)
        run_all(desktop, pids, area, seconds, results, "floor")

        desktop.seed_store(store_text({"HotKey8": VK_F[8]}))
        program = desktop.start_program(["\\NOSPLASH"], env={"PIXOLET_COUNT_UPDATES": "1"})
        wait_until(lambda: desktop.window_ids(pid=program.pid, visible=True), 15,
                   message="the program shows nothing")
        desktop.xdotool("windowactivate", "--sync", wid)
        desktop.key(SHOW_HIDE_KEY)
        readout = wait_until(lambda: readout_window(desktop, program.pid), 10,
                             message="the readout is not shown")
        pids = desktop_pids(desktop, {"fixture": fixture.pid, "Pixolet": program.pid})

        def where_it_ended(last):
            x, y, w, h = desktop.window_geometry(readout)
            want = follow_position(last, (w, h))
            behind = math.hypot(x - want[0], y - want[1])
            print(f"    readout ended {behind:.0f} px from its place beside the last move"
                  f" {last}", flush=True)

        print(f"Pixolet, readout shown, {seconds:g} s of motion per run", flush=True)
        run_all(desktop, pids, area, seconds, results, "pixolet", where_it_ended)

        desktop.key(SHOW_HIDE_KEY)
        wait_until(lambda: readout_window(desktop, program.pid) is None, 10,
                   message="the readout is still shown")
        print("Pixolet, readout hidden", flush=True)
        _, moving, used = run_motion(desktop, pids, area, 1000, seconds, "lower right")
        report("lower right, 1000 Hz, hidden", moving, used)
        print(f"    the hidden program alone: {used['Pixolet'] / moving:.4f} CPU-s/s,"
              f" X server {used['X server'] / moving:.4f}", flush=True)

        program.terminate()
        updates = re.findall(r"pixolet: (\d+) tracking updates", program.stderr())
        print(f"  tracking updates run: {updates[-1] if updates else '?'}", flush=True)

        gpick = shutil.which("gpick")
        if not gpick:
            print("gpick is not installed: no comparison", flush=True)
            print_rate_ratios(results)
            return
        desktop.move_pointer(area[0], area[1])
        peer = desktop.start_program(["-p"], binary=gpick, label="gpick")
        wait_until(lambda: desktop.window_ids(pid=peer.pid, visible=True), 15,
                   message="gpick shows nothing")
        time.sleep(1.0)  # let it settle into its picker
        pids = desktop_pids(desktop, {"fixture": fixture.pid, "gpick": peer.pid})
        print("Gpick floating picker (gpick -p)", flush=True)
        run_all(desktop, pids, area, seconds, results, "gpick")
        peer.end()

    print_ratios(results, "gpick")
    print_rate_ratios(results)
    print(f"Load average at the end: {load_average()}", flush=True)


if __name__ == "__main__":
    main()
