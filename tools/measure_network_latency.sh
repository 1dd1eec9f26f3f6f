#!/bin/bash
# Time from a reveal on one board to the same card drawn on the other, over 127.0.0.1 under
# Wine: builds the Windows tree, then runs the two-copy network game N times (each a whole game,
# 50 reveals) and prints each run's median and worst.
# The driver watches the other board's card from the moment it posts the click, so the figure
# holds the clicking board's own work too: the peer's share is at most this. Figures, not a test.
#
#   tools/measure_network_latency.sh [runs]      (default 3)
set -eu
source "$(dirname "$0")/win_build.sh"
runs=${1:-3}
win_build Quillon quillon_e2e

output="$build/e2e-latency"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) processors"
for i in $(seq "$runs"); do
    bash "$root/tests/e2e/run_e2e.sh" "$build/bin/Quillon.exe" "$build/tests/e2e/quillon_e2e.exe" \
        "$output" "$root/src/resources/profiles.dat" network_game | grep -E 'reveal to|FAIL' || true
done | tee "$output.txt"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
