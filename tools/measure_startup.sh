#!/bin/bash
# Start-up time of Quillon.exe under Wine against a plain window as a yardstick: builds the
# Windows tree, then on a private X display starts the two in turn, N pairs after one warm-up
# start of each, timing each from CreateProcess to its first painted window. Taken pair by pair,
# the ratio holds when the machine's speed drifts; prints every pair, then the median ratio with
# its spread, and the machine's load before and after. Figures, not a test.
#
#   tools/measure_startup.sh [pairs]      (default 21)
set -eu
source "$(dirname "$0")/win_build.sh"
pairs=${1:-21}
source "$root/tests/e2e/wine_display.sh"
e2e_display "$0" "$@"

win_build Quillon quillon_e2e empty_window

output="$build/e2e-measure"
mkdir -p "$output"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) processors"
set +e
e2e_setup "$output" || exit 1
results="$output/pairs.txt"
wine_run "$build/tests/e2e/quillon_e2e.exe" measure "$(win_path "$build/bin/Quillon.exe")" \
    "$(win_path "$build/tests/e2e/empty_window.exe")" "$(win_path "$output")" "$pairs" |
    tr -d '\r' | tee "$results"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$results" <<'EOF'
import re, statistics, sys
pairs = [[float(x) for x in re.findall(r"([0-9.]+) ms", line)]
         for line in open(sys.argv[1]) if line.startswith("pair")]
if len(pairs) < 2:
    sys.exit("fewer than two pairs were timed")
def spread(name, values, unit=""):
    q1, median, q3 = statistics.quantiles(values, n=4, method="inclusive")
    print(f"{name:38} median {median:7.2f}{unit}  (IQR {q1:.2f}-{q3:.2f}, "
          f"min {min(values):.2f}, max {max(values):.2f}; {len(values)} pairs)")
spread("Quillon, start to first paint", [p[0] for p in pairs], " ms")
spread("empty window, start to first paint", [p[1] for p in pairs], " ms")
spread("ratio per pair (Quillon / empty)", [p[0] / p[1] for p in pairs])
EOF
