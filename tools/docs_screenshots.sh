#!/bin/sh
# Puts the screenshots the README shows into docs/, from an end-to-end run's shots (by default
# build/win/e2e/shots, which `make test` leaves), each cut to the windows on the screen.
set -e
shots=${1:-build/win/e2e/shots}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/docs"
while read -r shot name; do
    [ -f "$shots/$shot.png" ] || { echo "docs_screenshots: $shots/$shot.png is missing" >&2; exit 1; }
    convert "$shots/$shot.png" -trim +repage -strip "$root/docs/$name.png"
done <<'LIST'
keyboard_game board
options-ai options
computer_alone-graph statistics
big_board-150 board-150
LIST
echo "docs_screenshots: docs/ updated from $shots"
