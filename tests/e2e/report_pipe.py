"""Reading the one line that a starting server writes to a pipe once it
listens (Xvfb's display number, dbus-daemon's address)."""

import os
import select
import time


def read_reported_line(read_end, proc, timeout, error, what):
    """The line `proc` writes to `read_end`, without its line end.

    Raises `error` when the process ends, closes the pipe or says nothing
    within `timeout` seconds; `what` names the line in the message.
    """
    text = b""
    deadline = time.monotonic() + timeout
    while not text.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or proc.poll() is not None:
            raise error(f"{proc.args[0]} did not report {what}")
        ready, _, _ = select.select([read_end], [], [], min(left, 0.5))
        if ready:
            chunk = os.read(read_end, 4096)
            if not chunk:
                raise error(f"{proc.args[0]} closed the pipe before reporting {what}")
            text += chunk
    return text.decode().strip()
