#!/bin/bash
# Start-up time and memory of Quillon.exe under Wine, next to a plain window as a yardstick:
# builds the Windows tree, then starts each program several times on a private X display and
# prints the median time from CreateProcess to the first painted window, their ratio and
# Quillon's peak working set. Figures, not a test.
#
#   tools/measure_startup.sh [runs]      (default 5)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
build="$root/build/win"

cmake --no-warn-unused-cli -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target Quillon quillon_e2e empty_window >/dev/null

output="$build/e2e-measure"
mkdir -p "$output"
set +e
source "$root/tests/e2e/wine_display.sh"
e2e_setup "$output" || exit 1
# The driver starts each program once more before measuring, so that first-start work (data
# files, Wine's caches) is not counted.
wine_run "$build/tests/e2e/quillon_e2e.exe" measure "$(win_path "$build/bin/Quillon.exe")" \
    "$(win_path "$build/tests/e2e/empty_window.exe")" "$(win_path "$output")" "$runs" | tr -d '\r'
exit "${PIPESTATUS[0]}"
