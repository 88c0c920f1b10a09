"""A private Wayland desktop for end-to-end tests: a headless sway.

The compositor refuses to run as root, and a test may well run as root (CI
does): so the compositor and every Wayland client of the test run as an
unprivileged user (nobody) when the test is root, as the test's own user
otherwise. The desktop has a runtime directory of its own (mode 700, owned by
that user), so its Wayland socket, its IPC socket and its session bus are
found by no other program, a generated configuration (one 1280x720 output,
no Xwayland, no borders, no focus following the pointer, a cursor theme of
transparent cursors), and a fresh HOME with XDG_CONFIG_HOME for the programs.

Input: the pointer moves through the virtual-pointer protocol, by the
tests' own tool (a mouse that stays plugged in and moves in many small
steps), keys are typed with wtype, pixels read with grim, the clipboard with
wl-paste. Everything here ends exactly the processes it started, by PID, and
waits by polling a condition with a time-out.
"""

import json
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

import pnm  # noqa: E402
from desktop import REG_HEADER, SETTINGS_KEY, DesktopError, Program, wait_until  # noqa: E402,F401
from session_bus import SessionBus, process_info  # noqa: E402

import blank_cursors  # noqa: E402

OUTPUT_WIDTH = 1280
OUTPUT_HEIGHT = 720
OUTPUT_NAME = "HEADLESS-1"
UNPRIVILEGED_UID = 65534  # nobody
# The first key typed right after a virtual keyboard appears can be lost:
# wtype waits this long (ms) before it types.
KEYBOARD_SETTLE_MS = 150
# Tools the desktop needs, each looked up on PATH.
TOOLS = ("sway", "swaymsg", "grim", "wtype", "wl-paste", "wl-copy")


def missing_tools():
    """Names of the tools that are not installed (empty when all are)."""
    needed = list(TOOLS)
    if os.geteuid() == 0:
        needed.append("setpriv")
    return [tool for tool in needed if shutil.which(tool) is None]


def as_user_prefix():
    """The command prefix that runs a program as the desktop's user."""
    if os.geteuid() != 0:
        return []
    return ["setpriv", f"--reuid={UNPRIVILEGED_UID}", f"--regid={UNPRIVILEGED_UID}",
            "--clear-groups", "--"]


def desktop_uid():
    return UNPRIVILEGED_UID if os.geteuid() == 0 else os.geteuid()


def key_arguments(combo):
    """wtype's arguments for a combination such as "ctrl+c" or "Escape"."""
    *modifiers, key = combo.split("+")
    names = {"ctrl": "ctrl", "control": "ctrl", "shift": "shift", "alt": "alt",
             "super": "logo", "logo": "logo", "win": "logo"}
    args = []
    for modifier in modifiers:
        args += ["-M", names[modifier.lower()]]
    args += ["-k", key]
    for modifier in reversed(modifiers):
        args += ["-m", names[modifier.lower()]]
    return args


def _start_time(pid):
    info = process_info(pid)
    return None if info is None else info[1]


def _environment_of(pid):
    try:
        with open(f"/proc/{pid}/environ", "rb") as environ:
            return environ.read().split(b"\0")
    except OSError:
        return []


class VirtualPointer:
    """The tests' mouse: the pixolet_wl_pointer tool on a pipe. Every command
    returns once the compositor has handled its reports."""

    def __init__(self, argv, env, workdir):
        self._err = open(Path(workdir) / "pointer.stderr", "wb")
        self._proc = subprocess.Popen(argv, env=env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE, stderr=self._err, text=True,
                                      bufsize=1)
        self.pid = self._proc.pid
        self.position = None

    def command(self, line, timeout=30.0):
        if self._proc.poll() is not None:
            raise DesktopError(f"the virtual pointer ended ({self._proc.returncode})")
        self._proc.stdin.write(line + "\n")
        self._proc.stdin.flush()
        # The answer comes once the compositor has taken the reports. One
        # line answers each command, so nothing waits in the pipe's buffer
        # when select looks.
        ready, _, _ = select.select([self._proc.stdout], [], [], timeout)
        if not ready:
            raise DesktopError(f"virtual pointer: no answer to {line!r} within {timeout} s")
        answer = self._proc.stdout.readline().strip()
        if not answer.startswith(("ok", "at ")):
            raise DesktopError(f"virtual pointer: {line!r} -> {answer!r}")
        return answer

    def move(self, x, y, steps=12, rate=250):
        self.command(f"move {int(x)} {int(y)} {int(steps)} {rate:g}")
        self.position = (int(x), int(y))

    def press(self, button=1):
        self.command(f"press {button}")

    def release(self, button=1):
        self.command(f"release {button}")

    def click(self, button=1):
        self.command(f"click {button}")

    def close(self, grace=5.0):
        if self._proc.poll() is None:
            try:
                self._proc.stdin.write("quit\n")
                self._proc.stdin.close()
                self._proc.wait(timeout=grace)
            except (OSError, subprocess.TimeoutExpired):
                self._proc.kill()
                self._proc.wait(timeout=grace)
        self._proc.stdout.close()
        self._err.close()


class WaylandDesktop:
    """Context manager: a headless sway with one 1280x720 output.

    `dbus=True` adds a D-Bus session bus of the desktop's own, run as the
    desktop's user (the accessibility bus launcher it starts on demand runs
    as that user too). `bindings` are sway key bindings, e.g.
    ("Ctrl+Shift+F8", "pixolet --action copy"); their commands run as the
    desktop's user with the clients' environment.
    """

    def __init__(self, dbus=False, bindings=()):
        self._want_bus = dbus
        self._bindings = list(bindings)
        self.bus = None
        self._sway = None
        self._sway_err = None
        self._programs = []
        self._pointer = None
        self._tmp = None
        self.runtime_dir = None
        self.home = None
        self.config_home = None
        self.wayland_display = None
        self.sway_socket = None
        self.uid = desktop_uid()

    # -- life cycle -------------------------------------------------------

    def __enter__(self):
        missing = missing_tools()
        if missing:
            raise DesktopError("missing tools: " + ", ".join(missing))
        # The test adopts what the compositor's commands leave behind
        # (sway's exec forks twice), so that nothing ends up under init.
        from session_bus import _become_subreaper
        _become_subreaper()
        self._tmp = Path(tempfile.mkdtemp(prefix="pixolet-wayland-"))
        try:
            # The user must reach what lies below; nothing here is secret.
            self._tmp.chmod(0o755)
            self.runtime_dir = self._tmp / "runtime"
            self.runtime_dir.mkdir(mode=0o700)
            self._own(self.runtime_dir)
            self._icons = self._tmp / "icons"
            blank_cursors.write_theme(self._icons)
            self.reset_home()
            self._start_sway()
            if self._want_bus:
                self.bus = SessionBus(self.env(), self.runtime_dir,
                                      command_prefix=as_user_prefix())
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        """Ends every program, the pointer, the bus and the compositor, by
        PID, and then whatever else still runs in this desktop's runtime
        directory (commands the compositor started). Returns the PIDs of
        those stragglers."""
        for program in reversed(self._programs):
            program.end()
        self._programs.clear()
        if self._pointer is not None:
            self._pointer.close()
            self._pointer = None
        if self.bus is not None:
            self.bus.close()
            self.bus = None
        if self._sway is not None:
            if self._sway.poll() is None:
                self._sway.send_signal(signal.SIGTERM)
                try:
                    self._sway.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    self._sway.kill()
                    self._sway.wait(timeout=5)
            self._sway = None
        if self._sway_err is not None:
            self._sway_err.close()
            self._sway_err = None
        stragglers = self._end_stragglers() if self.runtime_dir is not None else []
        if self._tmp is not None:
            shutil.rmtree(self._tmp, ignore_errors=True)
            self._tmp = None
        return stragglers

    def processes(self):
        """{pid: start time} of every process that runs in this desktop: its
        environment names the desktop's runtime directory, which no other
        desktop shares."""
        marker = f"XDG_RUNTIME_DIR={self.runtime_dir}".encode()
        found = {}
        for entry in os.listdir("/proc"):
            if entry.isdigit() and int(entry) != os.getpid():
                if marker in _environment_of(int(entry)):
                    start = _start_time(int(entry))
                    if start is not None:
                        found[int(entry)] = start
        return found

    def _end_stragglers(self, grace=5.0):
        found = {pid: start for pid, start in self.processes().items()
                 if process_info(pid) and process_info(pid)[2] != "Z"}
        for pid, start in found.items():
            if _start_time(pid) == start:
                os.kill(pid, signal.SIGTERM)
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline:
            alive = [pid for pid, start in found.items() if self._reap_or_alive(pid, start)]
            if not alive:
                break
            time.sleep(0.02)
        for pid, start in found.items():
            if self._reap_or_alive(pid, start):
                os.kill(pid, signal.SIGKILL)
                self._reap_or_alive(pid, start)
        return sorted(found)

    @staticmethod
    def _reap_or_alive(pid, start):
        """Reaps the process if it is an ended child of the test; whether it
        still runs."""
        try:
            os.waitpid(pid, os.WNOHANG)
        except ChildProcessError:
            pass
        info = process_info(pid)
        return info is not None and info[1] == start and info[2] != "Z"

    def _own(self, path):
        os.chown(path, self.uid, self.uid)

    def reset_home(self):
        """A new, empty HOME and config folder for the next programs."""
        self.home = Path(tempfile.mkdtemp(prefix="home-", dir=self._tmp))
        self.config_home = self.home / ".config"
        self.config_home.mkdir()
        for path in (self.home, self.config_home):
            self._own(path)
        return self.home

    @property
    def workdir(self):
        return self._tmp

    # -- the compositor ---------------------------------------------------

    def _base_env(self):
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": str(self.home),
            "XDG_CONFIG_HOME": str(self.config_home),
            "XDG_RUNTIME_DIR": str(self.runtime_dir),
            "XCURSOR_PATH": str(self._icons),
            "XCURSOR_THEME": blank_cursors.THEME_NAME,
            "XCURSOR_SIZE": str(blank_cursors.NOMINAL_SIZE),
            "LANG": "C.UTF-8",
        }
        # Sanitizer settings of the test run reach the programs. The Wayland
        # client library has no frame pointers: the fast unwinder stops
        # inside it, and a leak report would name neither the toolkit's
        # libraries (which the suppressions know) nor our own code above it.
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                env[name] = os.environ[name]
        env["ASAN_OPTIONS"] = ":".join(
            part for part in (env.get("ASAN_OPTIONS"), "fast_unwind_on_malloc=0") if part)
        return env

    def _config(self):
        lines = [
            "# Written by the Wayland test desktop.",
            "xwayland disable",
            f"output {OUTPUT_NAME} resolution {OUTPUT_WIDTH}x{OUTPUT_HEIGHT} position 0 0",
            "default_border none",
            "default_floating_border none",
            "focus_follows_mouse no",
            "mouse_warping none",
            f"seat seat0 xcursor_theme {blank_cursors.THEME_NAME} {blank_cursors.NOMINAL_SIZE}",
        ]
        for keys, command in self._bindings:
            lines.append(f"bindsym {keys} exec {command}")
        return "\n".join(lines) + "\n"

    def _start_sway(self, timeout=20.0):
        config = self._tmp / "sway.conf"
        config.write_text(self._config())
        env = self._base_env()
        env.update({
            "WLR_BACKENDS": "headless",
            "WLR_LIBINPUT_NO_DEVICES": "1",
            "WLR_RENDERER": "pixman",
            "WLR_HEADLESS_OUTPUTS": "1",
        })
        self._sway_err = open(self._tmp / "sway.stderr", "wb")
        self._sway = subprocess.Popen(
            [*as_user_prefix(), "sway", "-c", str(config)], env=env,
            stdin=subprocess.DEVNULL, stdout=self._sway_err, stderr=self._sway_err)

        def sockets():
            if self._sway.poll() is not None:
                raise DesktopError(f"sway ended ({self._sway.returncode}):\n" + self.sway_log())
            names = os.listdir(self.runtime_dir)
            wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
            ipc = [n for n in names if n.startswith("sway-ipc.") and n.endswith(".sock")]
            return (wayland[0], ipc[0]) if wayland and ipc else None

        # The runtime directory is the desktop's own: whatever socket name
        # sway takes in it is free, and it is the only one there.
        wayland, ipc = wait_until(sockets, timeout, message="sway made no sockets")
        self.wayland_display = wayland
        self.sway_socket = str(self.runtime_dir / ipc)
        wait_until(lambda: self.swaymsg_ok("-t", "get_version"), timeout,
                   message="sway does not answer on its IPC socket")
        wait_until(lambda: self.output_size() == (OUTPUT_WIDTH, OUTPUT_HEIGHT), timeout,
                   message=f"the output is not {OUTPUT_WIDTH}x{OUTPUT_HEIGHT}")

    def sway_log(self):
        try:
            return (self._tmp / "sway.stderr").read_text(errors="replace")[-4000:]
        except OSError:
            return ""

    def sway_running(self):
        return self._sway is not None and self._sway.poll() is None

    @property
    def sway_pid(self):
        return self._sway.pid

    # -- environment and programs -----------------------------------------

    def env(self, extra=None):
        """The environment of the desktop's clients: Wayland only, no
        DISPLAY, so no program falls back to an X server."""
        env = self._base_env()
        env.update({
            "QT_QPA_PLATFORM": "wayland",
            "NO_AT_BRIDGE": "1",
        })
        if self.wayland_display:
            env["WAYLAND_DISPLAY"] = self.wayland_display
            env["SWAYSOCK"] = self.sway_socket
        if self.bus is not None:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
            env["GSETTINGS_BACKEND"] = "memory"
        if extra:
            for name, value in extra.items():
                if value is None:
                    env.pop(name, None)
                else:
                    env[name] = value
        return env

    def start_program(self, args=(), binary=None, env=None, label=None):
        """Starts a client (PIXOLET_BIN unless `binary`) as the desktop's
        user; returns a desktop.Program whose pid is the client's own."""
        binary = binary or os.environ.get("PIXOLET_BIN")
        if not binary:
            raise DesktopError("PIXOLET_BIN is not set")
        label = label or f"{Path(binary).name}-{len(self._programs)}"
        program = Program([*as_user_prefix(), binary, *args], self.env(env), self._tmp, label)
        self._programs.append(program)
        return program

    def run(self, argv, env=None, timeout=10.0, check=False, text=True):
        """Runs a command as the desktop's user and waits for it."""
        return subprocess.run([*as_user_prefix(), *map(str, argv)], env=self.env(env),
                              stdin=subprocess.DEVNULL, capture_output=True, text=text,
                              timeout=timeout, check=check)

    def start_target(self, args=(), timeout=20.0):
        """Starts the colour target and waits until it fills the output and
        has the focus. Returns (program, tiles): tiles maps each tile's name
        to a dict with "rgb", "x", "y", "w", "h" in output coordinates, plus
        "marks" for the pattern tile."""
        binary = os.environ.get("PIXOLET_WL_TARGET")
        if not binary:
            raise DesktopError("PIXOLET_WL_TARGET is not set")
        program = self.start_program(list(args), binary=binary, label="target")
        line = program.wait_for_line("ready ", timeout)
        info = json.loads(line[len("ready "):])
        if (info["width"], info["height"]) != (OUTPUT_WIDTH, OUTPUT_HEIGHT):
            raise DesktopError(f"the target is {info['width']}x{info['height']}")
        # The compositor's view of it: full-screen, focused, over the output.
        wait_until(lambda: (self.window_of(program.pid) or {}).get("fullscreen")
                   and self.focused_pid() == program.pid, timeout,
                   message="sway does not show the target full-screen and focused")
        return program, {tile["name"]: tile for tile in info["tiles"]}

    # -- sway's IPC -------------------------------------------------------

    def swaymsg(self, *args, timeout=10.0):
        result = self.run(["swaymsg", "-s", self.sway_socket, "-r", *args], timeout=timeout)
        if result.returncode != 0:
            raise DesktopError(f"swaymsg {' '.join(args)}: {result.stdout}{result.stderr}")
        return json.loads(result.stdout) if result.stdout.strip() else None

    def swaymsg_ok(self, *args):
        try:
            self.swaymsg(*args)
            return True
        except (DesktopError, subprocess.TimeoutExpired, ValueError):
            return False

    def output_size(self):
        for output in self.swaymsg("-t", "get_outputs"):
            if output["name"] == OUTPUT_NAME and output.get("active"):
                return output["rect"]["width"], output["rect"]["height"]
        return None

    def windows(self):
        """The windows of sway's tree: dicts with "pid", "rect", "focused",
        "visible", "fullscreen" and "name"."""
        found = []

        def walk(node):
            if node.get("pid"):
                found.append({"pid": node["pid"], "rect": node["rect"],
                              "focused": node.get("focused", False),
                              "visible": node.get("visible", False),
                              "fullscreen": node.get("fullscreen_mode", 0) != 0,
                              "name": node.get("name")})
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)

        walk(self.swaymsg("-t", "get_tree"))
        return found

    def window_of(self, pid):
        for window in self.windows():
            if window["pid"] == pid:
                return window
        return None

    def focused_pid(self):
        for window in self.windows():
            if window["focused"]:
                return window["pid"]
        return None

    def focus(self, pid, timeout=10.0):
        self.swaymsg(f"[pid={pid}] focus")
        wait_until(lambda: self.focused_pid() == pid, timeout,
                   message=f"the window of {pid} did not get the focus")

    # -- input ------------------------------------------------------------

    def pointer(self):
        """The desktop's mouse, plugged in on first use and parked at the
        output's centre."""
        if self._pointer is None:
            binary = os.environ.get("PIXOLET_WL_POINTER")
            if not binary:
                raise DesktopError("PIXOLET_WL_POINTER is not set")
            centre = (OUTPUT_WIDTH // 2, OUTPUT_HEIGHT // 2)
            self._pointer = VirtualPointer(
                [*as_user_prefix(), binary, "--extent", f"{OUTPUT_WIDTH}x{OUTPUT_HEIGHT}",
                 "--at", *map(str, centre)],
                self.env(), self._tmp)
            self._pointer.position = centre
        return self._pointer

    def move_pointer(self, x, y, steps=12, rate=250):
        """Moves the pointer there as a hand moves a mouse: `steps` reports
        at `rate` a second, returning once the compositor has taken them."""
        self.pointer().move(x, y, steps, rate)

    def click(self, button=1):
        self.pointer().click(button)

    def button_down(self, button=1):
        self.pointer().press(button)

    def button_up(self, button=1):
        self.pointer().release(button)

    def key(self, combo, timeout=10.0):
        """Types a key combination such as "ctrl+c" or "Escape" with a
        virtual keyboard that exists only while wtype runs."""
        result = self.run(["wtype", "-s", str(KEYBOARD_SETTLE_MS), *key_arguments(combo)],
                          timeout=timeout)
        if result.returncode != 0:
            raise DesktopError(f"wtype {combo}: {result.stderr}")

    def type(self, text, timeout=10.0):
        result = self.run(["wtype", "-s", str(KEYBOARD_SETTLE_MS), "-d", "10", "--", text],
                          timeout=timeout)
        if result.returncode != 0:
            raise DesktopError(f"wtype: {result.stderr}")

    # -- output -----------------------------------------------------------

    def screenshot(self, region=None):
        """The output (or a region (x, y, w, h) of it) as a pnm.Image."""
        args = ["grim", "-t", "ppm"]
        if region is not None:
            x, y, w, h = region
            args += ["-g", f"{x},{y} {w}x{h}"]
        else:
            args += ["-o", OUTPUT_NAME]
        result = self.run([*args, "-"], timeout=20, text=False)
        if result.returncode != 0:
            raise DesktopError("grim: " + result.stderr.decode(errors="replace"))
        return pnm.parse(result.stdout)

    def pixel(self, x, y):
        return self.screenshot((x, y, 1, 1)).pixel(0, 0)

    def clipboard_text(self, timeout=5.0):
        """The clipboard's text, or None when nobody offers text."""
        try:
            result = self.run(["wl-paste", "--no-newline", "--type", "text"],
                              timeout=timeout, text=False)
        except subprocess.TimeoutExpired:
            return None
        if result.returncode != 0:
            return None
        return result.stdout.decode("utf-8", errors="replace")

    def set_clipboard(self, text, timeout=10.0):
        """Puts `text` on the clipboard, offered by a wl-copy of the
        desktop's own (ended by PID with the desktop, or when another
        program takes the clipboard)."""
        program = self.start_program(["--foreground", "--type", "text/plain", text],
                                     binary=shutil.which("wl-copy"), label="wl-copy")
        wait_until(lambda: self.clipboard_text() == text, timeout,
                   message=f"the clipboard did not take {text!r}")
        return program

    # -- settings store ---------------------------------------------------

    def store_path(self):
        return self.config_home / "pixolet" / "registry.reg"

    def read_store(self):
        try:
            data = self.store_path().read_bytes()
        except FileNotFoundError:
            return None
        if data.startswith(b"\xef\xbb\xbf"):
            data = data[3:]
        return data.decode("utf-8", errors="replace")

    def seed_store(self, text):
        """Writes the store file as the desktop's user would."""
        path = self.store_path()
        path.parent.mkdir(parents=True, exist_ok=True)
        self._own(path.parent)
        path.write_bytes(text.encode("utf-8") if isinstance(text, str) else text)
        self._own(path)
        return path
