#!/bin/bash
# The installer's end-to-end scenario on a private X display with a fresh Wine prefix. Unlike
# run_e2e.sh it puts nothing into the prefix: the installer alone brings the program and the
# update library.
#
#   run_install_e2e.sh <Quillon-Setup-<version>.exe> <quillon_e2e.exe> <output folder>
#
# Exit status 0 only when the scenario passed.
set -u
if [ $# -ne 3 ]; then
    echo "usage: $0 <Quillon-Setup-<version>.exe> <quillon_e2e.exe> <output folder>" >&2
    exit 2
fi
source "$(dirname "$0")/wine_display.sh"
e2e_display "$0" "$@"
# Shortcuts saved in the prefix would otherwise become menu entries of the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
setup=$(realpath "$1")
driver=$(realpath "$2")
mkdir -p "$3"
output=$(realpath "$3")
e2e_setup "$output" || exit 1
rm -rf "$output/shots"

wine_run "$driver" install "$(win_path "$setup")" "$(win_path "$output")" | tr -d '\r'
status=${PIPESTATUS[0]}
e2e_convert_shots "$output"
exit "$status"
