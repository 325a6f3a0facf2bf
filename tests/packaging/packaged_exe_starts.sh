#!/usr/bin/env bash
# Unpacks the Windows zip as a user would, starts duvora.exe under Wine on the
# current display and waits for its window; then presses End (Alt+E) and
# expects the program to end.
# Usage: packaged_exe_starts.sh ZIP WINE_RUN PREFIX
set -euo pipefail
zip=$(realpath "${1:?usage: packaged_exe_starts.sh ZIP WINE_RUN PREFIX}")
wine_run=${2:?}
prefix=${3:?}

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$work" && cmake -E tar xf "$zip")
for file in duvora.exe LICENSE.txt README.txt; do
    [ -f "$work/$file" ] || { echo "The zip holds no $file:"; ls -R "$work"; exit 1; }
done

# One file a user can run: it imports only DLLs that come with Windows, and
# carries its manifest (the common controls of today, DPI awareness).
extra=$(x86_64-w64-mingw32-objdump -p "$work/duvora.exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|oleacc|oleaut32|rpcrt4|shell32|shlwapi|user32|uxtheme|version|winmm|winspool\.drv|ws2_32)\.dll$' || true)
[ -z "$extra" ] || { echo "duvora.exe needs DLLs that Windows lacks: $extra"; exit 1; }
grep -q "Microsoft.Windows.Common-Controls" "$work/duvora.exe" || { echo "duvora.exe has no manifest"; exit 1; }

"$wine_run" "$prefix" "$work/duvora.exe" &
pid=$!

window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Duvora$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "duvora.exe ended before its window showed"; exit 1; }
    sleep 0.2
done
[ -n "$window" ] || { echo "No window named Duvora showed within a minute"; exit 1; }
echo "The window shows: $(xdotool getwindowgeometry "$window" | tr '\n' ' ')"

xdotool windowfocus --sync "$window"
xdotool key alt+e
for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" || { echo "duvora.exe ended with a failure"; exit 1; }
        pid=
        echo "End closed the program"
        exit 0
    fi
    sleep 0.2
done
echo "The program was still running 20 s after End"
exit 1
