# Sourced by the measurement scripts: `root` (the source tree), `build` (the Windows tree) and
# win_build <target...>, which configures that tree when needed and builds just those targets.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/win"
win_build() {
    cmake --no-warn-unused-cli -S "$root" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j2 --target "$@" >/dev/null
}
