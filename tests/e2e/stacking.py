"""The stacking order of the screen's top-level windows, by ctypes.

Answers what the window manager's own lists cannot: where a window that the
window manager does not manage (override-redirect) stands among the others.
"""

import ctypes
import ctypes.util


class _WindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int),
        ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong),
        ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


IS_VIEWABLE = 2
INPUT_OUTPUT = 1
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class Stacking:
    """Top-level windows of a display, bottom first."""

    def __init__(self, display_name):
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XQueryTree.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
            ctypes.POINTER(ctypes.c_uint)]
        x11.XGetWindowAttributes.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_WindowAttributes)]
        x11.XFree.argtypes = [ctypes.c_void_p]
        x11.XLowerWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
        x11.XSetErrorHandler.restype = ctypes.c_void_p
        self._x11 = x11
        # A window may vanish between the list and the question about it.
        self._ignore = _ERROR_HANDLER(lambda display, event: 0)
        x11.XSetErrorHandler(self._ignore)
        self._display = x11.XOpenDisplay(display_name.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display_name}")

    def windows(self):
        """[(wid, shown, managed)] bottom first: `shown` for a viewable window
        that paints (InputOutput), `managed` for one that is not
        override-redirect."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        x11 = self._x11
        if not x11.XQueryTree(self._display, x11.XDefaultRootWindow(self._display),
                              ctypes.byref(root), ctypes.byref(parent),
                              ctypes.byref(children), ctypes.byref(count)):
            return []
        try:
            ids = [children[i] for i in range(count.value)]
        finally:
            if children:
                x11.XFree(children)
        result = []
        for wid in ids:
            a = _WindowAttributes()
            if not x11.XGetWindowAttributes(self._display, wid, ctypes.byref(a)):
                continue
            shown = a.map_state == IS_VIEWABLE and a.class_ == INPUT_OUTPUT
            result.append((wid, shown, not a.override_redirect))
        return result

    def lower(self, wid):
        """Puts a window below all its siblings, as another program may."""
        self._x11.XLowerWindow(self._display, wid)
        self._x11.XSync(self._display, 0)

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None
