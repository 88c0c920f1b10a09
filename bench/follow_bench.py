"""What following the pointer costs the whole desktop, per second of motion.

Starts a private test desktop (Xvfb, openbox, trayer) with the colour
fixture, shows the readout over it and moves the pointer through XTEST at
about 1000 Hz and at 125 Hz, then does the same with Gpick's floating picker
(`gpick -p`). For each it prints the CPU seconds that every process of the
desktop together spent per second of motion, and for the readout how many
tracking updates ran and how far the window ended from its place beside the
last move. Finally the readout is hidden and the same motion shows what the
program sitting in the tray pays.

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
RATES = (1000, 125)


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


def move_path(pointer, area, rate, seconds):
    """Moves back and forth across `area` at `rate` moves a second; returns
    the last point. Each move is synced with the server, like a mouse's
    report reaching it."""
    x0, y0, w, h = area
    period = 1.0 / rate
    count = int(rate * seconds)
    start = time.monotonic()
    point = (x0, y0)
    for i in range(count):
        # A slow Lissajous figure: every move goes somewhere new.
        t = i / rate
        point = (x0 + int((w - 1) * (0.5 + 0.5 * math.sin(t * 2.1))),
                 y0 + int((h - 1) * (0.5 + 0.5 * math.sin(t * 3.3 + 1.0))))
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


def run_motion(desktop, pids, area, rate, seconds):
    meter = Meter(pids)
    pointer = desktop._pointer
    meter.start()
    last, moving = move_path(pointer, area, rate, seconds)
    # Whatever the last moves set off is part of their cost.
    time.sleep(0.3)
    _, used = meter.stop()
    return last, moving, used


def report(label, moving, used, parts=True):
    total = sum(used.values())
    line = f"  {label}: {total / moving:.3f} CPU-s/s"
    if parts:
        line += " (" + ", ".join(f"{name} {value / moving:.3f}" for name, value in used.items()) + ")"
    print(line, flush=True)
    return total / moving


def readout_window(desktop, pid):
    ids = desktop.window_ids(name="^Pixolet$", pid=pid, visible=True)
    return ids[0] if ids else None


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/linux")
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 4.0
    os.environ.setdefault("PIXOLET_BIN", str(build / "bin" / "pixolet"))
    os.environ.setdefault("PIXOLET_FIXTURE", str(build / "bin" / "colour_fixture"))
    results = {}
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
        print(f"No picker, {seconds:g} s of motion per rate (the desktop's floor)", flush=True)
        for rate in RATES:
            _, moving, used = run_motion(desktop, pids, area, rate, seconds)
            results[("floor", rate)] = report(f"{rate} Hz", moving, used)

        desktop.seed_store(store_text({"HotKey8": VK_F[8]}))
        program = desktop.start_program(["\\NOSPLASH"], env={"PIXOLET_COUNT_UPDATES": "1"})
        wait_until(lambda: desktop.window_ids(pid=program.pid, visible=True), 15,
                   message="the program shows nothing")
        desktop.xdotool("windowactivate", "--sync", wid)
        desktop.key(SHOW_HIDE_KEY)
        readout = wait_until(lambda: readout_window(desktop, program.pid), 10,
                             message="the readout is not shown")
        pids = desktop_pids(desktop, {"fixture": fixture.pid, "Pixolet": program.pid})

        print(f"Pixolet, readout shown, {seconds:g} s of motion per rate", flush=True)
        for rate in RATES:
            last, moving, used = run_motion(desktop, pids, area, rate, seconds)
            results[("pixolet", rate)] = report(f"{rate} Hz", moving, used)
            x, y, w, h = desktop.window_geometry(readout)
            want = follow_position(last, (w, h))
            behind = math.hypot(x - want[0], y - want[1])
            print(f"    readout ended {behind:.0f} px from its place beside the last move"
                  f" {last}", flush=True)

        desktop.key(SHOW_HIDE_KEY)
        wait_until(lambda: readout_window(desktop, program.pid) is None, 10,
                   message="the readout is still shown")
        print("Pixolet, readout hidden", flush=True)
        _, moving, used = run_motion(desktop, pids, area, RATES[0], seconds)
        report(f"{RATES[0]} Hz, hidden", moving, used)
        print(f"    the hidden program alone: {used['Pixolet'] / moving:.4f} CPU-s/s,"
              f" X server {used['X server'] / moving:.4f}", flush=True)

        program.terminate()
        updates = re.findall(r"pixolet: (\d+) tracking updates", program.stderr())
        moves = sum(int(rate * seconds) for rate in RATES) + int(RATES[0] * seconds)
        print(f"  tracking updates run: {updates[-1] if updates else '?'}"
              f" for {moves} moves", flush=True)

        gpick = shutil.which("gpick")
        if not gpick:
            print("gpick is not installed: no comparison", flush=True)
            return
        desktop.move_pointer(area[0], area[1])
        peer = desktop.start_program(["-p"], binary=gpick, label="gpick")
        wait_until(lambda: desktop.window_ids(pid=peer.pid, visible=True), 15,
                   message="gpick shows nothing")
        time.sleep(1.0)  # let it settle into its picker
        pids = desktop_pids(desktop, {"fixture": fixture.pid, "gpick": peer.pid})
        print("Gpick floating picker (gpick -p)", flush=True)
        for rate in RATES:
            _, moving, used = run_motion(desktop, pids, area, rate, seconds)
            results[("gpick", rate)] = report(f"{rate} Hz", moving, used)
        peer.end()

    print("Ratio Pixolet / Gpick: whole desktop; above the floor", flush=True)
    for rate in RATES:
        ours, theirs = results[("pixolet", rate)], results[("gpick", rate)]
        floor = results[("floor", rate)]
        above = (ours - floor) / (theirs - floor) if theirs > floor else float("nan")
        print(f"  {rate} Hz: {ours:.3f} / {theirs:.3f} = {ours / theirs:.2f};"
              f" {ours - floor:.3f} / {theirs - floor:.3f} = {above:.2f}", flush=True)


if __name__ == "__main__":
    main()
