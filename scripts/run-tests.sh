#!/usr/bin/env bash
# Runs every test of the given build tree through CTest, under a virtual X
# server when no display is set, with a fixed, quiet desktop environment.
set -euo pipefail
build_dir=${1:?usage: run-tests.sh BUILD_DIR}

export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
# Read only by the sanitizer and fuzz builds: any finding fails its test, and
# leaks are reported but for those in tests/lsan.supp (each one explained).
repo=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$repo/tests/lsan.supp:print_suppressions=0"
ctest_cmd=(ctest --test-dir "$build_dir" --output-on-failure -j 2)

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "${ctest_cmd[@]}"
fi
exec "${ctest_cmd[@]}"
