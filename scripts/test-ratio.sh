#!/usr/bin/env bash
# Prints the size of the tests against the code: non-blank lines that are not // comments, of the
# C++ files git tracks under src/ and tests/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
count() { git ls-files -- "$1" | grep -E '\.(cpp|h)$' | xargs -r cat | grep -c -v -E '^\s*(//.*)?$' || true; }
code=$(count src)
tests=$(count tests)
awk -v c="$code" -v t="$tests" 'BEGIN { printf "code lines: %d, test lines: %d, ratio: %.2f\n", c, t, (c ? t / c : 0) }'
