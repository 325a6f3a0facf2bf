#!/usr/bin/env bash
# Runs one libFuzzer target over its committed corpus for SECONDS, then stops.
#   run-fuzzer.sh BINARY NAME SECONDS [libFuzzer options...]
# New inputs go to a scratch folder (or $FUZZ_WORK_DIR, kept for picking small
# finds to commit), never into fuzz/corpus/ itself; a crashing input is saved
# beside the binary as crash-NAME-<hash> and the script fails.
set -euo pipefail
binary=${1:?usage: run-fuzzer.sh BINARY NAME SECONDS [options]}
name=${2:?}
seconds=${3:?}
shift 3
here=$(cd "$(dirname "$0")" && pwd)

if [ -n "${FUZZ_WORK_DIR:-}" ]; then
    work=$FUZZ_WORK_DIR
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
dict=()
[ -f "$here/$name.dict" ] && dict=(-dict="$here/$name.dict")
# The test data files are data files too: replayed as they are, not copied.
corpora=("$here/corpus/$name")
[ "$name" = input_data ] && corpora+=("$here/../tests/data")

"$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$(dirname "$binary")/crash-$name-" "${dict[@]}" "$@" \
    "$work" "${corpora[@]}"
