#!/bin/sh
# Runs a Windows program under Wine with a prefix inside the build tree.
# WINEPREFIX may be set by the caller; otherwise the prefix lives next to the program.
set -e
: "${WINEPREFIX:=$(cd "$(dirname "$1")" && pwd)/wineprefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -x /usr/lib/wine/wine64 ]; then
    exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
