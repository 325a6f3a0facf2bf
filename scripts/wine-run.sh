#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, creating the prefix
# on first use. Usage: wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
export WINEPREFIX=${1:?usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]}
shift
# Quiet but for failures to load a module, and no offers to download Mono or
# Gecko, which nothing here uses.
export WINEDEBUG=-all,err+module WINEDLLOVERRIDES="mscoree,mshtml="

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Two tests starting at once must not both create the prefix.
    flock "$WINEPREFIX.lock" bash -c \
        '[ -f "$WINEPREFIX/system.reg" ] || "$1" wineboot --init >/dev/null 2>&1' _ "$wine"
fi
exec "$wine" "$@"
