#!/bin/bash
# Runs a command on the caller's X display, or on a private Xvfb when there is none, so the
# Windows tests that open real windows run in CI as well as at a desk.
#   with_display.sh <program> [args]
set -u
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
exec "$@"
