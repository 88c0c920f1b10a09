"""The Linux test desktop with a fresh Wine prefix: Windows programs on it.

A WineDesktop is a TestDesktop (Xvfb, openbox, trayer) whose programs run
under Wine in a prefix of its own, booted once and served by one wineserver
for every case of a run. It starts pixolet.exe and the tests' Win32 programs
by PID, seeds and reads the settings key through `wine reg` (which talks to
the running wineserver; user.reg is only written when it exits), and finds
the tray icons that Wine's shell docks into trayer. Closing it ends exactly
the processes it started, then this prefix's wineserver.
"""

import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))
from desktop import SETTINGS_KEY, DesktopError, Program, TestDesktop  # noqa: E402

TRAY_ICON_MAX = 32
# Fresh prefixes tried before a desktop gives up on booting Wine.
BOOT_ATTEMPTS = 3
WINE_CRASH_MARKERS = ("Unhandled exception", "Unhandled page fault", "wine: Call from",
                      "Assertion failed", "terminate called")


def _first_executable(candidates, what):
    for candidate in candidates:
        if os.access(candidate, os.X_OK):
            return candidate
    raise DesktopError(f"no {what} found")


def wine_binary():
    return _first_executable(("/usr/lib/wine/wine64", "/usr/bin/wine64", "/usr/bin/wine"),
                             "wine64")


def wineserver_binary():
    return _first_executable(("/usr/lib/wine/wineserver64", "/usr/lib/wine/wineserver",
                              "/usr/bin/wineserver"), "wineserver")


def windows_path(path):
    """The Z: drive path under which Wine sees a Unix path."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class WineProgram(Program):
    """A Windows program started through Wine.

    Its Unix PID is that of the Windows process (Wine's loader runs the
    program in the process it was started as), so X windows found by
    _NET_WM_PID belong to it, and the exit code is the program's own.
    """

    def __init__(self, argv, env, workdir, label, desktop):
        super().__init__(argv, env, workdir, label)
        self._desktop = desktop

    def terminate(self, timeout=10.0):
        """Closes the program as the system would (WM_CLOSE to its windows,
        through taskkill by image name) and returns its exit code, or None
        when it has not ended within `timeout`."""
        if self.running():
            self._desktop.wine("taskkill", "/im", Path(self.argv[1]).name, timeout=30)
        return self.wait_exit(timeout)


class WineDesktop(TestDesktop):
    # A panel of fixed width that never moves. When trayer's panel grows to
    # the left as an icon docks, Wine is not told that the icon's window
    # moved along with it on the screen: it keeps the icon at its old place,
    # sends the pointer's input there to other windows and never paints the
    # icon. Room for two icons, so that a second one would be seen.
    TRAYER_WIDTH = ("--widthtype", "pixel", "--width", "48")

    def __init__(self, exe=None, **options):
        super().__init__(**options)
        self.exe = Path(exe or os.environ.get("PIXOLET_EXE", "build/windows/bin/pixolet.exe"))
        self.wine_path = wine_binary()
        self.prefix = None

    def __enter__(self):
        super().__enter__()
        try:
            self._boot_prefix()
        except BaseException:
            self.close()
            raise
        return self

    def _boot_prefix(self):
        """Makes and boots a fresh prefix, trying a new one when a boot fails.

        Wine's first boot of a prefix has been seen, rarely, to end with 1
        and not a word on its output, while a boot of another fresh prefix
        right after it went through. The failure is in setting Wine up, not
        in the programs under test, so a failed prefix is ended and removed
        and a new one is made. Each try keeps Wine's error messages, and all
        of them are reported when every try has failed."""
        failures = []
        for attempt in range(1, BOOT_ATTEMPTS + 1):
            self.prefix = self.workdir / f"wineprefix-{attempt}"
            boot = self.wine("wineboot", "-i", timeout=180, env={"WINEDEBUG": "-all,err+all"})
            if boot.returncode == 0:
                return
            failures.append(f"try {attempt}: exit code {boot.returncode}\n"
                            f"{boot.stdout}{boot.stderr}".rstrip())
            self._end_wineserver()
            shutil.rmtree(self.prefix, ignore_errors=True)
        self.prefix = None
        raise DesktopError("wineboot failed on every fresh prefix:\n" + "\n".join(failures))

    def _end_wineserver(self):
        """Ends this prefix's wineserver with whatever Wine started in it."""
        for flag in ("-k", "-w"):
            subprocess.run([wineserver_binary(), flag], env=self.wine_env(),
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30, check=False)

    def close(self):
        # The programs first (by PID, as the base class does), then the
        # wineserver of this prefix.
        programs, self._programs = self._programs, []
        for program in reversed(programs):
            program.end()
        if self.prefix is not None and self.prefix.exists():
            self._end_wineserver()
        self.prefix = None
        super().close()

    def wine_env(self, extra=None):
        env = {
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        }
        env.update(extra or {})
        return self.env(env)

    def reset_home(self):
        """Fresh settings for the next programs: on Windows they live in the
        registry, so the settings key goes as well."""
        home = super().reset_home()
        if self.prefix is not None:
            self.wine("reg", "delete", SETTINGS_KEY, "/f")
        return home

    # -- programs ---------------------------------------------------------

    def wine(self, *args, timeout=60, env=None):
        """Runs a Wine command to its end: CompletedProcess with text output."""
        # Output goes through files, not pipes: a wineserver started by this
        # command inherits the descriptors and would hold a pipe open.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.Popen([self.wine_path, *map(str, args)], env=self.wine_env(env),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=err)
            try:
                code = proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
                raise
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(proc.args, code,
                                               out.read().decode(errors="replace"),
                                               err.read().decode(errors="replace"))

    def start_program(self, args=(), binary=None, env=None, label=None):
        """Starts a Windows program (pixolet.exe unless `binary`) under Wine."""
        exe = Path(binary or self.exe)
        label = label or f"{exe.stem}-{len(self._programs)}"
        program = WineProgram([self.wine_path, str(exe), *args], self.wine_env(env),
                              self.workdir, label, self)
        self._programs.append(program)
        return program

    def start_fixture(self, timeout=30.0):
        """The colour target, as TestDesktop.start_fixture starts the Linux one."""
        saved = os.environ.get("PIXOLET_FIXTURE")
        os.environ["PIXOLET_FIXTURE"] = os.environ.get("PIXOLET_WIN_TARGET", "")
        try:
            return super().start_fixture(timeout)
        finally:
            if saved is None:
                os.environ.pop("PIXOLET_FIXTURE")
            else:
                os.environ["PIXOLET_FIXTURE"] = saved

    def start_dialog_client(self):
        """The client of the system colour dialog, once its dialog exists."""
        binary = os.environ.get("PIXOLET_WIN_DIALOG")
        if not binary:
            raise DesktopError("PIXOLET_WIN_DIALOG is not set")
        program = self.start_program([], binary=binary, label=f"dialog-{len(self._programs)}")
        program.wait_for_line("ready", 30)
        return program

    # -- settings in the registry -------------------------------------------

    def seed_store(self, text):
        """Imports REGEDIT text (str or bytes) into the registry."""
        path = Path(tempfile.mkstemp(suffix=".reg", dir=self.workdir)[1])
        path.write_bytes(text.encode("utf-8") if isinstance(text, str) else text)
        result = self.wine("reg", "import", windows_path(path))
        if result.returncode != 0:
            raise DesktopError(f"reg import failed: {result.stdout}{result.stderr}")
        return path

    def read_store(self):
        """The settings key as REGEDIT text, or None when there is no key."""
        path = self.workdir / "export.reg"
        path.unlink(missing_ok=True)
        if self.wine("reg", "export", SETTINGS_KEY, windows_path(path), "/y").returncode != 0:
            return None
        data = path.read_bytes()
        if data.startswith(b"\xff\xfe"):
            return data[2:].decode("utf-16-le")
        return data.decode("utf-8", errors="replace")

    def reg_values(self, key=SETTINGS_KEY):
        """{value name: (type, data text)} of a key as `reg query` lists it,
        or None when the key is missing."""
        result = self.wine("reg", "query", key)
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
        return values

    # -- the tray ---------------------------------------------------------

    def tray_icons(self):
        """(wid, centre x, centre y) of every icon shown inside trayer.

        Wine's shell, not the program, owns the docked icon windows, so they
        are found below trayer's panel rather than by the program's PID.
        """
        icons, parents = [], set()
        for panel in self.window_ids(name="^panel$", class_="trayer"):
            tree = self._run(["xwininfo", "-tree", "-id", str(panel)], check=False).stdout
            for line in tree.splitlines():
                words = line.split()
                if not words or not words[0].startswith("0x"):
                    continue
                wid = int(words[0], 16)
                info = self._run(["xwininfo", "-stats", "-children", "-id", str(wid)],
                                 check=False).stdout
                if "IsViewable" not in info:
                    continue
                x, y, w, h = self.window_geometry(wid)
                if w <= TRAY_ICON_MAX and h <= TRAY_ICON_MAX and w > 1 and h > 1:
                    icons.append((wid, x + w // 2, y + h // 2))
                    parents.update(int(line.split()[3], 16) for line in info.splitlines()
                                   if "Parent window id:" in line)
        # Trayer's socket holds Wine's icon window: one icon, the inner one.
        return [icon for icon in icons if icon[0] not in parents]

