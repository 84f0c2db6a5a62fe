#!/usr/bin/env bash
# Builds the Debian package and checks it as a new user would meet it: lintian without errors
# or warnings; unpacked into a temporary root, tamo lists the topics from any directory and
# checks pictures through its picture module; the viewer, started as the desktop entry starts
# it, from an empty home directory, writes nothing; and `cmake --install` into another prefix
# works the same way. Leaves the lintian report and the package's file list beside the package
# in build/package.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" package
cd "$root"
cpack --preset package
out=$root/build/package
deb=$(ls "$out"/quarntamo_*.deb)

fail() {
    echo "package-check: $*" >&2
    exit 1
}

# lintian: info tags are allowed, errors and warnings are not.
lintian --display-info --fail-on error,warning "$deb" 2>&1 | tee "$out/lintian.txt" ||
    fail "lintian reports errors or warnings (see $out/lintian.txt)"
dpkg-deb --contents "$deb" | awk '{ print $6 }' | tee "$out/files.txt" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/root" "$work/home" "$work/elsewhere"
dpkg-deb -x "$deb" "$work/root"
appstreamcli validate-tree --no-net "$work/root" || fail "the installed metadata do not validate"

# tamo, run from a directory without documentation, finds the installed one.
expect_topics() { # program, then a description
    local topics
    topics=$(cd "$work/elsewhere" && HOME=$work/home "$1" topics) || fail "$2: tamo topics failed"
    grep -qx Verwendung_der_Dokumentation <<<"$topics" || fail "$2: the start topic is missing"
    echo "$2: tamo topics lists $(wc -l <<<"$topics") topics"
}
expect_topics "$work/root/usr/bin/tamo" "package"

# tamo check judges pictures through its picture module, found relative to the program: a
# picture that is there passes, one that is not is an error, and nothing says the pictures
# went unchecked.
cp "$work/root/usr/share/quarntamo/doc/ablauf.png" "$work/elsewhere/bild.png"
printf '###Verwendung_der_Dokumentation\r\n%%%%%%bild.png\r\n%%%%%%fehlt.png\r\n' >"$work/elsewhere/bilder.txw"
expect_pictures() { # program, then a description
    local out status=0
    out=$(cd "$work/elsewhere" && "$1" check --doc bilder.txw 2>"$work/check.err") || status=$?
    [ "$status" = 1 ] || fail "$2: tamo check ended with exit code $status instead of 1"
    [ ! -s "$work/check.err" ] || fail "$2: tamo check wrote to stderr: $(cat "$work/check.err")"
    grep -q '^bilder.txw:3: error: Die Bilddatei „fehlt.png“' <<<"$out" ||
        fail "$2: tamo check did not find the missing picture: $out"
    grep -qx '1 Fehler, 0 Warnungen' <<<"$out" || fail "$2: tamo check did not pass bild.png: $out"
    echo "$2: tamo check judged the pictures through its module"
}
expect_pictures "$work/root/usr/bin/tamo" "package"

# The viewer as the desktop entry starts it: in the entry's Path (here inside the temporary
# root), without arguments, with an empty home directory. It must still run after five
# seconds and leave the home and documentation directories as they were.
desktop=$work/root/usr/share/applications/io.github.quarntamo.QuarnTamo.desktop
path=$(sed -n 's/^Path=//p' "$desktop")
[ "$path" = /usr/share/quarntamo/doc ] || fail "the desktop entry's Path is $path"
before=$(ls -A "$work/root$path")
status=0
# No session bus, so that a viewer already running in this session does not take the start.
(cd "$work/root$path" && HOME=$work/home XDG_CONFIG_HOME= XDG_DATA_HOME= XDG_CACHE_HOME= \
    DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus \
    QT_QPA_PLATFORM=offscreen timeout 5 "$work/root/usr/bin/quarntamo") || status=$?
[ "$status" = 124 ] || fail "the viewer ended with exit code $status instead of running"
[ -z "$(ls -A "$work/home")" ] || fail "the viewer wrote into the home directory: $(ls -A "$work/home")"
[ "$before" = "$(ls -A "$work/root$path")" ] || fail "the viewer changed the documentation directory"
echo "viewer: ran from the desktop entry's directory, home directory still empty"

# cmake --install into another prefix: tamo finds the documentation relative to itself.
cmake --install build/package --prefix "$work/prefix" >/dev/null
expect_topics "$work/prefix/bin/tamo" "cmake --install --prefix"
expect_pictures "$work/prefix/bin/tamo" "cmake --install --prefix"
echo "package-check: $deb is fine; lintian report and file list in $out"
