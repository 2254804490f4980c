#!/usr/bin/env bash
# Starts the main program on a fresh machine: installs what the build needs, builds when needed, and runs
# build/default/bin/mirlet with the arguments given (see `scripts/run.sh --help`).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if [ ! -f build/default/build.ninja ]; then
  cmake --preset default >/dev/null
fi
cmake --build --preset default --target mirlet
exec build/default/bin/mirlet "$@"
