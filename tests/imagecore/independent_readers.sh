#!/usr/bin/env bash
# TIFF files written here are read by libtiff's tiffinfo and tiffdump and by ImageMagick's
# identify with the compression and resolution asked for; files those tools write read here.
#   independent_readers.sh TOOL WORKFOLDER
set -u
tool=$1
work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# code|bits|tiffinfo's name|identify's name
while IFS='|' read -r code bits scheme magick; do
  f=written_${code}_${bits}.tif
  "$tool" write "$f" "$code" "$bits" 300 || { fail "writing compression $code"; continue; }
  info=$(tiffinfo "$f" 2>&1) || fail "tiffinfo refused $f"
  grep -q "Compression Scheme: $scheme\$" <<<"$info" || fail "tiffinfo: $f is not $scheme: $info"
  grep -q "Resolution: 300, 300 pixels/inch" <<<"$info" || fail "tiffinfo: $f resolution: $info"
  tiffdump "$f" | grep -q "Compression (259) SHORT (3) 1<$code>" || fail "tiffdump: $f compression"
  got=$(identify -format '%C %x %y %U' "$f" 2>&1)
  [ "$got" = "$magick 300 300 PixelsPerInch" ] || fail "identify: $f gives '$got', not $magick"
  tiffinfo -D "$f" >/dev/null 2>&1 || fail "tiffinfo cannot decode $f"
done <<'TABLE'
1|8|None|None
1|24|None|None
2|1|CCITT RLE|RLE
3|1|CCITT Group 3|Fax
4|1|CCITT Group 4|Group4
5|8|LZW|LZW
5|4|LZW|LZW
7|8|JPEG|JPEG
7|24|JPEG|JPEG
32773|1|PackBits|RLE
32773|24|PackBits|RLE
TABLE

# Written by ImageMagick and libtiff, read here: the same pixels as the PNG they came from.
convert -size 96x64 gradient:red-blue -depth 8 -density 200 -units PixelsPerInch colour.png || fail "convert"
convert -size 96x64 pattern:checkerboard -monochrome bw.png || fail "convert"
convert colour.png -colorspace Gray -depth 8 gray.png || fail "convert"
for c in None LZW Zip RLE; do
  convert colour.png -compress $c -density 200 -units PixelsPerInch colour_$c.tif || fail "convert $c"
  "$tool" same colour_$c.tif colour.png 0 || fail "reading colour_$c.tif"
  convert gray.png -compress $c gray_$c.tif && "$tool" same gray_$c.tif gray.png 0 || fail "reading gray_$c.tif"
done
convert colour.png -compress JPEG -quality 95 colour_jpeg.tif && "$tool" same colour_jpeg.tif colour.png 24 ||
  fail "reading colour_jpeg.tif"
for c in Group4 Fax None LZW; do
  convert bw.png -compress $c bw_$c.tif && "$tool" same bw_$c.tif bw.png 0 || fail "reading bw_$c.tif"
done
read -r w h bits x y < <("$tool" read colour_LZW.tif 0)
[ "$w $h $x $y" = "96 64 200 200" ] || fail "colour_LZW.tif size or resolution: $w $h $x $y"
tiffcp -c none bw_Group4.tif bw_tiffcp_none.tif && tiffcp -c g3 bw_tiffcp_none.tif bw_tiffcp_g3.tif &&
  "$tool" same bw_tiffcp_g3.tif bw.png 0 || fail "tiffcp g3"
tiffcp -c lzw colour_None.tif bw_Group4.tif multi.tif || fail "tiffcp multipage"
read -r w h bits x y < <("$tool" read multi.tif 1)
[ "$w $h $bits" = "96 64 1" ] || fail "second page of multi.tif: $w $h $bits"
"$tool" read multi.tif 2 2>/dev/null && fail "a third page that does not exist"

[ $failures = 0 ] && echo "all independent reader checks passed"
exit $((failures > 0))
