"""Reads the settings store's REGEDIT text well enough for assertions.

Keys and value names compare without regard to letter case, as the store does;
each value is kept as its raw data text (`dword:00000004`, `"text"`, `hex:..`).
"""


def parse(text):
    """{lower-case key path: {lower-case value name: raw data}}; bad lines skipped."""
    keys = {}
    current = None
    for line in _logical_lines(text):
        stripped = line.strip()
        if not stripped or stripped.startswith(";"):
            continue
        if stripped.startswith("[") and stripped.endswith("]"):
            current = keys.setdefault(stripped[1:-1].lower(), {})
            continue
        if current is None:
            continue
        name, data = _split_value(stripped)
        if name is not None:
            current[name.lower()] = data
    return keys


def _logical_lines(text):
    pending = ""
    for line in text.replace("\r\n", "\n").split("\n"):
        if line.endswith("\\") and not line.rstrip().endswith('"'):
            pending += line[:-1].strip()
            continue
        yield pending + (line.strip() if pending else line)
        pending = ""
    if pending:
        yield pending


def _split_value(line):
    if line.startswith("@="):
        return "@", line[2:]
    if not line.startswith('"'):
        return None, None
    at = 1
    name = []
    while at < len(line):
        char = line[at]
        if char == "\\" and at + 1 < len(line):
            name.append(line[at + 1])
            at += 2
            continue
        if char == '"':
            break
        name.append(char)
        at += 1
    else:
        return None, None
    rest = line[at + 1:]
    if not rest.startswith("="):
        return None, None
    return "".join(name), rest[1:]
