#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then runs every test. GUI tests use Qt's offscreen
# platform, so no display is needed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:-dev}
case "$preset" in
dev | asan) ;;
*)
    echo "test.sh: the $preset preset builds no tests; use dev or asan" >&2
    exit 2
    ;;
esac
"$root/scripts/setup.sh" "$preset"
cd "$root"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset"
