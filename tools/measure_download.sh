#!/bin/bash
# Download throughput of the update library against curl, from the maker's server on loopback,
# in the same run: builds the Windows tree's bench program, serves a 20 MB file with
# tools/server, then fetches it N times with each, one after the other, and prints every run,
# the medians and the ratio of the library's throughput to curl's (target >= 0.5x: the message
# pumping after each progress notification must not dominate) and to the platform's own
# URLDownloadToFile, which runs on the same URL monikers. Figures, not a test.
#
#   tools/measure_download.sh [runs]      (default 7)
set -eu
source "$(dirname "$0")/win_build.sh"
runs=${1:-7}

win_build download_bench

work="$build/bench/win/measure-download"
rm -rf "$work"
mkdir -p "$work/updates/files"
head -c 20000000 /dev/urandom >"$work/updates/files/sample20mb.bin"
/usr/bin/python3 "$root/tools/server/quillon_server.py" --port 0 --db "$work/feedback.db" \
    --updates "$work/updates" >"$work/server.out" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null' EXIT
for _ in $(seq 100); do grep -q listening "$work/server.out" && break; sleep 0.1; done
url="$(sed -n 's/.*listening on \(http[^ ]*\).*/\1/p' "$work/server.out")/updates/files/sample20mb.bin"

export WINEPREFIX="$build/bench/win/wineprefix"
target="$(winepath -w "$work/library.bin" 2>/dev/null)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) processors"
"$root/cmake/wine-run.sh" "$build/bench/win/download_bench.exe" "$url" "$target" 1 >/dev/null  # warm-up
for i in $(seq "$runs"); do
    library=$("$root/cmake/wine-run.sh" "$build/bench/win/download_bench.exe" "$url" "$target" 1 |
        tr -d '\r' | awk '{print $2}')
    platform=$("$root/cmake/wine-run.sh" "$build/bench/win/download_bench.exe" "$url" \
        "$(winepath -w "$work/platform.bin" 2>/dev/null)" 1 platform | tr -d '\r' | awk '{print $2}')
    curl_ms=$(curl -s -o "$work/curl.bin" -w '%{time_total}' "$url" | awk '{print $1 * 1000}')
    echo "pair $i: library $library ms, curl $curl_ms ms, platform $platform ms"
done | tee "$work/pairs.txt"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
cmp -s "$work/library.bin" "$work/updates/files/sample20mb.bin" || echo "the library's copy differs!"
/usr/bin/python3 - "$work/pairs.txt" <<'PY'
import re, statistics, sys
runs = [tuple(map(float, re.findall(r"([\d.]+) ms", line))) for line in open(sys.argv[1])]
lib, curl, platform = (statistics.median(r[i] for r in runs) for i in range(3))
print("median: library %.1f ms (%.0f MB/s), curl %.1f ms (%.0f MB/s), platform's "
      "URLDownloadToFile %.1f ms (%.0f MB/s)" % (lib, 20000 / lib, curl, 20000 / curl,
                                                  platform, 20000 / platform))
for name, i in (("curl", 1), ("the platform", 2)):
    ratios = sorted(r[i] / r[0] for r in runs)
    print("throughput ratio library/%s: median %.2fx (pairs %.2f-%.2f)"
          % (name, statistics.median(ratios), ratios[0], ratios[-1]))
PY
