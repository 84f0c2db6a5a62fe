# Shared helpers of the benchmark scripts (sourced, not run).

# median_ms RUNS COMMAND...: runs the command RUNS times and prints the median wall time in
# milliseconds. The output is read through a pipe, never sent to /dev/null directly: GNU
# grep notices an output of /dev/null and stops at the first match, which would time a
# fraction of the work.
median_ms() {
    local runs=$1
    shift
    local times=()
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        { "$@" 2>/dev/null || true; } | cat >/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

# ratio A B: A / B with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

# has_rg: whether ripgrep is installed, the second baseline.
has_rg() { command -v rg >/dev/null 2>&1; }

# The build directory holding the programs (first argument of each script, default dev).
bench_build_dir() { echo "${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/dev}"; }

# generate_doc BUILD_DIR: makes the benchmark documentation, 20 MB with 30,000 topics, in a
# temporary directory removed on exit, warms the page cache and sets $doc to its path.
generate_doc() {
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    doc="$tmp/tamo.txw"
    "$1/bench/quarntamo_gendoc" --topics 30000 --bytes 20000000 "$doc"
    echo "file: $(stat -c %s "$doc") bytes, $(grep -c '^###' "$doc") topics"
    cat "$doc" >/dev/null
}
