#!/usr/bin/env bash
# Reads the files viewer_page_ops_test wrote with tiffinfo and ImageMagick: pages deleted and
# kept, packs that lose nothing, pages written back, half-size 4-bit gray saves, rotations and
# mirrors equal to ImageMagick's own, and the skew left after a deskew.
#   check_viewer_pages.sh FOLDER
set -uo pipefail
d=$1
status=0
fail() { echo "FAIL: $*"; status=1; }
pages() { tiffinfo "$1" 2>/dev/null | grep -c '^TIFF Directory'; }
# Pixels that differ between two images (frames as file[n]); "x" when either cannot be read.
differ() {
  local out
  out=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  [[ "$out" =~ ^[0-9]+$ ]] && echo "$out" || echo "x"
}
expect_pages() { local n; n=$(pages "$1"); [ "$n" = "$2" ] || fail "$(basename "$1"): $n pages, $2 expected"; }
expect_same() { local n; n=$(differ "$1" "$2"); [ "$n" = 0 ] || fail "$1 against $2: $n pixels differ"; echo "$1 = $2: $n"; }

three=$d/three.tif
expect_pages "$three" 3
expect_pages "$d/delete.tif" 2
expect_same "$d/delete.tif[0]" "$three[0]"
expect_same "$d/delete.tif[1]" "$three[2]"
expect_same "$d/delete_shown.tif" "$three[2]"
expect_pages "$d/delete_stream.tif" 2
expect_same "$d/delete_stream.tif[0]" "$three[1]"
expect_same "$d/delete_stream.tif[1]" "$three[2]"
for f in pack pack_stream; do
  expect_pages "$d/$f.tif" 3
  for i in 0 1 2; do expect_same "$d/$f.tif[$i]" "$three[$i]"; done
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
expect_pages "$d/write.tif" 3
convert "$three[2]" -negate "$tmp/negated2.png"
expect_same "$d/write.tif[2]" "$tmp/negated2.png"
expect_same "$d/write.tif[0]" "$three[0]"
expect_same "$d/write.tif[1]" "$three[1]"
convert "$three[1]" -negate "$tmp/negated1.png"
expect_same "$d/write_stream.tif[1]" "$tmp/negated1.png"
expect_same "$d/write_stream.tif[2]" "$three[2]"

for f in save_replace:1 save_append:2; do
  name=${f%%:*} count=${f##*:}
  expect_pages "$d/$name.tif" "$count"
  sizes=$(tiffinfo "$d/$name.tif" 2>/dev/null | grep -c 'Image Width: 200 Image Length: 150')
  depths=$(tiffinfo "$d/$name.tif" 2>/dev/null | grep -c 'Bits/Sample: 4')
  echo "$name.tif: $count pages, $sizes at 200x150, $depths at 4 bits"
  [ "$sizes" = "$count" ] && [ "$depths" = "$count" ] || fail "$name.tif is not half-size 4-bit gray"
done

for op in "rotate90:-rotate 90" "rotate180:-rotate 180" "rotate270:-rotate 270" "rotate-90:-rotate -90" \
          "mirror01:-flop" "mirror10:-flip" "mirror11:-flip -flop"; do
  name=${op%%:*} args=${op#*:}
  # shellcheck disable=SC2086
  convert "$three[0]" $args "$tmp/$name.png"
  expect_same "$d/$name.tif" "$tmp/$name.png"
done

angle() { convert "$1" -deskew 40% -format '%[deskew:angle]' info: 2>/dev/null; }
skewed=$(angle "$d/skewed.tif") deskewed=$(angle "$d/deskewed.tif")
echo "skew before the deskew: $skewed degrees (the library measured $(cat "$d/deskew_measured.txt" 2>/dev/null)); after: $deskewed degrees"
awk -v a="$skewed" 'BEGIN { exit !(a != "" && (a > 2.5 || a < -2.5)) }' || fail "the page was not turned by 3 degrees"
awk -v a="$deskewed" 'BEGIN { exit !(a != "" && a < 0.3 && a > -0.3) }' || fail "skew of $deskewed degrees left"
exit $status
