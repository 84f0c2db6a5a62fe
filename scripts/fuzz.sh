#!/usr/bin/env bash
# The libFuzzer targets (fuzz/), built with the fuzz preset: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer.
#   scripts/fuzz.sh                 lists the targets
#   scripts/fuzz.sh NAME SECONDS    builds what NAME needs and fuzzes it for SECONDS
#   scripts/fuzz.sh --all SECONDS   each target in turn for SECONDS (continuous integration)
# Exits non-zero on any finding: a crash, a failed property, a sanitizer report, an input
# slower than 10 s or a memory use beyond 2 GB. The input is kept in build/fuzz/findings/.
#
# Seeds: the small files in fuzz/corpus/ and every topic of the bundled documentation, each a
# file of its own. What the fuzzer learns stays in build/fuzz/corpus/NAME for the next run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
targets=(linereader topicindex topicreader fullsearch find untrusted)

if (($# == 0)); then
    printf '%s\n' "${targets[@]}"
    exit 0
fi
if (($# != 2)) || [[ ! " ${targets[*]} --all " == *" $1 "* ]] || [[ ! $2 =~ ^[0-9]+$ ]]; then
    echo "Aufruf: scripts/fuzz.sh [NAME|--all SEKUNDEN]; NAME ist eines von: ${targets[*]}" >&2
    exit 2
fi
if [ "$1" = --all ]; then
    status=0
    for name in "${targets[@]}"; do
        "$0" "$name" "$2" || status=1
    done
    exit $status
fi
name=$1
seconds=$2
build="$root/build/fuzz"

cd "$root"
if [ ! -f "$build/build.ninja" ]; then
    "$root/scripts/setup.sh" fuzz # installs clang and libFuzzer where missing, builds every target
fi
cmake --build --preset fuzz --target "fuzz_$name" quarntamo_doc

# One seed per topic of the bundled documentation (Windows-1252, CR LF, as the readers see it).
seeds="$build/seeds"
if [ ! -d "$seeds" ] || [ "$build/doc/tamo.txw" -nt "$seeds" ]; then
    rm -rf "$seeds"
    mkdir -p "$seeds"
    LC_ALL=C awk -v dir="$seeds" \
        '/^###/ { close(file); n++ } { file = dir "/topic-" n ".txw"; print > file }' \
        "$build/doc/tamo.txw"
fi

corpus="$build/corpus/$name"
findings="$build/findings"
mkdir -p "$corpus" "$findings"
log="$build/fuzz-$name.log"
status=0
"$build/fuzz/fuzz_$name" "$corpus" "$root/fuzz/corpus" "$seeds" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" >"$log" 2>&1 || status=$?
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
echo "fuzz_$name: ${seconds} s, ${runs:-?} executions, corpus $(ls "$corpus" | wc -l) inputs"
if ((status != 0)); then
    grep -E 'ERROR|property failed|SUMMARY|Test unit written' "$log" | head -20 >&2
    echo "fuzz_$name: finding (exit $status), log: $log" >&2
    exit 1
fi
