# Sourced by run_e2e.sh and tools/measure_startup.sh: a private X display and a fresh Wine
# prefix, both taken down again when the calling script exits.
#
#   e2e_setup <output folder>   sets DISPLAY and WINEPREFIX (<output folder>/wineprefix)
#   wine_run <program> [args]   runs a Windows program through cmake/wine-run.sh

e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e_wine_run="$e2e_here/../../cmake/wine-run.sh"
e2e_xvfb_pid=""

wine_run() { "$e2e_wine_run" "$@"; }

e2e_cleanup() {
    # Only what we started: this prefix's wineserver and our Xvfb.
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "$e2e_xvfb_pid" ]; then
        kill "$e2e_xvfb_pid" 2>/dev/null
        wait "$e2e_xvfb_pid" 2>/dev/null
        e2e_xvfb_pid=""
    fi
}

# A display number nobody uses: no lock file, and the new Xvfb must answer.
e2e_start_display() {
    local log=$1 n i
    for n in 90 91 92 93 94 95 96 97 98 99; do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 &
        e2e_xvfb_pid=$!
        for i in $(seq 1 50); do
            kill -0 "$e2e_xvfb_pid" 2>/dev/null || break
            if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.2
        done
        kill "$e2e_xvfb_pid" 2>/dev/null
        wait "$e2e_xvfb_pid" 2>/dev/null
        e2e_xvfb_pid=""
    done
    echo "no free X display among :90..:99" >&2
    return 1
}

e2e_setup() {
    local output=$1
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    export WINEDEBUG=-all
    export WINEPREFIX="$output/wineprefix"
    e2e_start_display "$output/xvfb.log" || return 1
    # A new prefix takes several seconds to set up; do it before anything is watched. A server
    # left over from an interrupted run would otherwise serve the new prefix from the old one.
    if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1; fi
    rm -rf "$WINEPREFIX"
    timeout 300 "$e2e_wine_run" wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
    echo "display $DISPLAY, Wine prefix $WINEPREFIX"
}

# A Unix path as the Windows programs see it.
win_path() { wine_run winepath -w "$1" 2>/dev/null; }
