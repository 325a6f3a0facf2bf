#!/usr/bin/env bash
# Builds the window bench for Windows (the mingw-bench preset: Release, static
# wxMSW from scripts/build-wxmsw.sh) when Wine and mingw-w64 are installed, and
# prints the run_bench.py option that runs it under Wine; prints nothing
# otherwise. Progress goes to stderr. Usage: windows-bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
if [ ! -x "$wine" ] || ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "windows-bench: no Wine or mingw-w64 (make deps-windows): no Windows figures" >&2
    exit 0
fi
wx_prefix=$(scripts/build-wxmsw.sh)
[ -f build/mingw-bench/CMakeCache.txt ] ||
    cmake --preset mingw-bench -DDUVORA_WX_PREFIX="$wx_prefix" >&2
cmake --build --preset mingw-bench -j 2 --target window_bench >&2
echo "--windows build/mingw-bench/bench/window_bench.exe"
