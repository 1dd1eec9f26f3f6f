#!/bin/sh
# Rewrites signed_descriptor.xml: the publisher's output for fixture.manifest, signed with the
# development key. Needs the native build (build/native).
#   tests/win/iupdate/data/make_signed_descriptor.sh
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
printf 'Quillon 2.0.15\r\n' >"$work/in/notes.txt"
printf 'MZ not really a program\r\n' >"$work/in/game.exe"
"$root/build/native/tools/publish/quillon-publish" --manifest "$here/fixture.manifest" \
    --input "$work/in" --output "$work/out" --key "$root/packaging/dev_update_key.pem" \
    --descriptor signed_descriptor.xml >/dev/null
cp "$work/out/signed_descriptor.xml" "$here/signed_descriptor.xml"
