#!/usr/bin/env bash
# Checks the packages that scripts/package.sh made:
#   check-package.sh [DEB [ZIP]]     (default: the ones in dist/)
# The Debian package passes lintian without errors and holds the program, its
# desktop entry (desktop-file-validate), AppStream metadata (appstreamcli),
# icons and manual page; unpacked into a temporary folder its program answers
# --version and --help without a display. The zip holds pixolet.exe, a PE
# program for x86-64 that needs no DLL besides the system's, and README.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(Pixolet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=${1:-dist/pixolet_${version}_amd64.deb}
zip=${2:-dist/pixolet-${version}-windows-x64.zip}
app_id=example.velmora.Pixolet

failures=0
fail() { echo "check-package: FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "check-package: ok: $*"; }

work=$(mktemp -d /tmp/pixolet-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

# --- Debian package ---------------------------------------------------------
[[ -f $deb ]] || { echo "check-package: no $deb (run scripts/package.sh)" >&2; exit 1; }

lintian_out=$work/lintian.txt
lintian --fail-on error --tag-display-limit 0 "$deb" >"$lintian_out" 2>&1 ||
  fail "lintian reports errors"
sed 's/^/  lintian: /' "$lintian_out"
((failures)) || pass "lintian: no errors ($(grep -c '^W:' "$lintian_out" || true) warnings)"

dpkg-deb -x "$deb" "$work/root"
expected=(
  usr/bin/pixolet
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/man/man1/pixolet.1.gz
  usr/share/doc/pixolet/copyright
  usr/share/doc/pixolet/changelog.gz
  usr/share/icons/hicolor/scalable/apps/pixolet.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/pixolet.png")
done
for path in "${expected[@]}"; do
  [[ -f $work/root/$path ]] || fail "the package lacks /$path"
done
for size in 16 48 256; do
  png=$work/root/usr/share/icons/hicolor/${size}x${size}/apps/pixolet.png
  [[ -f $png ]] && python3 - "$png" "$size" <<'PY' || fail "icon $size x $size is not a $size x $size PNG"
import struct, sys
data = open(sys.argv[1], "rb").read()
size = int(sys.argv[2])
assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
assert struct.unpack(">II", data[16:24]) == (size, size)
PY
done
pass "package contents"

desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
grep -qx 'Exec=pixolet' "$work/root/usr/share/applications/$app_id.desktop" ||
  fail "desktop entry does not start pixolet"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/as.txt" 2>&1 ||
  { cat "$work/as.txt"; fail "AppStream metadata"; }
pass "desktop entry and AppStream metadata validate"

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libx11-6* ]] ||
  fail "Depends does not name the program's libraries: '$depends'"

program=$work/root/usr/bin/pixolet
got=$(env -u DISPLAY "$program" --version) || fail "pixolet --version exits with $?"
[[ $got == "Pixolet $version" ]] || fail "pixolet --version printed '$got'"
help=$(env -u DISPLAY "$program" --help) || fail "pixolet --help exits with $?"
[[ $help == *NOSPLASH* && $help == *Ctrl+C* && $help == *registry.reg* ]] ||
  fail "pixolet --help lacks the switch, shortcuts or settings file"
pass "unpacked pixolet answers --version ('$got') and --help"

# --- Windows zip ------------------------------------------------------------
if [[ -f $zip ]]; then
  before=$failures
  python3 - "$zip" "$work/zip" <<'PY' || fail "zip layout"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    names = [n for n in z.namelist() if not n.endswith("/")]
    base = {n.rsplit("/", 1)[-1]: n for n in names}
    assert set(base) == {"pixolet.exe", "README.txt"}, names
    z.extractall(sys.argv[2])
    exe = z.read(base["pixolet.exe"])
    pe = int.from_bytes(exe[0x3C:0x40], "little")
    assert exe[:2] == b"MZ" and exe[pe:pe + 4] == b"PE\0\0", "not a PE file"
    assert exe[pe + 4:pe + 6] == b"\x64\x86", "not x86-64"
    assert b"\r\n" in z.read(base["README.txt"]), "README.txt lacks CRLF line ends"
PY
  exe=$(find "$work/zip" -name pixolet.exe 2>/dev/null | head -n1 || true)
  if [[ -n $exe ]] && command -v x86_64-w64-mingw32-objdump >/dev/null; then
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    foreign=$(grep -Ev '^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|version|msvcrt|ole32|oleaut32|imm32|uxtheme|wtsapi32|ucrtbase|api-ms-win-.*)\.dll$' <<<"$dlls" || true)
    [[ -z $foreign ]] || fail "pixolet.exe needs DLLs that Windows lacks: $foreign"
  fi
  if ((failures == before)); then
    pass "Windows zip holds a static x86-64 pixolet.exe and README.txt"
  fi
else
  fail "no $zip"
fi

if ((failures)); then
  echo "check-package: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package: all checks passed"
