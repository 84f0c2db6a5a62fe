# Shared helpers of the benchmark scripts (sourced, not run).

# median_ms RUNS COMMAND...: runs the command RUNS times (output discarded) and prints the
# median wall time in milliseconds.
median_ms() {
    local runs=$1
    shift
    local times=()
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

# ratio A B: A / B with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

# The build directory holding the programs (first argument of each script, default dev).
bench_build_dir() { echo "${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/dev}"; }
