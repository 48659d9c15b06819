#!/usr/bin/env bash
# Files made by outside writers (libtiff's tiffcp and tiffset, netpbm, ImageMagick) read here to
# the pixels outside readers (tiff2rgba, djpeg, netpbm, ImageMagick) give; each kind has a
# damaged twin that must be refused.
#   outside_writers.sh TOOL WORKFOLDER
set -u
tool=$1
work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The reader's checks are listed and run in one go at the end:
# match FILE PPM: the file reads here to the outside reader's pixels;
# refused FILE CODE: the reader answers exactly this status;
# damage TIFF OUT MODE: a damaged twin (see the tool).
checks=$work/checks
: >"$checks"
match() { echo "match $1 0 $2 0" >>"$checks"; }
refused() { echo "refused $1 0 $2" >>"$checks"; }
damage() { echo "damage $1 $2 $3" >>"$checks"; }
rgba_ppm() { tiff2rgba -c none "$1" "$1.rgba.tif" && convert "$1.rgba.tif" -alpha off -depth 8 "ppm:$2"; }

convert -size 61x43 gradient:red-blue -depth 8 colour.png && convert colour.png \
  -fill '#20C040' -draw 'rectangle 5,3 20,30' -fill white -draw 'circle 45,10 52,14' -type TrueColor \
  -depth 8 colour.tif || fail "convert colour"
convert colour.tif -colorspace Gray -depth 8 -type Grayscale gray.tif || fail "convert gray"
convert colour.tif -colorspace Gray -threshold 50% -monochrome -compress None -depth 1 bw.tif || fail "convert bw"

# TIFF: colour, tiled and JPEG-in-TIFF pages as libtiff reads them; every damaged twin refused
# as undecodable. name|source|tiffcp options|damage
while IFS='|' read -r name source options damage; do
  f=$name.tif
  # shellcheck disable=SC2086
  tiffcp $options "$source" "$f" || { fail "tiffcp $options"; continue; }
  rgba_ppm "$f" "$name.ppm" || { fail "tiff2rgba $f"; continue; }
  match "$f" "$name.ppm"
  for d in $damage; do
    damage "$f" "${d}_$f" "$d" && refused "${d}_$f" -14
  done
done <<'TABLE'
none_strips|colour.tif|-c none -r 8|short
lzw_predictor|colour.tif|-c lzw:2 -r 8|noise short
packbits_strips|colour.tif|-c packbits -r 4|short
tiled_packbits|colour.tif|-c packbits -t -w 16 -l 16|short
tiled_lzw|colour.tif|-c lzw -t -w 16 -l 16|noise short
jpeg_ycbcr|colour.tif|-c jpeg:90 -r 16|noise short
jpeg_rgb|colour.tif|-c jpeg:r:90 -r 16|noise short
jpeg_tiled|colour.tif|-c jpeg:90 -t -w 16 -l 16|noise short
jpeg_gray|gray.tif|-c jpeg:90 -r 16|noise short
lzw_gray|gray.tif|-c lzw -r 8|noise short
g4|bw.tif|-c g4|noise
TABLE
tiffcp -8 colour.tif big.tif && refused big.tif -7

# Orientation: every page kind shows as ImageMagick's auto-orient shows it, and a page stored
# turned and tagged so reads like its untagged twin.
for kind in colour gray bw; do
  orientations="2 3 4 5 6 7 8"
  [ $kind = colour ] && orientations="3 5 8"
  for o in $orientations; do
    f=${kind}_$o.tif
    tiffcp -c lzw $kind.tif "$f" && tiffset -s 274 $o "$f" || { fail "tiffset $o"; continue; }
    convert "$f" -auto-orient -depth 8 "ppm:$f.ppm" && match "$f" "$f.ppm"
  done
done
convert bw.tif -rotate 180 -compress Group4 g4_turned.tif && tiffset -s 274 3 g4_turned.tif &&
  convert bw.tif -depth 8 ppm:bw.ppm && match g4_turned.tif bw.ppm || fail "G4 page stored turned"
convert gray.tif -rotate 270 -compress LZW gray_turned.tif && tiffset -s 274 6 gray_turned.tif &&
  convert gray.tif -depth 8 ppm:gray.ppm && match gray_turned.tif gray.ppm || fail "gray page stored turned"

# JPEG as djpeg decodes it; corrupt entropy data refused as undecodable, a cut file as truncated.
convert colour.tif -quality 85 colour.jpg && djpeg -dct int colour.jpg > colour_jpg.ppm && match colour.jpg colour_jpg.ppm
python3 - colour.jpg corrupt.jpg cut.jpg <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
sos = data.index(b'\xff\xda')
start = sos + 2 + (data[sos + 2] << 8 | data[sos + 3])
middle = start + (len(data) - start) // 2
corrupt = data[:]
for i in range(middle, middle + 24):
    corrupt[i] = (i * 97) % 255
open(sys.argv[2], 'wb').write(corrupt)
open(sys.argv[3], 'wb').write(data[:middle])
PY
djpeg corrupt.jpg 2>&1 >/dev/null | grep -q 'Corrupt JPEG data' || fail "djpeg does not call corrupt.jpg corrupt"
refused corrupt.jpg -14
refused cut.jpg -6

# OS/2 1.x bitmaps (12-byte header) by netpbm and ImageMagick, as netpbm reads them.
convert colour.tif -depth 8 colour.ppm
for bpp in 1 4 8 24; do
  if [ $bpp = 24 ]; then cp colour.ppm in_$bpp.ppm; else pnmquant $((1 << bpp)) colour.ppm > in_$bpp.ppm 2>/dev/null; fi
  ppmtobmp -os2 -bpp $bpp in_$bpp.ppm > os2_$bpp.bmp 2>/dev/null || { fail "ppmtobmp -bpp $bpp"; continue; }
  bmptopnm os2_$bpp.bmp 2>/dev/null | ppmtoppm > os2_$bpp.ppm && match os2_$bpp.bmp os2_$bpp.ppm
done
convert colour.tif -colors 16 bmp2:magick_os2.bmp && bmptopnm magick_os2.bmp 2>/dev/null | ppmtoppm > magick_os2.ppm &&
  match magick_os2.bmp magick_os2.ppm
head -c 400 os2_24.bmp > cut_os2.bmp && refused cut_os2.bmp -6

# PCX at 2 bits a pixel in one plane, as netpbm and ImageMagick read it.
pnmquant 4 colour.ppm > four.ppm 2>/dev/null && ppmtopcx -packed four.ppm > packed2.pcx 2>/dev/null || fail "ppmtopcx"
pcxtoppm packed2.pcx > packed2.ppm && match packed2.pcx packed2.ppm
convert packed2.pcx -depth 8 ppm:packed2_magick.ppm && match packed2.pcx packed2_magick.ppm
head -c 300 packed2.pcx > cut2.pcx && refused cut2.pcx -6

# Gray and alpha TGA (16 bits, plain and run-length coded), made from ImageMagick's gray TGA by
# adding an alpha byte to every pixel: it reads as its gray twin reads in ImageMagick (netpbm and
# ImageMagick take such pixels for 5-5-5 colour, which the format's 16-bit gray is not).
convert gray.tif -type Grayscale -depth 8 -compress None gray8.tga && convert gray8.tga -depth 8 ppm:gray8.ppm || fail "gray TGA"
python3 - gray8.tga gray16.tga gray16_rle.tga gray16_cut.tga <<'PY'
import sys
f = open(sys.argv[1], 'rb').read()
assert f[2] == 3 and f[16] == 8, 'ImageMagick wrote no plain 8-bit gray TGA'
head = bytearray(f[:18 + f[0]])
w, h = f[12] | f[13] << 8, f[14] | f[15] << 8
gray = f[len(head):len(head) + w * h]
head[16] = 16
head[17] = (head[17] & 0xF0) | 8
pixels = b''.join(bytes([g, (i * 7) % 256]) for i, g in enumerate(gray))
open(sys.argv[2], 'wb').write(bytes(head) + pixels)
rle = bytearray()
i = 0
while i < w * h:  # runs of equal gray and alpha as repeat packets, the rest as raw packets
    n = 1
    while i + n < w * h and n < 128 and pixels[2 * (i + n):2 * (i + n) + 2] == pixels[2 * i:2 * i + 2]:
        n += 1
    if n > 1:
        rle += bytes([0x80 | (n - 1)]) + pixels[2 * i:2 * i + 2]
    else:
        rle += bytes([0]) + pixels[2 * i:2 * i + 2]
    i += n
head[2] = 11
open(sys.argv[3], 'wb').write(bytes(head) + rle)
open(sys.argv[4], 'wb').write(bytes(head) + rle[:len(rle) // 2])
PY
match gray16.tga gray8.ppm
match gray16_rle.tga gray8.ppm
refused gray16_cut.tga -6

# GIF without any colour table (reads like its twin with the gray table it stands for) and GIF
# whose image reaches past its logical screen (cut to the screen, as ImageMagick's coalesce does).
python3 - <<'PY'
def lzw(pixels, size=2):
    clear, end = 1 << size, (1 << size) + 1
    codes = []
    for i in range(0, len(pixels), 2):  # a clear code every two pixels keeps the codes 3 bits
        codes += [clear] + pixels[i:i + 2]
    codes.append(end)
    acc = n = 0
    out = bytearray()
    for c in codes:
        acc |= c << n
        n += size + 1
        while n >= 8:
            out.append(acc & 255)
            acc >>= 8
            n -= 8
    if n:
        out.append(acc & 255)
    data = bytearray([size])
    for i in range(0, len(out), 255):
        data += bytes([len(out[i:i + 255])]) + out[i:i + 255]
    return bytes(data + b'\0')
def gif(sw, sh, w, h, left, top, pixels, table=None, background=0):
    b = bytearray(b'GIF89a') + sw.to_bytes(2, 'little') + sh.to_bytes(2, 'little')
    b += bytes([0xF1 if table else 0x71, background, 0]) + bytes(table or b'')
    b += b',' + left.to_bytes(2, 'little') + top.to_bytes(2, 'little')
    b += w.to_bytes(2, 'little') + h.to_bytes(2, 'little') + b'\0'
    return bytes(b + lzw(pixels) + b';')
four = [(x + y // 2) % 4 for y in range(12) for x in range(16)]
two = [(x // 3 + y) % 2 for y in range(12) for x in range(16)]
grays = bytes(v for g in (0, 85, 170, 255) for v in (g, g, g))
open('no_table.gif', 'wb').write(gif(16, 12, 16, 12, 0, 0, four))
open('no_table_twin.gif', 'wb').write(gif(16, 12, 16, 12, 0, 0, four, grays))
open('no_table_bw.gif', 'wb').write(gif(16, 12, 16, 12, 0, 0, two))
open('no_table_bw_twin.gif', 'wb').write(gif(16, 12, 16, 12, 0, 0, two, bytes([0] * 3 + [255] * 6 + [0] * 3)))
colours = bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0])
past = gif(20, 10, 16, 8, 12, 4, [(x * y) % 4 for y in range(8) for x in range(16)], colours, 3)
open('past_screen.gif', 'wb').write(past)
open('past_screen_cut.gif', 'wb').write(past[:len(past) - 12])
PY
for f in no_table no_table_bw; do
  convert ${f}_twin.gif -depth 8 ppm:$f.ppm && match $f.gif $f.ppm
done
convert past_screen.gif -coalesce -depth 8 ppm:past_screen.ppm && match past_screen.gif past_screen.ppm
refused past_screen_cut.gif -6

"$tool" batch "$checks" || failures=$((failures + 1))
echo "$(wc -l <"$checks") checks of the reader"
[ $failures = 0 ] && echo "all outside writer checks passed"
exit $((failures > 0))
