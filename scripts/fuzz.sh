#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (seconds, default 60).
# Usage: scripts/fuzz.sh [seconds] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz
mapfile -t targets < <(if [ $# -gt 0 ]; then printf '%s\n' "$@"; else
  find build/fuzz -maxdepth 4 -type f -name '*_fuzz' -perm -u+x -printf '%f\n' | sort; fi)
for t in "${targets[@]}"; do
  bin=$(find build/fuzz -type f -name "$t" -perm -u+x | head -1)
  corpus="build/fuzz/corpus/$t"
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  "$bin" -max_total_time="$seconds" -print_final_stats=1 "$corpus"
done
