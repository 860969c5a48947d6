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
done
cp docs/help/Kinoha.html "$dir/"
cp -r docs/help/Kinoha-help "$dir/"
cp LICENSE CHANGELOG.md "$dir/"
cp docs/ja/README.md "$dir/README.ja.md"
cp -r examples "$dir/examples"

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
