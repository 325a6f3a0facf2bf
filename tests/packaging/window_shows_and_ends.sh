#!/usr/bin/env bash
# Starts a packaged program on the current display as a user would; its window
# must carry the program's icon (and, given one, the WM_CLASS a desktop entry
# expects), and End (Alt+E) must end the program without a failure.
# Usage: window_shows_and_ends.sh WM_CLASS|"" COMMAND [ARG...]
set -euo pipefail
wm_class=${1?usage: window_shows_and_ends.sh WM_CLASS COMMAND [ARG...]}
shift
fail() { echo "FAILED: $*" >&2; exit 1; }
"$@" & pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Duvora$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
    sleep 0.2
done
[ -n "$window" ] || fail "no window named Duvora showed within a minute"
# The desktop groups the window under its menu entry by WM_CLASS, and the
# taskbar shows the icon the window carries.
class=$(xprop -id "$window" WM_CLASS)
[ -z "$wm_class" ] || grep -q "\"$wm_class\"" <<<"$class" ||
    fail "the window has $class, the desktop entry expects \"$wm_class\""
# Read whole first: grep -q would stop reading the icons' pictures part way,
# and xprop's broken pipe would then fail the check. The icons may come just
# after the window first shows.
for _ in $(seq 25); do
    icons=$(xprop -id "$window" _NET_WM_ICON)
    grep -q "Icon (" <<<"$icons" && break
    sleep 0.2
done
grep -q "Icon (" <<<"$icons" || fail "the window carries no icon"
xdotool windowfocus --sync "$window" key alt+e
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program still runs 20 s after End"
wait "$pid" || fail "the program ended with a failure"
echo "The window showed, and End ended the program."
