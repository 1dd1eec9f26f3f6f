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
    Xvfb $display -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
    export DISPLAY=$display
    sleep 1
fi
exec_dir=$(dirname "$exe")
cd "$exec_dir"
"$root/cmake/wine-run.sh" "./$(basename "$exe")" "$@"
