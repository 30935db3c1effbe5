#!/bin/sh
# The board previews of the golden boards and the demo, and the checked-in golden SVGs, parse as
# XML (xmllint) and render (rsvg-convert) without a word on standard error.
#   svg_check.sh QUORLIN_CLI TESTS_DATA DEMO_PCB
set -eu
cli=$1 data=$2 demo=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
n=0
for pcb in "$data"/cases/*/*/board.pcb "$demo"; do
    n=$((n + 1))
    mkdir "$tmp/$n"
    cp "$pcb" "$tmp/$n/board.pcb"
    "$cli" pcb "$tmp/$n/board.pcb" --preview >/dev/null
done
for svg in "$tmp"/*/board.svg "$data"/preview/*.svg "$data"/cases/*/*/expected/*.svg; do
    xmllint --noout "$svg"
    rsvg-convert -w 400 -o "$tmp/out.png" "$svg" 2>"$tmp/err.txt"
    if [ -s "$tmp/err.txt" ]; then
        echo "rsvg-convert $svg:" >&2
        cat "$tmp/err.txt" >&2
        exit 1
    fi
done
echo "svg_check: $n previews and the golden SVGs parse and render"
