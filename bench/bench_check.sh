#!/usr/bin/env bash
# Times the whole `tamo check` process on a generated 20 MB / 30,000-topic documentation
# against `tamo topics` on the same file, in one run (median of several runs each; every
# output is read through a pipe). Goal: check within 3x of topics.
#   bench/bench_check.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/timing.sh"
build=$(bench_build_dir "${1:-}")
runs=${2:-15}
tamo="$build/apps/tamo/tamo"
generate_doc "$build"

# The command with its output read through a pipe, as a reader of the report would.
piped() { "$@" | wc -c >/dev/null; }

echo "check finds: $("$tamo" check --doc "$doc" | tail -n 1)"
topics_ms=$(median_ms "$runs" piped "$tamo" topics --doc "$doc")
check_ms=$(median_ms "$runs" piped "$tamo" check --doc "$doc")
json_ms=$(median_ms "$runs" piped "$tamo" check --json --doc "$doc")
printf '%-22s %8s ms\n' "tamo topics" "$topics_ms"
printf '%-22s %8s ms  %sx topics (goal 3x)\n' "tamo check" "$check_ms" \
    "$(ratio "$check_ms" "$topics_ms")"
printf '%-22s %8s ms  %sx topics (goal 3x)\n' "tamo check --json" "$json_ms" \
    "$(ratio "$json_ms" "$topics_ms")"
