#!/usr/bin/env bash
# Draws docs/screenshot.png: the window with the blood-pressure example loaded
# and its report shown, under a virtual X server with a fixed, quiet desktop.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (default build/dev)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/dev}

[ -f "$build_dir/CMakeCache.txt" ] || cmake --preset dev
cmake --build "$build_dir" --target duvora_screenshot -j 2

export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p docs
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build_dir/tools/duvora_screenshot" examples/blood_pressure.txt docs/screenshot.png
echo "Wrote docs/screenshot.png"
