#!/usr/bin/env bash
# Checks that the C++ files changed since BASE follow .clang-format:
#   scripts/check-format.sh [BASE]
# Without BASE a branch is compared with its merge base with main; on main
# itself (or a fresh clone of it) the files of the last commit are checked.
# Changes not yet committed count too. CLANG_FORMAT picks the program.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}

main_ref=""
for candidate in main origin/main; do
  if git rev-parse -q --verify "$candidate^{commit}" > /dev/null; then
    main_ref=$candidate
    break
  fi
done

base=${1:-}
if [ -z "$base" ]; then
  head=$(git rev-parse HEAD)
  [ -n "$main_ref" ] && base=$(git merge-base HEAD "$main_ref" || true)
  if [ -z "$base" ] || [ "$base" = "$head" ]; then
    # On main: the last commit against its first parent, or the whole first commit.
    if git rev-parse -q --verify HEAD~1 > /dev/null; then
      base=HEAD~1
    else
      base=$(git hash-object -t tree /dev/null)
    fi
  fi
fi

mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: no C++ files changed since $base"
  exit 0
fi
echo "check-format: ${#files[@]} C++ file(s) changed since $base"
if ! "$clang_format" --dry-run -Werror "${files[@]}"; then
  echo "check-format: run 'clang-format -i' on the files above" >&2
  exit 1
fi
