#!/bin/bash
# Decompression throughput of the update library against zlib's own uncompress, under Wine, in
# the same run: builds the Windows tree's bench program, makes a 20 MB file (text-like content
# with some repetition, compressed as the publisher does) and prints the best of N runs of each
# and their ratio (target >= 0.9x). Figures, not a test.
#
#   tools/measure_decompress.sh [runs]      (default 7)
set -eu
source "$(dirname "$0")/win_build.sh"
runs=${1:-7}

win_build decompress_bench

work="$build/bench/win/measure"
mkdir -p "$work"
sample="$work/sample20mb.z"
/usr/bin/python3 - "$sample" <<'PY'
import random, struct, sys, zlib
rng = random.Random(20)
words = [bytes(rng.choice(b"abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 9)))
         for _ in range(5000)]
parts, size = [], 0
while size < 20_000_000:
    line = b" ".join(rng.choice(words) for _ in range(12)) + b"\r\n"
    parts.append(line)
    size += len(line)
content = b"".join(parts)[:20_000_000]
with open(sys.argv[1], "wb") as f:
    f.write(zlib.compress(content, 9) + struct.pack("<i", len(content)))
PY
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) processors"
export WINEPREFIX="$build/bench/win/wineprefix"
"$root/cmake/wine-run.sh" "$build/bench/win/decompress_bench.exe" "$(winepath -w "$sample" 2>/dev/null)" "$runs" |
    tr -d '\r'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
