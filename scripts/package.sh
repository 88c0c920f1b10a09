#!/usr/bin/env bash
# Builds the Debian package and the Windows zip into dist/ and prints their
# sizes:
#   dist/pixolet_<version>_amd64.deb
#   dist/pixolet-<version>-windows-x64.zip
# The builds go to build/package-linux and build/package-windows (without the
# tests), or to the folders named by PIXOLET_LINUX_BUILD and
# PIXOLET_WINDOWS_BUILD, which may be configured builds of their own presets.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_NOHASHDIR=1

# The Windows cross build and the package tools are in the test group.
scripts/install-deps.sh --test >&2

linux_build=${PIXOLET_LINUX_BUILD:-build/package-linux}
windows_build=${PIXOLET_WINDOWS_BUILD:-build/package-windows}

# Configures a build folder that is not configured yet, builds it and packs it
# with the given CPack generator; prints the package's path.
pack() {
  local preset=$1 dir=$2 generator=$3
  if [[ ! -f $dir/CMakeCache.txt ]]; then
    cmake --preset "$preset" -B "$dir" -DPIXOLET_TESTS=OFF >&2
  else
    cmake "$dir" >&2
  fi
  cmake --build "$dir" -j2 >&2
  rm -rf "$dir/packages"
  (cd "$dir" && cpack -G "$generator" >&2)
  find "$dir/packages" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) -print
}

mkdir -p dist
deb=$(pack linux "$linux_build" DEB)
zip=$(pack windows-cross "$windows_build" ZIP)
for file in $deb $zip; do
  cp -f "$file" dist/
done

echo
echo "Packages in dist/:"
for file in $deb $zip; do
  name=dist/$(basename "$file")
  printf '  %-44s %8d bytes (%s)\n' "$name" "$(stat -c %s "$name")" "$(du -h "$name" | cut -f1)"
done
