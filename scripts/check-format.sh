#!/usr/bin/env bash
# Checks that every C++ file of the project is formatted as the checked-in .clang-format says;
# lists the files that are not. `clang-format -i FILE` formats one.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" format
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "check-format: $(git ls-files '*.cpp' '*.h' | wc -l) files formatted as .clang-format says"
