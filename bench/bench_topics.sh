#!/usr/bin/env bash
# Times the whole `tamo topics` process on a generated 20 MB / 30,000-topic documentation
# against `grep -c '^###'` (and `rg -c '^###'` where ripgrep is installed) on the same file,
# in one run; every output is read through a pipe. Goal: within 6x of grep.
#   bench/bench_topics.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/timing.sh"
build=$(bench_build_dir "${1:-}")
generate_doc "$build"

grep_ms=$(median_ms 21 grep -c '^###' "$doc")
topics_ms=$(median_ms 21 "$build/apps/tamo/tamo" topics --doc "$doc")
json_ms=$(median_ms 21 "$build/apps/tamo/tamo" topics --json --doc "$doc")
printf '%-28s %8s ms\n' "grep -c '^###'" "$grep_ms"
if has_rg; then
    rg_ms=$(median_ms 21 rg -c '^###' "$doc")
    printf '%-28s %8s ms\n' "rg -c '^###'" "$rg_ms"
fi
printf '%-28s %8s ms  %sx grep\n' "tamo topics" "$topics_ms" "$(ratio "$topics_ms" "$grep_ms")"
printf '%-28s %8s ms  %sx grep\n' "tamo topics --json" "$json_ms" "$(ratio "$json_ms" "$grep_ms")"
if has_rg; then
    printf '%-28s %8s ms  %sx rg\n' "tamo topics" "$topics_ms" "$(ratio "$topics_ms" "$rg_ms")"
fi
