#!/usr/bin/env bash
# Unpacks the Windows zip as a user would, starts duvora.exe under Wine on the
# current display as window_shows_and_ends.sh does.
# Usage: packaged_exe_starts.sh ZIP WINE_RUN PREFIX
set -euo pipefail
zip=$(realpath "${1:?usage: packaged_exe_starts.sh ZIP WINE_RUN PREFIX}") wine_run=${2:?} prefix=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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
# Stripped, and its texts with the line ends Notepad shows whole.
! grep -q '\.debug' <<<"$(x86_64-w64-mingw32-objdump -h "$work/duvora.exe")" || { echo "duvora.exe is not stripped"; exit 1; }
! grep -qv $'\r$' "$work/LICENSE.txt" "$work/README.txt" || { echo "a text lacks Windows line ends"; exit 1; }
"$(dirname "$0")/window_shows_and_ends.sh" "" "$wine_run" "$prefix" "$work/duvora.exe"
