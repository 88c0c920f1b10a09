"""What a pick session costs on Wayland, per second of pointer motion, beside
the same motion on the X11 test desktop.

On the Wayland test desktop (headless sway as an unprivileged user, the
full-output colour target) the pointer moves through the virtual-pointer
protocol along the path the X11 follow benchmark uses, at about 1000 Hz and
at 125 Hz: first with no program (the desktop's floor), then in a pick
session of the program. For each it prints the CPU seconds that the
compositor, the program and the target spent per second of motion. A second
pass runs the program with the Wayland protocol log on and counts the
region captures it asked for and got per second of motion, and per second
while the pointer rests. Last, the same motion on the X11 test desktop
(Xvfb, openbox, trayer, the colour fixture) with the readout shown, moved
through XTEST.

    python3 bench/wayland_bench.py BUILD_DIR [SECONDS]

Figures, not a test: nothing here asserts a time.
"""

import math
import os
import re
import sys
import time
from pathlib import Path

root = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(root / "tests" / "wayland"))
sys.path.insert(0, str(root / "bench"))

import follow_bench  # noqa: E402
from wayland_case import OUTPUT, find_readout, has_wayland_layer  # noqa: E402
from wayland_desktop import WaylandDesktop, missing_tools, wait_until  # noqa: E402
from readout_helpers import VK_F, follow_position, store_text  # noqa: E402

RATES = follow_bench.RATES
REST_SECONDS = 2.0


class OneReportPointer:
    """follow_bench's pointer interface on the virtual pointer: each move is
    one report, taken by the compositor before the next."""

    def __init__(self, desktop):
        self._pointer = desktop.pointer()

    def move(self, x, y):
        self._pointer.move(x, y, steps=1, rate=1000)


def motion(desktop, pids, area, rate, seconds):
    meter = follow_bench.Meter(pids)
    meter.start()
    last, moving = follow_bench.move_path(OneReportPointer(desktop), area, rate, seconds)
    # Whatever the last moves set off is part of their cost.
    time.sleep(0.3)
    _, used = meter.stop()
    achieved = int(rate * seconds) / moving
    if achieved < 0.9 * rate:
        print(f"    (the pointer reached only {achieved:.0f} reports a second)", flush=True)
    return last, moving, used


def start_session(desktop, env=None):
    program = desktop.start_program(["\\NOSPLASH"], env=env)
    binary = os.environ["PIXOLET_BIN"]

    def shown():
        if not program.running():
            raise RuntimeError(f"the program ended: {program.stderr()}")
        if desktop.run([binary, "--action", "show-hide"], timeout=30).returncode != 0:
            return False
        return True

    wait_until(shown, 30, interval=0.2, message="the program takes no actions")
    wait_until(lambda: find_readout(desktop.screenshot()), 10, message="no readout shown")
    return program


def quit_program(desktop, program):
    desktop.run([os.environ["PIXOLET_BIN"], "--action", "quit"], timeout=30)
    if program.wait_exit(10) is None:
        program.end()


def wayland_floor(desktop, target, area, seconds):
    pids = {"compositor": desktop.sway_pid, "target": target.pid}
    print(f"Wayland: no program, {seconds:g} s of motion per rate (the desktop's floor)",
          flush=True)
    floor = {}
    for rate in RATES:
        _, moving, used = motion(desktop, pids, area, rate, seconds)
        floor[rate] = follow_bench.report(f"{rate} Hz", moving, used)
    return floor


def wayland_cpu(desktop, target, area, seconds):
    pids = {"compositor": desktop.sway_pid, "target": target.pid}

    program = start_session(desktop, env={"PIXOLET_COUNT_UPDATES": "1"})
    pids["Pixolet"] = program.pid
    print(f"Wayland: Pixolet in a pick session, {seconds:g} s of motion per rate", flush=True)
    ours = {}
    for rate in RATES:
        last, moving, used = motion(desktop, pids, area, rate, seconds)
        follow_bench.report(f"{rate} Hz", moving, used)
        ours[rate] = (used["compositor"] + used["Pixolet"]) / moving
        print(f"    compositor plus program: {ours[rate]:.3f} CPU-s/s", flush=True)
        rect = find_readout(desktop.screenshot())
        if rect:
            want = follow_position(last, rect[2:], OUTPUT)
            print(f"    readout ended {math.hypot(rect[0] - want[0], rect[1] - want[1]):.0f} px"
                  f" from its place beside the last move {last}", flush=True)
    meter = follow_bench.Meter(pids)
    meter.start()
    time.sleep(REST_SECONDS)
    _, used = meter.stop()
    print(f"  resting pointer, session on: "
          + ", ".join(f"{name} {value / REST_SECONDS:.4f}" for name, value in used.items())
          + " CPU-s/s", flush=True)
    quit_program(desktop, program)
    updates = re.findall(r"pixolet: (\d+) tracking updates", program.stderr())
    if updates:
        moves = sum(int(rate * seconds) for rate in RATES)
        print(f"  tracking updates run: {updates[-1]} for {moves} moves", flush=True)
    return ours


def count_protocol(log, since=0):
    """Region captures asked for and finished, and pointer motions, in a
    protocol log."""
    text = log[since:]
    return (len(re.findall(r"-> zwlr_screencopy_manager_v1@\d+\.capture_output_region", text)),
            len(re.findall(r"zwlr_screencopy_frame_v1@\d+\.ready\(", text)),
            len(re.findall(r"wl_pointer@\d+\.motion\(", text)))


def wayland_captures(desktop, area, seconds):
    print("Wayland: region captures, from the program's protocol log (a slower run)",
          flush=True)
    program = start_session(desktop, env={"WAYLAND_DEBUG": "client"})
    for rate in RATES:
        since = len(program.stderr())
        _, moving = follow_bench.move_path(OneReportPointer(desktop), area, rate, seconds)
        time.sleep(0.3)
        asked, done, motions = count_protocol(program.stderr(), since)
        print(f"  {rate} Hz: {asked / moving:.1f} captures asked, {done / moving:.1f} finished"
              f" per second of motion ({motions / moving:.0f} pointer motions a second)",
              flush=True)
    since = len(program.stderr())
    time.sleep(REST_SECONDS)
    asked, done, _ = count_protocol(program.stderr(), since)
    print(f"  resting pointer: {asked / REST_SECONDS:.1f} captures a second", flush=True)
    quit_program(desktop, program)


def x11_cpu(build, seconds):
    from desktop import TestDesktop

    os.environ.setdefault("PIXOLET_FIXTURE", str(build / "bin" / "colour_fixture"))
    print(f"X11: Pixolet, readout shown, {seconds:g} s of motion per rate (XTEST)", flush=True)
    results = {}
    with TestDesktop() as desktop:
        fixture, _ = desktop.start_fixture()
        wid = wait_until(lambda: desktop.window_ids(name="^Pixolet colour fixture$",
                                                    pid=fixture.pid, visible=True),
                         15, message="no fixture window")[0]
        fx, fy, fw, fh = desktop.window_geometry(wid)
        area = (fx + 40, fy + 40, max(fw - 80, 20), max(fh - 80, 20))
        desktop.move_pointer(area[0], area[1])
        desktop.seed_store(store_text({"HotKey8": VK_F[8]}))
        program = desktop.start_program(["\\NOSPLASH"], env={"WAYLAND_DISPLAY": None})
        wait_until(lambda: desktop.window_ids(pid=program.pid, visible=True), 15,
                   message="the program shows nothing")
        desktop.xdotool("windowactivate", "--sync", wid)
        desktop.key("F8")
        wait_until(lambda: follow_bench.readout_window(desktop, program.pid), 10,
                   message="the readout is not shown")
        pids = follow_bench.desktop_pids(desktop, {"fixture": fixture.pid,
                                                   "Pixolet": program.pid})
        for rate in RATES:
            _, moving, used = follow_bench.run_motion(desktop, pids, area, rate, seconds)
            follow_bench.report(f"{rate} Hz", moving, used)
            results[rate] = (used["X server"] + used["window manager"] + used["Pixolet"]) / moving
            print(f"    X server plus window manager plus program: {results[rate]:.3f} CPU-s/s",
                  flush=True)
        program.terminate()
    return results


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/linux").resolve()
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 4.0
    os.environ.setdefault("PIXOLET_BIN", str(build / "bin" / "pixolet"))
    os.environ.setdefault("PIXOLET_WL_POINTER", str(build / "bin" / "pixolet_wl_pointer"))
    os.environ.setdefault("PIXOLET_WL_TARGET", str(build / "bin" / "wayland_colour_target"))
    missing = missing_tools()
    if missing:
        sys.exit("wayland_bench: not installed: " + ", ".join(missing))
    native = has_wayland_layer(os.environ["PIXOLET_BIN"])

    with WaylandDesktop() as desktop:
        target, _ = desktop.start_target()
        desktop.seed_store(store_text({}))
        # The same share of the output as the X11 benchmark's area.
        area = (40, 40, OUTPUT[0] - 80, OUTPUT[1] - 80)
        desktop.move_pointer(area[0], area[1])
        wayland_floor(desktop, target, area, seconds)
        if native:
            ours = wayland_cpu(desktop, target, area, seconds)
            wayland_captures(desktop, area, min(seconds, 2.0))
        else:
            print("The program has no Wayland layer: the Wayland figures are left out",
                  flush=True)
    x11 = x11_cpu(build, seconds)

    if native:
        # In a session the overlay takes the pointer, so the target below no
        # longer gets the motion it gets in the floor's run: compare the
        # display servers and the program rather than the whole desktops.
        print("Display server(s) plus program, Wayland / X11 (CPU-s per second of motion)",
              flush=True)
        for rate in RATES:
            print(f"  {rate} Hz: {ours[rate]:.3f} / {x11[rate]:.3f}", flush=True)


if __name__ == "__main__":
    main()
