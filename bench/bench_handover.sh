#!/usr/bin/env bash
# What a hand-over to the running viewer costs, from the call to the shown topic, on a
# generated 20 MB / 30,000-topic documentation. The viewer shows a topic or runs a search
# before it answers, so a call's wall time includes the display. Runs under a private
# session bus of its own, on the offscreen platform unless QT_QPA_PLATFORM is set.
# Baselines in the same run: a D-Bus ping of the viewer by gdbus (the client's start and one
# round trip, nothing shown) and `quarntamo --version` (the program's start, no window).
#   bench/bench_handover.sh [BUILD_DIR] [RUNS]
set -euo pipefail
if [ -z "${QUARNTAMO_BENCH_PRIVATE_BUS:-}" ]; then
    exec env QUARNTAMO_BENCH_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/timing.sh"
build=$(cd "$(bench_build_dir "${1:-}")" && pwd)
runs=${2:-21}
viewer=$build/apps/quarntamo/quarntamo
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
generate_doc "$build"

dest=(--session --dest io.github.quarntamo.QuarnTamo --object-path /io/github/quarntamo/QuarnTamo)
shown() {
    gdbus call "${dest[@]}" --method org.freedesktop.DBus.Properties.Get \
        io.github.quarntamo.QuarnTamo.Viewer ShownTopic 2>/dev/null || true
}

(cd "$tmp" && exec "$viewer" >/dev/null 2>"$tmp/viewer.err") &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$tmp"' EXIT
for ((i = 0; i < 600; i++)); do
    case $(shown) in *Verwendung* | *Fehler*) break ;; esac
    sleep 0.1
done
shown | grep -q . || { echo "bench_handover: the viewer did not come up" >&2; cat "$tmp/viewer.err" >&2; exit 1; }

# A topic from the middle of the file, and a word of its name to search for.
# (The file is Windows-1252; the command line and the bus speak UTF-8.)
topic=$(grep -a '^###' "$doc" | sed -n '15000{s/^###//;s/\r$//;p}' | iconv -f CP1252 -t UTF-8)
word=${topic%%_*}
echo "topic: $topic"

ping_ms=$(median_ms "$runs" gdbus call "${dest[@]}" --method org.freedesktop.DBus.Peer.Ping)
gdbus_ms=$(median_ms "$runs" gdbus call "${dest[@]}" \
    --method org.freedesktop.Application.ActivateAction show-topic "[<'$topic'>]" "{}")
version_ms=$(median_ms "$runs" "$viewer" --version)
topic_ms=$(median_ms "$runs" "$viewer" --topic "$topic")
link_ms=$(median_ms "$runs" "$viewer" "quarntamo:$topic")
search_ms=$(median_ms "$runs" "$viewer" --search "$word")
case $(shown) in *"$topic"*) ;; *) echo "bench_handover: the topic is not shown" >&2; exit 1 ;; esac

printf '%-34s %8s ms\n' "gdbus ping (baseline)" "$ping_ms"
printf '%-34s %8s ms  %sx ping\n' "gdbus ActivateAction show-topic" "$gdbus_ms" \
    "$(ratio "$gdbus_ms" "$ping_ms")"
printf '%-34s %8s ms\n' "quarntamo --version (baseline)" "$version_ms"
printf '%-34s %8s ms  %sx --version\n' "quarntamo --topic" "$topic_ms" \
    "$(ratio "$topic_ms" "$version_ms")"
printf '%-34s %8s ms  %sx --version\n' "quarntamo quarntamo:NAME" "$link_ms" \
    "$(ratio "$link_ms" "$version_ms")"
printf '%-34s %8s ms  %sx --version\n' "quarntamo --search WORD (20 MB)" "$search_ms" \
    "$(ratio "$search_ms" "$version_ms")"
