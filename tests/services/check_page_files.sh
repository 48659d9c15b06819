#!/usr/bin/env bash
# The files the page services wrote, read by tools nobody here wrote: the scanned pages FileTiff
# wrote as G4, the bilevel page of the text-or-picture decision against ImageMagick's threshold
# of the same gray page, and the gray page made from a bilevel one.
set -uo pipefail
dir=$1
status=0
fail() { echo "FAIL: $*"; status=1; }

for f in scanned_1.tif scanned_2.tif; do
  tiffinfo "$dir/$f" 2>/dev/null | grep -q 'CCITT Group 4' || fail "$f is not G4"
done

info=$(tiffinfo "$dir/text_page.tif" 2>/dev/null)
grep -q 'Bits/Sample: 1' <<<"$info" || fail "text_page.tif is not 1-bit"
gray_width=$(identify -format %w "$dir/gray_page.tif")
grep -q "Image Width: $gray_width " <<<"$info" || fail "text_page.tif is not $gray_width pixels wide"
convert "$dir/gray_page.tif" -threshold 40% -depth 1 "$dir/gray_threshold.pbm"
convert "$dir/text_page.tif" -depth 1 "$dir/text_page.pbm"
differ=$(compare -metric AE "$dir/gray_threshold.pbm" "$dir/text_page.pbm" null: 2>&1)
total=$(identify -format '%[fx:w*h]' "$dir/gray_page.tif")
echo "text page: $differ of $total pixels differ from ImageMagick's threshold"
awk -v d="$differ" -v t="$total" 'BEGIN { exit !(d / t < 0.02) }' || fail "more than 2 % differ"

depth=$(identify -format %z "$dir/gray_of_bw.tif")
[ "$depth" = 8 ] || fail "gray_of_bw.tif is $depth bits deep"
paper=$(convert "$dir/gray_of_bw.tif" -crop 2550x60+0+0 -format '%[fx:mean]' info:)
echo "gray page: top margin mean $paper"
awk -v m="$paper" 'BEGIN { exit !(m > 0.97) }' || fail "the gray page's paper is not white"
exit $status
