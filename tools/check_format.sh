#!/bin/sh
# Fails, naming the files, when a C or C++ source under src/, tests/, tools/ or bench/ strays
# from .clang-format. Files a tool generated (their head says so) are left to that tool.
#   tools/check_format.sh            check; tools/check_format.sh --fix   reformat in place
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
formatter=${CLANG_FORMAT:-clang-format}
command -v "$formatter" >/dev/null 2>&1 ||
    { echo "check_format: $formatter is missing (Debian package clang-format)" >&2; exit 1; }

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    listed=$(git ls-files -- src tests tools bench)
else
    listed=$(find src tests tools bench -type f | sort)
fi
files=""
for f in $(printf '%s\n' "$listed" | grep -E '\.(c|cc|cpp|cxx|h|hh|hpp)$'); do
    [ -f "$f" ] || continue
    head -n 5 "$f" | grep -qi 'generated' && continue
    files="$files $f"
done
[ -n "$files" ] || { echo "check_format: no sources found" >&2; exit 1; }

if [ "${1:-}" = "--fix" ]; then
    # shellcheck disable=SC2086
    "$formatter" -i $files
    exit 0
fi
bad=""
for f in $files; do
    "$formatter" --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
    echo "check_format: not formatted as .clang-format asks (fix with tools/check_format.sh --fix):" >&2
    for f in $bad; do echo "  $f" >&2; done
    exit 1
fi
echo "check_format: $(echo $files | wc -w) files formatted"
