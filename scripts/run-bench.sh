#!/usr/bin/env bash
# Runs bench/run_bench.py on the given build tree, under a virtual X server
# when no display is set, with the same quiet desktop environment as the tests.
set -euo pipefail
build_dir=${1:?usage: run-bench.sh BUILD_DIR [run_bench.py options]}
shift

export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
python=/usr/bin/python3
[ -x "$python" ] || python=python3
bench_cmd=("$python" "$(dirname "$0")/../bench/run_bench.py" "$build_dir" "$@")

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "${bench_cmd[@]}"
fi
exec "${bench_cmd[@]}"
