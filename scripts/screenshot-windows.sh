#!/usr/bin/env bash
# Draws docs/screenshot-windows.png: the Windows build (the zip of
# `make package-windows`) under Wine, with the blood-pressure example loaded
# through the Open dialog and its report shown, on a virtual X display.
# Usage: scripts/screenshot-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows screenshot-windows

zip=$(make --no-print-directory package-windows | tee /dev/stderr | sed -n 's/^CPack: - package: \(.*\.zip\) generated\.$/\1/p')
prefix=$PWD/build/mingw/wine
work=$(mktemp -d)
export WINEPREFIX=$prefix
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    "$wineserver" --kill 2>/dev/null || true
    "$wineserver" --wait 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb keeps its screen in a file (XWD format) in -fbdir.
Xvfb -displayfd 3 -fbdir "$work" -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

(cd "$work" && cmake -E tar xf "$zip")
"$wineserver" --kill 2>/dev/null || true
"$wineserver" --wait 2>/dev/null || true
scripts/wine-run.sh "$prefix" "$work/duvora.exe" &
program_pid=$!

wait_for() {
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 && return
        sleep 0.2
    done
    echo "No window named $1 showed" >&2
    return 1
}
window=$(wait_for '^Duvora$')
xdotool windowfocus --sync "$window"
xdotool key alt+i
# The Open dialog takes the focus when it shows.
for _ in $(seq 100); do
    [ "$(xdotool getwindowfocus)" != "$window" ] && break
    sleep 0.1
done
sleep 0.5
xdotool type --delay 20 "Z:$(realpath examples/blood_pressure.txt | tr / '\\')"
xdotool key Return
sleep 1
xdotool windowfocus --sync "$window"
xdotool key alt+r
# The pointer off the window.
xdotool mousemove 1023 767
sleep 1

# Wine draws the title bar inside the X window, so its geometry is the
# whole window.
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p docs
xwdtopnm "$work/Xvfb_screen0" 2>/dev/null | pamcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" \
    | pnmtopng -compression 9 >docs/screenshot-windows.png
echo "Wrote docs/screenshot-windows.png"
