#!/bin/bash
# Runs the end-to-end scenarios against the real program: a private X display (Xvfb), a fresh
# Wine prefix, one driver run per scenario, and the screenshots converted to PNG.
#
#   run_e2e.sh <Quillon.exe> <quillon_e2e.exe> <output folder> <default profiles.dat> [scenario...]
#
# Works without a DISPLAY. Exit status 0 only when every scenario passed.
set -u

if [ $# -lt 4 ]; then
    echo "usage: $0 <Quillon.exe> <quillon_e2e.exe> <output folder> <default profiles.dat> [scenario...]" >&2
    exit 2
fi
program=$(realpath "$1")
driver=$(realpath "$2")
mkdir -p "$3"
output=$(realpath "$3")
default_profile=$(realpath "$4")
shift 4

source "$(dirname "$0")/wine_display.sh"
e2e_setup "$output" || exit 1

w_program=$(win_path "$program")
w_output=$(win_path "$output")
w_profile=$(win_path "$default_profile")

if [ $# -eq 0 ]; then
    set -- $(wine_run "$driver" list 2>/dev/null | tr -d '\r' | awk '{print $1}')
fi
[ $# -gt 0 ] || { echo "the driver lists no scenarios" >&2; exit 1; }

rm -rf "$output/shots"
failed=()
for scenario in "$@"; do
    wine_run "$driver" run "$w_program" "$w_output" "$w_profile" "$scenario" | tr -d '\r'
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed+=("$scenario")
done

for bmp in "$output"/shots/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots in $output/shots"

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "all $# scenarios passed"
