#!/usr/bin/env bash
# Cross-compiles Duvora and its tests for Windows with mingw-w64 against the
# cached static wxMSW (scripts/build-wxmsw.sh), and runs them, with those of
# `make package-windows`'s zip and installer, under Wine on a virtual X
# display and in a Wine prefix of their own. Usage: test-windows.sh BUILD_DIR PRESET
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:?usage: test-windows.sh BUILD_DIR PRESET}
preset=${2:?usage: test-windows.sh BUILD_DIR PRESET}
prefix=$PWD/$build_dir/wine

wx_prefix=$(scripts/build-wxmsw.sh)
cmake --preset "$preset" -DDUVORA_WX_PREFIX="$wx_prefix" -DDUVORA_WINDOWS_PACKAGES="$PWD/build/mingw-package"

# A display of our own, on a number Xvfb picks free, so that neither a
# desktop's nor another run's windows meet ours.
work=$(mktemp -d)
xvfb_pid=
export WINEPREFIX=$prefix
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
cleanup() {
    "$wineserver" --kill 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(cat "$work/display")

# One wineserver for the whole run instead of one starting per test. One
# left from an interrupted run would still serve that run's display, which
# is gone, and every window would wait for it.
mkdir -p "$prefix"
"$wineserver" --kill 2>/dev/null || true
"$wineserver" --wait 2>/dev/null || true
"$wineserver" --persistent 2>/dev/null || true
# Wine's first start creates the prefix, which takes a while: done once here,
# before the build runs the test executables to list their tests.
scripts/wine-run.sh "$prefix" cmd /c exit 0

cmake --build --preset "$preset" -j 2
# Now and then a Wine process fails to start or hangs on its way out after
# its test has passed (seen about once in ten runs here): a test gets a
# second try, and a real failure still fails both.
ctest --preset "$preset" -j 2 --repeat until-pass:2 --output-on-failure
