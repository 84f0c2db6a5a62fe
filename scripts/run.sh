#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then shows the bundled Quarn documentation: the
# program starts in the directory that holds tamo.txw and its pictures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" dev
cd "$root/build/dev/doc"
exec "$root/build/dev/apps/quarntamo/quarntamo" "$@"
