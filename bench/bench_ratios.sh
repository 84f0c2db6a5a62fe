#!/usr/bin/env bash
# The speed goals of tamo against the fastest tools a user would reach for, each ratio
# measured in the same run as its baseline, pair by pair, in several rounds:
#   tamo --version                      against rg --version                   (goal 1.5x)
#   tamo search datei, 20 MB            against rg -ciF datei                  (goal 1.0x)
#   tamo search "datei zugriff", 20 MB  against rg -ciF datei                  (goal 1.0x)
#   tamo search datei, 80 MB            against rg -ciF datei                  (goal 1.0x)
#   tamo topics, 40,000 topics          against grep -a '^###' FILE | sort -f  (goal 1.0x)
# The files are generated (quarntamo_gendoc): 20 MB with 2,180 topics, its size times four
# with 8,720 topics, and 40,000 topics in 20 MB. Every output is read through a pipe. Each
# round times each pair once (hyperfine where installed, Debian package hyperfine, else a
# plain loop); the table shows the medians over the rounds, of the times and of the ratios,
# so that a busy moment of a shared machine moves both sides of a pair alike.
#   [TAMO=PROGRAM] bench/bench_ratios.sh [BUILD_DIR] [ROUNDS] [RUNS_PER_ROUND]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/timing.sh"
build=$(bench_build_dir "${1:-}")
rounds=${2:-5}
runs=${3:-10}
tamo=${TAMO:-$build/apps/tamo/tamo} # TAMO=... times another build of tamo
gendoc="$build/bench/quarntamo_gendoc"
if ! has_rg; then
    echo "bench_ratios: ripgrep (rg, Debian package ripgrep) is the baseline and is missing" >&2
    exit 2
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$gendoc" --topics 2180 --bytes 19600000 --seed 1 "$tmp/d20.txw"
"$gendoc" --topics 8720 --bytes 78400000 --seed 2 "$tmp/d80.txw"
"$gendoc" --topics 40000 --bytes 20000000 --seed 3 "$tmp/t40k.txw"
for f in "$tmp"/*.txw; do
    echo "$(basename "$f"): $(stat -c %s "$f") bytes, $(grep -c '^###' "$f") topics"
    cat "$f" >/dev/null # into the page cache
done

# time_pair A B: prints the median wall times of the shell commands A and B in milliseconds,
# one round of $runs runs each, output through a pipe.
time_pair() {
    if command -v hyperfine >/dev/null 2>&1; then
        # The shell's own start is measured and taken off by hyperfine.
        hyperfine --style none --output pipe --warmup 2 --runs "$runs" \
            --export-csv "$tmp/round.csv" "$1" "$2" >/dev/null 2>&1
        awk -F, 'NR > 1 { printf "%.2f ", $4 * 1000 }' "$tmp/round.csv"
    else
        printf '%s %s' "$(median_ms "$runs" sh -c "$1")" "$(median_ms "$runs" sh -c "$2")"
    fi
}

median() { sort -g | awk '{a[NR] = $1} END {printf "%.2f", a[int((NR + 1) / 2)]}'; }

# label % tamo command % baseline label % baseline command % goal
q=\"
cases=(
    "tamo --version%$tamo --version%rg --version%rg --version%1.5"
    "tamo search datei, 20 MB%$tamo search --doc $tmp/d20.txw datei%rg -ciF datei%rg -ciF datei $tmp/d20.txw%1.0"
    "tamo search ${q}datei zugriff${q}, 20 MB%$tamo search --doc $tmp/d20.txw 'datei zugriff'%rg -ciF datei%rg -ciF datei $tmp/d20.txw%1.0"
    "tamo search datei, 80 MB%$tamo search --doc $tmp/d80.txw datei%rg -ciF datei%rg -ciF datei $tmp/d80.txw%1.0"
    "tamo topics, 40k topics%$tamo topics --doc $tmp/t40k.txw%grep -a '^###' | sort -f%grep -a '^###' $tmp/t40k.txw | sort -f%1.0"
)

echo "$rounds rounds of $runs runs per command; medians over the rounds"
printf '%-34s %9s  %-32s %9s %7s %5s\n' call "tamo ms" baseline "base ms" ratio goal
for c in "${cases[@]}"; do
    IFS='%' read -r label command baseLabel baseCommand goal <<<"$c"
    : >"$tmp/a" && : >"$tmp/b" && : >"$tmp/r"
    for ((round = 0; round < rounds; round++)); do
        read -r a b <<<"$(time_pair "$command" "$baseCommand")"
        echo "$a" >>"$tmp/a"
        echo "$b" >>"$tmp/b"
        ratio "$a" "$b" >>"$tmp/r"
        echo >>"$tmp/r"
    done
    printf '%-34s %9s  %-32s %9s %6sx %4sx\n' "$label" "$(median <"$tmp/a")" "$baseLabel" \
        "$(median <"$tmp/b")" "$(median <"$tmp/r")" "$goal"
done
