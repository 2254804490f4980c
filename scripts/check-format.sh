#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format (the project's .clang-format) makes
# of it; names the files. Usage: scripts/check-format.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/mirlet-format.$$; then
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' /tmp/mirlet-format.$$ | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
  rm -f /tmp/mirlet-format.$$
  exit 1
fi
rm -f /tmp/mirlet-format.$$
echo "format: ${#files[@]} files as clang-format makes them"
