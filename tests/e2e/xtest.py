"""Pointer motion through the XTEST extension, by ctypes.

`xdotool mousemove` warps the pointer, and a warp is no motion to programs
that listen to raw input events; a faked motion goes through the server's
input path like a real mouse would.
"""

import ctypes
import ctypes.util


class XTestPointer:
    def __init__(self, display_name):
        self._x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self._xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self._xtst.XTestFakeMotionEvent.argtypes = [
            ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
        self._display = self._x11.XOpenDisplay(display_name.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display_name}")

    def move(self, x, y):
        # Screen -1: the screen the pointer is on.
        if not self._xtst.XTestFakeMotionEvent(self._display, -1, x, y, 0):
            raise RuntimeError("XTestFakeMotionEvent failed")
        self._x11.XSync(self._display, 0)

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None
