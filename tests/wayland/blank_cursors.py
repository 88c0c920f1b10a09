"""A cursor theme whose every cursor is one transparent pixel.

The headless compositor draws its cursor in software, into every capture of
the screen. With this theme set for the compositor and for the clients, the
cursor is there (the pointer enters and leaves surfaces as with a real
mouse) but paints nothing, so captures show only what the clients drew.
"""

import struct
from pathlib import Path

THEME_NAME = "pixolet-blank"
NOMINAL_SIZE = 24

# Cursor names asked for by compositors and toolkits: the X cursor font's
# names and the CSS names that newer toolkits use.
CURSOR_NAMES = (
    "default", "left_ptr", "arrow", "top_left_arrow", "right_ptr", "context-menu",
    "help", "question_arrow", "whats_this", "pointer", "hand", "hand1", "hand2",
    "pointing_hand", "progress", "left_ptr_watch", "half-busy", "wait", "watch",
    "cell", "plus", "crosshair", "cross", "tcross", "cross_reverse", "diamond_cross",
    "text", "xterm", "ibeam", "vertical-text", "alias", "dnd-link", "link", "copy",
    "dnd-copy", "move", "dnd-move", "fleur", "all-scroll", "size_all", "grab",
    "openhand", "grabbing", "closedhand", "dnd-none", "no-drop", "not-allowed",
    "crossed_circle", "forbidden", "col-resize", "split_h", "sb_h_double_arrow",
    "row-resize", "split_v", "sb_v_double_arrow", "n-resize", "top_side", "e-resize",
    "right_side", "s-resize", "bottom_side", "w-resize", "left_side", "ne-resize",
    "top_right_corner", "nw-resize", "top_left_corner", "se-resize",
    "bottom_right_corner", "sw-resize", "bottom_left_corner", "ew-resize",
    "h_double_arrow", "size_hor", "ns-resize", "v_double_arrow", "size_ver",
    "nesw-resize", "fd_double_arrow", "size_bdiag", "nwse-resize", "bd_double_arrow",
    "size_fdiag", "zoom-in", "zoom-out", "pencil", "draft", "X_cursor", "pirate",
    "circle", "dotbox", "target", "icon", "center_ptr", "up_arrow", "sb_up_arrow",
    "sb_down_arrow", "sb_left_arrow", "sb_right_arrow", "ul_angle", "ur_angle",
    "ll_angle", "lr_angle", "color-picker", "dnd-ask", "dnd-no-drop",
)

_IMAGE_TYPE = 0xFFFD0002
_FILE_HEADER = 16
_TOC_ENTRY = 12
_IMAGE_HEADER = 36


def cursor_file():
    """An Xcursor file with one 1x1 image, fully transparent."""
    header = struct.pack("<4sIII", b"Xcur", _FILE_HEADER, 0x10000, 1)
    toc = struct.pack("<III", _IMAGE_TYPE, NOMINAL_SIZE, _FILE_HEADER + _TOC_ENTRY)
    image = struct.pack(
        "<IIIIIIIIII",
        _IMAGE_HEADER, _IMAGE_TYPE, NOMINAL_SIZE, 1,  # header, type, size, version
        1, 1, 0, 0, 0,  # width, height, hot spot x and y, delay
        0x00000000,  # one ARGB pixel, transparent
    )
    return header + toc + image


def write_theme(icons_dir):
    """Writes the theme under `icons_dir` (a directory for XCURSOR_PATH);
    returns the theme's name."""
    theme = Path(icons_dir) / THEME_NAME
    cursors = theme / "cursors"
    cursors.mkdir(parents=True, exist_ok=True)
    (theme / "index.theme").write_text(
        f"[Icon Theme]\nName={THEME_NAME}\nComment=Transparent cursors for tests\n")
    data = cursor_file()
    for name in CURSOR_NAMES:
        (cursors / name).write_bytes(data)
    return THEME_NAME
