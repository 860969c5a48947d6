#!/usr/bin/env bash
# Builds the Windows release package: dist/kinoha-<version>-win64.zip (one folder holding the
# programs a user runs, the help, the licence, the changes, the Japanese guide and the sample
# projects) and its SHA-256 checksum file beside it. The version is the build's own.
#   SKIP_BUILD=1  package the Windows build as it is (the package test does this)
#   BUILD_DIR     the Windows build (default build/windows); DIST_DIR where the zip goes (dist)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-$PWD/build/windows}
DIST_DIR=${DIST_DIR:-$PWD/dist}

if [ "${SKIP_BUILD:-0}" != 1 ]; then
  bash scripts/install-deps.sh
  cmake --preset windows
  cmake --build --preset windows -j "$(nproc)" --target kinoha kinoha-step kinoha-make
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
[ -n "$version" ] || { echo "no version in $BUILD_DIR/CMakeCache.txt" >&2; exit 1; }
name="kinoha-$version-win64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dir="$stage/$name"
mkdir -p "$dir"

for exe in kinoha.exe kinoha-step.exe kinoha-make.exe; do
  [ -f "$BUILD_DIR/bin/$exe" ] || { echo "missing $BUILD_DIR/bin/$exe" >&2; exit 1; }
  x86_64-w64-mingw32-strip -o "$dir/$exe" "$BUILD_DIR/bin/$exe"
  # strip writes the time it ran into the PE header (the link leaves none) and a checksum over
  # it: both zeroed, so that one commit packages the same bytes.
  python3 - "$dir/$exe" <<'PY'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    f.seek(0x3C)
    (pe,) = struct.unpack("<I", f.read(4))
    f.seek(pe)
    assert f.read(4) == b"PE\0\0", "not a PE file"
    f.seek(pe + 8)  # the signature, Machine and NumberOfSections come before TimeDateStamp
    f.write(b"\0\0\0\0")
    # The optional header's CheckSum, which strip computed over that time (0: not checked, as
    # for any program that is not a driver).
    f.seek(pe + 24 + 64)
    f.write(b"\0\0\0\0")
PY
done
cp docs/help/Kinoha.html "$dir/"
cp -r docs/help/Kinoha-help "$dir/"
cp -r examples "$dir/examples"
# Text files as Windows reads them: CR LF, and the Japanese ones with the UTF-8 mark that tells
# Windows 7's Notepad their encoding.
windows_text() {  # source, target, "bom" for a UTF-8 mark
  python3 - "$1" "$2" "${3:-}" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8").read().replace("\r\n", "\n").replace("\n", "\r\n")
open(sys.argv[2], "w", encoding="utf-8-sig" if sys.argv[3] == "bom" else "utf-8", newline="").write(text)
PY
}
windows_text LICENSE "$dir/LICENSE.txt"
windows_text CHANGELOG.md "$dir/CHANGELOG.md" bom
windows_text docs/ja/README.md "$dir/README.ja.md" bom
# What was built from what: the version and the commit.
commit=$(git rev-parse HEAD 2>/dev/null || echo unknown)
printf 'Kinoha %s\r\ncommit %s\r\n' "$version" "$commit" >"$dir/VERSION.txt"

# The same bytes for the same inputs: fixed times, names in order, no extra attributes.
find "$dir" -exec touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}" {} +
mkdir -p "$DIST_DIR"
zip_file="$DIST_DIR/$name.zip"
rm -f "$zip_file" "$zip_file.sha256"
(cd "$stage" && find "$name" -print | LC_ALL=C sort | zip -X -q -9 "$zip_file" -@)
(cd "$DIST_DIR" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "$zip_file"
unzip -l "$zip_file" | sed -n '4,$p'
cat "$zip_file.sha256"
