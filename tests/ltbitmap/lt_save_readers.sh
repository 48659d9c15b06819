#!/usr/bin/env bash
# Pages written through L_SaveFile, read by libtiff's tiffinfo and ImageMagick's identify and
# compare: the CCITT schemes at 1 bit and the page's dpi, a gray page asked for G4 written
# uncompressed in gray, a page appended to a 2-page file, and a black-and-white page as JPEG.
#   lt_save_readers.sh WINE-EXEC TOOL WORKFOLDER
set -u
wine_exec=$1 tool=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
win() { echo "Z:$(pwd | tr / '\\')\\$1"; }
write() { "$wine_exec" "$tool" "$(win "$1")" "$2" "$3" "$4" "$5" "$6" >/dev/null || fail "writing $1: $*"; }

while IFS='|' read -r code scheme; do
  write "bw_$code.tif" "$code" bw 300 6 1
  info=$(tiffinfo "bw_$code.tif" 2>&1) || fail "tiffinfo refused bw_$code.tif"
  grep -q "Compression Scheme: $scheme\$" <<<"$info" || fail "bw_$code.tif is not $scheme: $info"
  grep -q "Bits/Sample: 1\$" <<<"$info" || fail "bw_$code.tif is not 1 bit: $info"
  grep -q "Resolution: 300, 300 pixels/inch" <<<"$info" || fail "bw_$code.tif resolution: $info"
  tiffinfo -D "bw_$code.tif" >/dev/null 2>&1 || fail "tiffinfo cannot decode bw_$code.tif"
done <<'TABLE'
25|CCITT RLE
27|CCITT Group 3
29|CCITT Group 4
TABLE

write gray_g4.tif 29 gray 200 6 0
info=$(tiffinfo gray_g4.tif 2>&1)
grep -q "Compression Scheme: None\$" <<<"$info" || fail "gray page asked for G4 is compressed: $info"
grep -q "Bits/Sample: 8\$" <<<"$info" || fail "gray page asked for G4 is not 8-bit: $info"
grep -q "Photometric Interpretation: min-is-black" <<<"$info" || fail "gray page is not gray: $info"
grep -q "Resolution: 200, 200 pixels/inch" <<<"$info" || fail "gray page resolution: $info"

write multi.tif 29 bw 300 6 1
write multi.tif 29 bw 300 6 1
cp multi.tif two_pages.tif
write multi.tif 3 gray 300 6 0
pages=$(tiffinfo multi.tif 2>/dev/null | grep -c "^TIFF Directory at")
[ "$pages" = 3 ] || fail "multi.tif has $pages pages after the append, not 3"
for p in 0 1; do
  diff=$(compare -metric AE "two_pages.tif[$p]" "multi.tif[$p]" null: 2>&1)
  [ "$diff" = 0 ] || fail "page $((p + 1)) changed by the append: $diff"
done
[ "$(identify -format '%z' 'multi.tif[2]')" = 8 ] || fail "the appended page is not 8-bit"

write bw.jpg 10 bw 300 2 8
got=$(identify -format '%m %[colorspace] %z %x %y %U' bw.jpg 2>&1)
[ "$got" = "JPEG Gray 8 300 300 PixelsPerInch" ] || fail "bw.jpg is '$got'"
ls ./*.~* 2>/dev/null && fail "temporary files left behind"

[ $failures = 0 ] && echo "all reader checks of L_SaveFile passed"
exit $((failures > 0))
