"""A private X desktop for end-to-end tests: Xvfb, openbox and trayer.

Everything here ends exactly the processes it started, by PID, and waits by
polling a condition with a time-out. Only the Python standard library and the
usual X command-line tools (xdotool, xclip, ImageMagick's import, xprop) are
used.
"""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import pnm
from report_pipe import read_reported_line
import xtest
from session_bus import SessionBus

SCREEN_WIDTH = 1024
SCREEN_HEIGHT = 768
SETTINGS_KEY = r"HKEY_CURRENT_USER\Software\Velmora\Pixolet"
REG_HEADER = "Windows Registry Editor Version 5.00"


class DesktopError(RuntimeError):
    pass


def wait_until(predicate, timeout=10.0, interval=0.05, message=None):
    """Polls `predicate` until it returns a true value, which is returned.

    Raises TimeoutError with `message` when the time runs out first.
    """
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(message or f"condition not met within {timeout} s")
        time.sleep(interval)


def _end_process(proc, grace=5.0):
    """SIGTERM, then SIGKILL when the process is still there after `grace`."""
    if proc.poll() is not None:
        return proc.returncode
    try:
        proc.send_signal(signal.SIGTERM)
        return proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        return proc.wait(timeout=grace)


class Program:
    """A process started on the test desktop, with its output kept in files."""

    def __init__(self, argv, env, workdir, label):
        self.argv = list(argv)
        self._out_path = Path(workdir) / f"{label}.stdout"
        self._err_path = Path(workdir) / f"{label}.stderr"
        with open(self._out_path, "wb") as out, open(self._err_path, "wb") as err:
            self._proc = subprocess.Popen(
                self.argv, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err
            )
        self.pid = self._proc.pid

    @property
    def returncode(self):
        return self._proc.poll()

    def running(self):
        return self._proc.poll() is None

    def wait_exit(self, timeout):
        """The exit code, or None when the process still runs after `timeout`."""
        try:
            return self._proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def signal(self, signum):
        if self.running():
            self._proc.send_signal(signum)

    def terminate(self, timeout=10.0):
        """Sends SIGTERM and returns the exit code (None if it did not end)."""
        self.signal(signal.SIGTERM)
        return self.wait_exit(timeout)

    def end(self, grace=5.0):
        return _end_process(self._proc, grace)

    def stdout(self):
        return self._out_path.read_text(errors="replace")

    def stderr(self):
        return self._err_path.read_text(errors="replace")

    def stdout_lines(self):
        return self.stdout().splitlines()

    def wait_for_line(self, prefix, timeout=10.0):
        """The first stdout line starting with `prefix`, polled for."""

        def find():
            for line in self.stdout_lines():
                if line.startswith(prefix):
                    return line
            if not self.running():
                raise DesktopError(
                    f"{self.argv[0]} ended ({self.returncode}) before printing {prefix!r}:\n"
                    + self.stderr()
                )
            return None

        return wait_until(find, timeout, message=f"no line {prefix!r} from {self.argv[0]}")


class TestDesktop:
    """Context manager: a 1024x768 Xvfb display with openbox and trayer.

    `tray=False` leaves out the tray host, `window_manager=False` openbox.
    `dbus=True` adds a D-Bus session bus of the desktop's own (with the
    accessibility bus that it starts on demand); without it the programs get
    no session bus address. The programs get a fresh HOME with
    XDG_CONFIG_HOME inside it.
    """

    def __init__(self, tray=True, window_manager=True, dbus=False):
        self._want_tray = tray
        self._want_wm = window_manager
        self._want_bus = dbus
        self.bus = None  # SessionBus
        self._helpers = []  # Popen objects of Xvfb, openbox, trayer
        self._programs = []
        self._pointer = None  # XTEST connection, opened on first use
        self._tmp = None
        self.display = None
        self.home = None
        self.config_home = None

    # -- life cycle -------------------------------------------------------

    def __enter__(self):
        self._tmp = Path(tempfile.mkdtemp(prefix="pixolet-e2e-"))
        try:
            self.reset_home()
            self._start_xvfb()
            if self._want_wm:
                self._start_openbox()
            if self._want_tray:
                self._start_trayer()
            if self._want_bus:
                # After Xvfb: the accessibility bus launcher that the bus
                # starts takes the display from the bus's environment.
                self.bus = SessionBus(self.env(), self._runtime_dir())
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        if self._pointer is not None:
            self._pointer.close()
            self._pointer = None
        for program in reversed(self._programs):
            program.end()
        self._programs.clear()
        if self.bus is not None:
            self.bus.close()
            self.bus = None
        for proc in reversed(self._helpers):
            _end_process(proc)
        self._helpers.clear()
        if self._tmp is not None:
            shutil.rmtree(self._tmp, ignore_errors=True)
            self._tmp = None

    def reset_home(self):
        """A new, empty HOME and config folder for the next programs."""
        self.home = Path(tempfile.mkdtemp(prefix="home-", dir=self._tmp))
        self.config_home = self.home / ".config"
        self.config_home.mkdir()
        return self.home

    @property
    def workdir(self):
        return self._tmp

    def env(self, extra=None):
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": self.display or "",
            "HOME": str(self.home),
            "XDG_CONFIG_HOME": str(self.config_home),
            "XDG_RUNTIME_DIR": str(self._runtime_dir()),
            "QT_QPA_PLATFORM": "xcb",
            "LANG": "C.UTF-8",
            "NO_AT_BRIDGE": "1",
        }
        # Sanitizer settings of the test run reach the program.
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                env[name] = os.environ[name]
        if self.bus is not None:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
            # GLib settings stay in memory instead of a settings service on
            # the bus that would write into HOME.
            env["GSETTINGS_BACKEND"] = "memory"
        if extra:
            for name, value in extra.items():
                if value is None:
                    env.pop(name, None)
                else:
                    env[name] = value
        return env

    def _runtime_dir(self):
        path = self._tmp / "runtime"
        path.mkdir(mode=0o700, exist_ok=True)
        return path

    def _start_helper(self, argv, **kwargs):
        proc = subprocess.Popen(
            argv,
            env=self.env(),
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            **kwargs,
        )
        self._helpers.append(proc)
        return proc

    def _start_xvfb(self):
        # -displayfd lets the server take the first free display number
        # itself (it skips numbers with a lock file or a socket), so two test
        # runs at once never collide; it writes the number once it listens.
        read_end, write_end = os.pipe()
        try:
            xvfb = self._start_helper(
                [
                    "Xvfb", "-displayfd", str(write_end),
                    "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
                    "-nolisten", "tcp", "-noreset",
                ],
                pass_fds=(write_end,),
            )
            os.close(write_end)
            write_end = None
            number = read_reported_line(read_end, xvfb, 20, DesktopError,
                                        "a display number")
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = ":" + number
        wait_until(
            lambda: self._run(["xdpyinfo"], check=False).returncode == 0,
            10, message=f"display {self.display} does not answer",
        )

    def _start_openbox(self):
        self._start_helper(["openbox", "--sm-disable"])
        wait_until(
            lambda: "window id" in self._run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout,
            15, message="openbox did not start",
        )

    # How trayer sizes its panel: to what its icons request, so it grows to
    # the left from the screen's top right corner as icons arrive.
    TRAYER_WIDTH = ("--widthtype", "request")

    def _start_trayer(self):
        self._start_helper([
            "trayer", "--edge", "top", "--align", "right", *self.TRAYER_WIDTH,
            "--height", "24", "--SetDockType", "true", "--transparent", "false",
        ])
        wait_until(lambda: self.window_ids(name="^panel$", class_="trayer"),
                   15, message="trayer did not start")

    # -- programs -------------------------------------------------------

    def start_program(self, args=(), binary=None, env=None, label=None):
        """Starts the program (PIXOLET_BIN unless `binary`) with `args`."""
        binary = binary or os.environ.get("PIXOLET_BIN")
        if not binary:
            raise DesktopError("PIXOLET_BIN is not set")
        label = label or f"{Path(binary).name}-{len(self._programs)}"
        program = Program([binary, *args], self.env(env), self._tmp, label)
        self._programs.append(program)
        return program

    def start_fixture(self, timeout=15.0):
        """Starts the colour fixture and waits until it has the focus.

        Returns (program, tiles): tiles maps each tile's name to a dict with
        "rgb", "x", "y", "w", "h" in screen coordinates, plus "marks" for the
        pattern tile.
        """
        binary = os.environ.get("PIXOLET_FIXTURE")
        if not binary:
            raise DesktopError("PIXOLET_FIXTURE is not set")
        program = self.start_program([], binary=binary, label="fixture")
        line = program.wait_for_line("ready ", timeout)
        tiles = {tile["name"]: tile for tile in json.loads(line[len("ready "):])["tiles"]}
        return program, tiles

    # -- X tools --------------------------------------------------------

    def _run(self, argv, check=True, timeout=10.0):
        return subprocess.run(argv, env=self.env(), capture_output=True, text=True,
                              timeout=timeout, check=check)

    def xdotool(self, *args, timeout=10.0):
        return self._run(["xdotool", *map(str, args)], timeout=timeout)

    def move_pointer(self, x, y):
        """Moves the pointer as a mouse would (raw motion events included)."""
        if self._pointer is None:
            self._pointer = xtest.XTestPointer(self.display)
        self._pointer.move(x, y)
        wait_until(lambda: self.pointer() == (x, y), 5,
                   message=f"pointer did not reach {x},{y}")

    def pointer(self):
        values = {}
        for line in self._run(["xdotool", "getmouselocation", "--shell"]).stdout.splitlines():
            name, _, value = line.partition("=")
            values[name] = value
        return int(values["X"]), int(values["Y"])

    def key(self, combo):
        """Presses and releases a key combination such as "ctrl+c"."""
        self.xdotool("key", combo)

    def key_down(self, combo):
        self.xdotool("keydown", combo)

    def key_up(self, combo):
        self.xdotool("keyup", combo)

    def type(self, text):
        self.xdotool("type", "--delay", "20", text)

    def click(self, button=1, repeat=1):
        self.xdotool("click", "--repeat", repeat, button)

    def button_down(self, button=1):
        self.xdotool("mousedown", button)

    def button_up(self, button=1):
        self.xdotool("mouseup", button)

    def window_ids(self, name=None, class_=None, pid=None, visible=False):
        """Window ids matching every given criterion (names are regular
        expressions), in stacking order of xdotool's answer."""
        # Each criterion is searched on its own and the answers intersected:
        # xdotool's own --all does not combine --name with --class reliably.
        criteria = [("--name", name), ("--class", class_),
                    ("--pid", None if pid is None else str(pid))]
        criteria = [(flag, value) for flag, value in criteria if value is not None]
        if not criteria:
            criteria = [("--name", "")]
        result = None
        for flag, value in criteria:
            args = ["xdotool", "search"] + (["--onlyvisible"] if visible else [])
            found = self._run(args + [flag, value], check=False).stdout.split()
            ids = [int(word) for word in found]
            result = ids if result is None else [wid for wid in result if wid in ids]
        return result

    def window_geometry(self, wid):
        """(x, y, width, height) of a window in screen coordinates."""
        values = {}
        out = self._run(["xdotool", "getwindowgeometry", "--shell", str(wid)]).stdout
        for line in out.splitlines():
            name, _, value = line.partition("=")
            values[name] = value
        return (int(values["X"]), int(values["Y"]),
                int(values["WIDTH"]), int(values["HEIGHT"]))

    def active_window(self):
        result = self._run(["xdotool", "getactivewindow"], check=False)
        return int(result.stdout) if result.returncode == 0 and result.stdout.strip() else None

    def window_property(self, wid, name):
        return self._run(["xprop", "-id", str(wid), name], check=False).stdout.strip()

    def root_property(self, name):
        return self._run(["xprop", "-root", name], check=False).stdout.strip()

    def stacking_order(self):
        """Managed windows, bottom first, as the window manager stacks them."""
        text = self.root_property("_NET_CLIENT_LIST_STACKING")
        return [int(word.strip(","), 16) for word in text.split() if word.startswith("0x")]

    def clipboard_text(self, timeout=5.0):
        """The clipboard's text, or None when nobody offers text."""
        try:
            result = subprocess.run(
                ["xclip", "-o", "-selection", "clipboard"], env=self.env(),
                capture_output=True, timeout=timeout,
            )
        except subprocess.TimeoutExpired:
            return None
        if result.returncode != 0:
            return None
        return result.stdout.decode("latin-1")

    def screenshot(self):
        """The whole screen as a pnm.Image."""
        result = subprocess.run(
            ["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env(),
            capture_output=True, timeout=20, check=True,
        )
        return pnm.parse(result.stdout)

    def save_screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env(),
                       capture_output=True, timeout=20, check=True)

    def pixel(self, x, y):
        return self.screenshot().pixel(x, y)

    # -- settings store ---------------------------------------------------

    def store_path(self):
        return self.config_home / "pixolet" / "registry.reg"

    def autostart_path(self):
        return self.config_home / "autostart" / "pixolet.desktop"

    def read_store(self):
        """The store's text, or None when there is no store file."""
        try:
            data = self.store_path().read_bytes()
        except FileNotFoundError:
            return None
        if data.startswith(b"\xef\xbb\xbf"):
            data = data[3:]
        return data.decode("utf-8", errors="replace")

    def seed_store(self, text):
        """Writes the store file; `text` is str (UTF-8) or raw bytes."""
        path = self.store_path()
        path.parent.mkdir(parents=True, exist_ok=True)
        if isinstance(text, str):
            text = text.encode("utf-8")
        path.write_bytes(text)
        return path


class DesktopCase(unittest.TestCase):
    """One test desktop per test class, given DESKTOP_OPTIONS, each test with
    a fresh HOME."""

    # Options of the class's TestDesktop, e.g. {"dbus": True}.
    DESKTOP_OPTIONS = {}

    @classmethod
    def setUpClass(cls):
        cls.desktop = TestDesktop(**cls.DESKTOP_OPTIONS).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def setUp(self):
        self.desktop.reset_home()
