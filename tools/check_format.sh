#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted the way .clang-format says, and names
# each such file. Usage: tools/check_format.sh (clang-format 14; tools/deps.sh test brings it)
# To format a file: clang-format-14 -i FILE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

format=clang-format-14
command -v "$format" >/dev/null || { echo "check_format: $format is not installed" >&2; exit 2; }

# Tracked files and new ones not yet added, without what .gitignore leaves out (build/).
# Listed first on their own: a failing git (no work tree, no git at all) inside the process
# substitution would go unnoticed and leave nothing to check, which would then "pass".
listed=$(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h') ||
  { echo "check_format: cannot list the C++ files with git in $root" >&2; exit 2; }
mapfile -t files < <(while read -r file; do [[ -f "$file" ]] && echo "$file"; done <<<"$listed")
[[ ${#files[@]} -gt 0 ]] || { echo "check_format: no C++ files found in $root" >&2; exit 2; }

unformatted=()
for file in "${files[@]}"; do
  "$format" --style=file --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done

if [[ ${#unformatted[@]} -gt 0 ]]; then
  printf '%s: not clang-format clean\n' "${unformatted[@]}"
  echo "check_format: ${#unformatted[@]} of ${#files[@]} files need $format -i" >&2
  exit 1
fi
echo "check_format: all ${#files[@]} C++ files are clang-format clean"
