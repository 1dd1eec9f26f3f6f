#!/bin/sh
# Installs what the build and the tests need on Debian; quiet and quick when all is there.
set -e

packages="cmake make g++ googletest libgtest-dev libbenchmark-dev \
g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 libz-mingw-w64-dev \
wine wine64 mingw-w64-tools libwine-dev xvfb xdotool x11-utils imagemagick fp-utils python3 python3-pil clang-format \
clang libclang-rt-14-dev zlib1g-dev libssl-dev nsis zip"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "bootstrap: missing packages:$missing" >&2
    echo "bootstrap: run 'sudo $0' or install them with apt-get" >&2
    exit 1
fi
echo "bootstrap: installing$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing >/dev/null
