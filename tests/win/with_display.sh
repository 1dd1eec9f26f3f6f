#!/bin/bash
# Runs a command on the caller's X display, or on a private Xvfb when there is none, so the
# Windows tests that open real windows run in CI as well as at a desk.
#   with_display.sh <program> [args]
set -u
if [ -z "${DISPLAY:-}" ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/../e2e/wine_display.sh"
    trap e2e_cleanup EXIT
    e2e_start_display "$(mktemp)" || exit 1
fi
"$@"
