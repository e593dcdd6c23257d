#!/usr/bin/env bash
# Runs one fuzz driver for a bounded time over its generated seed corpus.
# usage: run.sh NATIVE_BUILD_DIR DRIVER SECONDS
set -euo pipefail
build=$1 driver=$2 seconds=$3
corpus=$build/corpus/$driver
work=$build/fuzzwork/$driver
mkdir -p "$corpus" "$work"
# The driver makes its own seeds when asked (see each driver's seed writer).
if [ -z "$(ls -A "$corpus")" ]; then
  LUMENO_WRITE_SEEDS=$corpus "$build/$driver" -runs=0 >"$work.seeds.log" 2>&1 || { cat "$work.seeds.log" >&2; exit 1; }
  [ -n "$(ls -A "$corpus")" ] || { echo "$driver wrote no seeds" >&2; exit 1; }
fi
cd "$work"
exec "$build/$driver" -max_total_time="$seconds" -print_final_stats=1 \
  -rss_limit_mb=2048 -timeout=10 "$work" "$corpus"
