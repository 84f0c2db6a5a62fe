#!/usr/bin/env bash
# Times the whole `tamo search` process on a generated 20 MB / 30,000-topic documentation
# against `grep -c -i -F` (and `rg -c -i -F` where ripgrep is installed) for the same word on
# the same file, in one run (median of several runs each; every output is read through a
# pipe). Goals against grep: one-word queries within 3x, two words within 6x, "" within 10x.
# A query that finds nothing shows the fixed cost of starting tamo and building the index.
#   bench/bench_search.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/timing.sh"
build=$(bench_build_dir "${1:-}")
runs=${2:-15}
tamo="$build/apps/tamo/tamo"
generate_doc "$build"

grep_c() { LC_ALL=C grep -c -i -F "$@" "$doc"; }
rg_c() { rg -c -i -F "$@" "$doc"; }

# label | tamo query | grep patterns | goal
cases=(
    "common word|datei|-e datei|3"
    "rare word|puffer417|-e puffer417|3"
    "two words|datei zugriff|-e datei -e zugriff|6"
    "quoted typo|\"Dtaei\"|-e dtaei|3"
    "empty quoted|\"\"|-e ''|10"
)

printf '%-14s %-16s %8s %8s %7s %8s %7s %6s %8s\n' case query "tamo ms" "grep ms" ratio \
    "rg ms" "/rg" goal results
for c in "${cases[@]}"; do
    IFS='|' read -r label query patterns goal <<<"$c"
    eval "patterns=($patterns)"
    results=$("$tamo" search --doc "$doc" "$query" | wc -l)
    tamo_ms=$(median_ms "$runs" "$tamo" search --doc "$doc" "$query")
    grep_ms=$(median_ms "$runs" grep_c "${patterns[@]}")
    r=$(ratio "$tamo_ms" "$grep_ms")
    rg_ms=-
    rg_r=-
    if has_rg; then
        rg_ms=$(median_ms "$runs" rg_c "${patterns[@]}")
        rg_r=$(ratio "$tamo_ms" "$rg_ms")x
    fi
    printf '%-14s %-16s %8s %8s %6sx %8s %7s %5sx %8s\n' "$label" "$query" "$tamo_ms" "$grep_ms" \
        "$r" "$rg_ms" "$rg_r" "$goal" "$results"
done

# The fixed part: process start and topic index, against grep counting the headings.
none_ms=$(median_ms "$runs" "$tamo" search --doc "$doc" qqqqqqqq)
heads_ms=$(median_ms "$runs" grep -c '^###' "$doc")
printf '%-14s %-16s %8s %8s %6sx\n' "no hit" qqqqqqqq "$none_ms" "$heads_ms" \
    "$(ratio "$none_ms" "$heads_ms")"
echo "(no hit: tamo start + index + one scan; grep column: grep -c '^###')"
