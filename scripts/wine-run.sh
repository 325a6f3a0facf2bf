#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, creating the prefix
# on first use. Usage: wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
export WINEPREFIX=${1:?usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]}
shift
# Quiet but for failures to load a module, and no offers to download Mono or
# Gecko, which nothing here uses. No menu entries or file types for the
# user's own desktop either, as Wine makes for what an installer adds.
export WINEDEBUG=-all,err+module WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
# A new prefix gets Wine's own fonts, which Wine does not find where Debian
# puts them, and no waiting for a window manager: without one, Wine waits two
# seconds on every window that closes.
prepare_prefix() {
    "$wine" wineboot --init >/dev/null 2>&1
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    touch "$WINEPREFIX/.prepared"
}
if [ ! -f "$WINEPREFIX/.prepared" ]; then
    mkdir -p "$WINEPREFIX"
    # Two tests starting at once must not both create the prefix.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    [ -f "$WINEPREFIX/.prepared" ] || prepare_prefix
    exec 9>&-
fi
# A program that needs a window starts Wine's desktop process if none is
# running, and the desktop keeps the program's standard streams until it
# ends, some seconds after the last window: whoever reads the program's
# output through a pipe (CTest) would wait for it. The output goes through a
# file instead and is passed on when the program has ended.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
"$wine" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
exit "$status"
