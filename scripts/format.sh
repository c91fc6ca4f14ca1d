#!/usr/bin/env bash
# Formats every C++ file of the project with clang-format and the tree's .clang-format.
#   scripts/format.sh           rewrite the files in place
#   scripts/format.sh --check   change nothing; name the files that differ and fail if any do
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" != "--check" ]]; then
  exec clang-format -i "${files[@]}"
fi
mapfile -t unformatted < <(clang-format --dry-run "${files[@]}" 2>&1 | grep -o '^[^:]*\.\(cpp\|h\):' | sort -u)
for f in "${unformatted[@]}"; do echo "${f%:} is not formatted: run scripts/format.sh"; done
[[ ${#unformatted[@]} -eq 0 ]]
