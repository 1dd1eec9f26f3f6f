#!/bin/bash
# Runs the end-to-end scenarios against the real program on a private X display with a fresh
# Wine prefix, one driver run per scenario; the screenshots are converted to PNG. The program
# and its help file are placed in a folder whose name is not ASCII, and each scenario works a
# copy in a folder below it, so every file the program touches has such a path.
#
#   run_e2e.sh <Quillon.exe> <quillon_e2e.exe> <output folder> <default profiles.dat> [scenario...]
#
# Exit status 0 only when every scenario passed.
set -u
program_folder_name=${E2E_PROGRAM_FOLDER:-"Jeux Mémoire"}  # not ASCII on purpose

if [ $# -lt 4 ]; then
    echo "usage: $0 <Quillon.exe> <quillon_e2e.exe> <output folder> <default profiles.dat> [scenario...]" >&2
    exit 2
fi
source "$(dirname "$0")/wine_display.sh"
e2e_display "$0" "$@"
driver=$(realpath "$2")
mkdir -p "$3"
output=$(realpath "$3")
e2e_setup "$output" || exit 1

# The update library (built beside the program) and zlib in the system folder, the library
# registered, as the installer leaves them.
system32="$WINEPREFIX/drive_c/windows/system32"
cp "$(dirname "$1")/VyxIUpdate.dll" "$(dirname "$1")/zLib.dll" "$system32/"
wine_run regsvr32 /s 'C:\windows\system32\VyxIUpdate.dll'

placed="$output/$program_folder_name"
rm -rf "$placed" "$output/shots" "$output/server"
mkdir -p "$placed"
cp "$1" "$placed/Quillon.exe"
if [ -e "$(dirname "$1")/quillon.chm" ]; then cp "$(dirname "$1")/quillon.chm" "$placed/"; fi
args=("$(win_path "$placed/Quillon.exe")" "$(win_path "$output")" "$(win_path "$(realpath "$4")")")
shift 4
[ $# -gt 0 ] || set -- $(wine_run "$driver" list 2>/dev/null | tr -d '\r' | awk '{print $1}')
[ $# -gt 0 ] || { echo "the driver lists no scenarios" >&2; exit 1; }

# The Linux side (the hostile peer, the maker's server) waits for the scenarios' commands.
/usr/bin/python3 "$(dirname "$0")/services.py" --control 3990 --folder "$output/server" \
    --program "$placed/Quillon.exe" \
    >"$output/services.log" 2>&1 &
peer=$!
for _ in $(seq 100); do grep -q "control on" "$output/services.log" && break; sleep 0.1; done
trap 'kill $peer 2>/dev/null; [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1' EXIT

failed=()
for scenario in "$@"; do
    wine_run "$driver" run "${args[@]}" "$scenario" | tr -d '\r'
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed+=("$scenario")
done
e2e_convert_shots "$output"
echo "screenshots in $output/shots"
[ ${#failed[@]} -eq 0 ] || { echo "FAILED: ${failed[*]}"; exit 1; }
echo "all $# scenarios passed"
