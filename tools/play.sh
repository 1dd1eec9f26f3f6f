#!/bin/sh
# Starts the game under Wine on the user's display, or on a virtual one when there is none.
set -e
exe="$1"
shift
[ -f "$exe" ] || { echo "play: $exe is missing; run make win" >&2; exit 1; }
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/play/wineprefix}"
mkdir -p "$(dirname "$WINEPREFIX")"
display=:97
if [ -z "$DISPLAY" ] && [ -e /tmp/.X97-lock ]; then
    # A first copy started the virtual display already: the second one joins it.
    export DISPLAY=$display
elif [ -z "$DISPLAY" ]; then
    echo "play: no display; starting a virtual one on $display (Xvfb)."
    echo "play: look at it with: DISPLAY=$display import -window root shot.png"
    Xvfb $display -screen 0 1600x1200x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
    export DISPLAY=$display
    sleep 1
fi
# The update library and zlib go into the system folder, the library registered there, as the
# installer does; again whenever the build has a newer library.
system32="$WINEPREFIX/drive_c/windows/system32"
library="$root/build/win/bin/VyxIUpdate.dll"
if [ -f "$library" ] && ! cmp -s "$library" "$system32/VyxIUpdate.dll"; then
    [ -d "$system32" ] || "$root/cmake/wine-run.sh" wineboot -i >/dev/null 2>&1
    cp "$library" "$system32/VyxIUpdate.dll"
    # zlib under the name the library loads it by, beside it (the build copies it so).
    cp "$root/build/win/bin/zLib.dll" "$system32/zLib.dll"
    "$root/cmake/wine-run.sh" regsvr32 /s 'C:\windows\system32\VyxIUpdate.dll'
fi
exec_dir=$(dirname "$exe")
cd "$exec_dir"
"$root/cmake/wine-run.sh" "./$(basename "$exe")" "$@"
