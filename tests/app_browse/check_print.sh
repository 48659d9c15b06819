#!/usr/bin/env bash
# What "Print" sent to the test printer, rendered by Ghostscript: one page, the page shown
# stretched over the printable area.
set -uo pipefail
d=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
[ -s "$d/page2.ps" ] || { echo "FAIL: nothing printed"; exit 1; }
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r30 -o "$tmp/p-%d.png" "$d/page2.ps" >/dev/null 2>&1
n=$(ls "$tmp"/p-*.png 2>/dev/null | wc -l)
[ "$n" = 1 ] || { echo "FAIL: $n pages rendered"; exit 1; }
size=$(identify -format '%wx%h' "$tmp/p-1.png")
convert "$d/page2.bmp" -colorspace gray -resize "$size!" "$tmp/page.png"
convert "$tmp/p-1.png" -colorspace gray "$tmp/printed.png"
e=$(compare -metric RMSE "$tmp/printed.png" "$tmp/page.png" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
echo "printed: $n page of $size, RMSE $e against page 2"
awk -v e="$e" 'BEGIN { exit !(e != "" && e < 0.1) }' || { echo "FAIL: RMSE $e"; exit 1; }
