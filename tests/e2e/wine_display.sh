# Sourced by run_e2e.sh, run_install_e2e.sh and tools/measure_startup.sh: the calling script runs
# again on a private X display (e2e_display "$0" "$@"); e2e_setup <output folder> makes a fresh
# Wine prefix there, whose server goes when the script exits; e2e_convert_shots turns the
# driver's screenshots into PNG files.
e2e_wine_run="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../cmake/wine-run.sh"
wine_run() { "$e2e_wine_run" "$@"; }
win_path() { wine_run winepath -w "$1" 2>/dev/null; }  # as the Windows programs see it

e2e_display() {
    [ -n "${E2E_DISPLAY:-}" ] || E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" bash "$@"
}

e2e_setup() {
    export WINEDEBUG=-all WINEPREFIX="$1/wineprefix"
    trap '[ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1' EXIT
    trap 'exit 130' INT TERM
    # Wine reads Unix file names and arguments in the locale's character set.
    [ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
    # A new prefix takes seconds to set up: before anything is timed. A server left over from an
    # interrupted run would serve the new prefix from the old one.
    if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1; fi
    rm -rf "$WINEPREFIX"
    timeout 300 "$e2e_wine_run" wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
    echo "display $DISPLAY, Wine prefix $WINEPREFIX"
}

# The driver's screenshots (shots/*.bmp under the output folder) as PNG files.
e2e_convert_shots() {
    for bmp in "$1"/shots/*.bmp; do
        [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
}
