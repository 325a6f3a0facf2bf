#!/usr/bin/env bash
# Builds the Release duvora.exe for Windows (mingw-w64, static wxMSW: one
# file that needs nothing but Windows) and packs it, stripped, with the
# licence and a short README into build/mingw-package/. Prints the zip's path.
# Usage: package-windows.sh   (progress on stderr)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build/mingw-package

wx_prefix=$(scripts/build-wxmsw.sh)
cmake --preset mingw-package -DDUVORA_WX_PREFIX="$wx_prefix" >&2
cmake --build --preset mingw-package -j 2 --target duvora >&2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
name=duvora-$version-windows-x64
stage=$build_dir/$name
rm -rf "$stage" "$build_dir/$name.zip"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/duvora.exe" "$build_dir/main_window/duvora.exe"
# Windows opens .txt files with a double click; it has no program for LICENSE.
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' packaging/windows/README.txt.in >"$stage/README.txt"
(cd "$stage" && cmake -E tar cf "../$name.zip" --format=zip duvora.exe LICENSE.txt README.txt)
echo "$PWD/$build_dir/$name.zip"
