"""A private D-Bus session bus for one test desktop.

The bus daemon is a child of the test; the services that it starts on demand
(the accessibility bus launcher with its own bus daemon, the accessibility
registry) are its descendants. They are found through /proc and ended by PID,
never by name, so that buses of other test runs and of the machine are left
alone.
"""

import ctypes
import os
import re
import signal
import subprocess
import time

from report_pipe import read_reported_line


PR_SET_CHILD_SUBREAPER = 36


class BusError(RuntimeError):
    pass


def _become_subreaper():
    """Makes the calling process adopt its orphaned descendants. Run in the
    bus daemon's process before it starts: the services it starts leave their
    intermediate parent behind (a double fork), and would otherwise end up
    under the machine's init, out of our sight. The setting holds across
    exec."""
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "prctl(PR_SET_CHILD_SUBREAPER)")


def _process_table():
    """{pid: (parent pid, start time, state)} of every process in /proc."""
    table = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            info = process_info(int(entry))
            if info is not None:
                table[int(entry)] = info
    return table


def process_info(pid):
    """(parent pid, start time, state) of a process, or None when it is gone."""
    try:
        with open(f"/proc/{pid}/stat", "rb") as stat:
            text = stat.read().decode(errors="replace")
    except OSError:
        return None
    # The command name may hold spaces and parentheses; the fields after it
    # are plain: state, parent pid, ... start time is the 20th of them.
    fields = text[text.rfind(")") + 2:].split()
    if len(fields) < 20:
        return None
    return int(fields[1]), int(fields[19]), fields[0]


def descendants(root):
    """{pid: start time} of every process below `root` (root excluded)."""
    children = {}
    for pid, (parent, start, _) in _process_table().items():
        children.setdefault(parent, []).append((pid, start))
    found = {}
    queue = [root]
    while queue:
        for pid, start in children.get(queue.pop(), ()):
            if pid not in found:
                found[pid] = start
                queue.append(pid)
    return found


def _alive(pid, start):
    """Whether the process `pid` that started at `start` still runs; a zombie
    has ended, and a new process under a reused PID is another one."""
    info = process_info(pid)
    return info is not None and info[1] == start and info[2] != "Z"


def _exists(pid, start):
    """Whether the process is still in the process table, zombie or not."""
    info = process_info(pid)
    return info is not None and info[1] == start


def _reap(pid):
    """Collects the exit status of a child of the test process that has
    ended; any other process is left alone."""
    try:
        os.waitpid(pid, os.WNOHANG)
    except ChildProcessError:
        pass


def _signal(pid, start, signum):
    if _alive(pid, start):
        try:
            os.kill(pid, signum)
        except ProcessLookupError:
            pass


class SessionBus:
    """dbus-daemon --session on a socket in `socket_dir`, started with `env`.

    `command_prefix` goes before the daemon's command line, e.g. to run it
    as another user; the prefix must exec the daemon in its own process."""

    def __init__(self, env, socket_dir, timeout=20.0, command_prefix=()):
        # The test process adopts what remains below the daemon when the
        # daemon ends, so that it can reap it rather than leave zombies to
        # the machine's init.
        _become_subreaper()
        self._prefix = list(command_prefix)
        read_end, write_end = os.pipe()
        try:
            self._proc = subprocess.Popen(
                [*command_prefix, "dbus-daemon", "--session", "--nofork", "--nopidfile", "--nosyslog",
                 f"--address=unix:dir={socket_dir}", f"--print-address={write_end}"],
                env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, pass_fds=(write_end,),
                preexec_fn=_become_subreaper,
            )
            os.close(write_end)
            write_end = None
            # The daemon writes its address, one line, once it listens.
            self.address = read_reported_line(read_end, self._proc, timeout, BusError,
                                              "its address")
        except BaseException:
            if write_end is not None:
                os.close(write_end)
            if hasattr(self, "_proc"):
                self.close()
            raise
        finally:
            os.close(read_end)
        self.pid = self._proc.pid

    def running(self):
        return self._proc.poll() is None

    def descendants(self):
        """{pid: start time} of the services the bus has started, and theirs."""
        return descendants(self._proc.pid) if self.running() else {}

    def close(self, grace=5.0):
        """Ends the daemon and every process below it.

        The daemon is stopped first, so that it starts nothing more, and so is
        each descendant found, until a walk of /proc finds no new one; only
        then are they all told to end. Returns the PIDs that had to be killed.
        """
        if self._proc.poll() is not None:
            return []
        daemon = self._proc.pid
        os.kill(daemon, signal.SIGSTOP)
        tree = {}
        for _ in range(20):
            new = {pid: start for pid, start in descendants(daemon).items() if pid not in tree}
            if not new:
                break
            for pid, start in new.items():
                _signal(pid, start, signal.SIGSTOP)
            tree.update(new)
        for pid, start in tree.items():
            _signal(pid, start, signal.SIGTERM)
            _signal(pid, start, signal.SIGCONT)
        self._proc.send_signal(signal.SIGTERM)
        self._proc.send_signal(signal.SIGCONT)

        killed = []
        if not self._wait(tree, grace, _alive):
            for pid, start in tree.items():
                if _alive(pid, start):
                    killed.append(pid)
                    _signal(pid, start, signal.SIGKILL)
            if self._proc.poll() is None:
                killed.append(daemon)
                self._proc.kill()
            self._wait(tree, grace, _alive)
        self._proc.wait(timeout=grace)
        # The ended services were adopted by the test process (see
        # __init__): reap them, so that no zombie is left either.
        self._wait(tree, grace, _exists)
        return killed

    def _wait(self, tree, grace, still_there):
        """Polls until the daemon has ended and `still_there` holds for no
        process of `tree`, reaping what the test process may reap; False when
        `grace` runs out first."""
        deadline = time.monotonic() + grace
        while True:
            for pid in tree:
                _reap(pid)
            if self._proc.poll() is not None and not any(
                    still_there(pid, start) for pid, start in tree.items()):
                return True
            if time.monotonic() >= deadline:
                return False
            time.sleep(0.02)

    def accessible_processes(self, env, timeout=5.0):
        """Process ids of the applications on the accessibility bus, as the
        bus daemon knows them (asking the applications could hang). Asked as
        the daemon's user, the only one it lets in."""

        def call(address_args, dest, path, method, *args):
            result = subprocess.run(
                [*self._prefix, "gdbus", "call", *address_args, "--dest", dest,
                 "--object-path", path, "--method", method, *args],
                env=env, capture_output=True, text=True, timeout=timeout)
            return result.stdout if result.returncode == 0 else ""

        answer = call(["--session"], "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress")
        match = re.search(r"'([^']+)'", answer)
        if not match:
            return set()
        a11y = ["--address", match.group(1)]
        children = call(a11y, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root",
                        "org.a11y.atspi.Accessible.GetChildren")
        pids = set()
        for name in set(re.findall(r"'(:[0-9.]+)'", children)):
            answer = call(a11y, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                          "org.freedesktop.DBus.GetConnectionUnixProcessID", name)
            match = re.search(r"uint32 (\d+)", answer)
            if match:
                pids.add(int(match.group(1)))
        return pids
