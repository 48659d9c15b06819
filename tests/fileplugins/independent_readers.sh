#!/usr/bin/env bash
# Reads what the plug-ins wrote (fileplugins_dll_test) with tools nobody here wrote: libtiff's
# tiffinfo and tiffdump, ImageMagick's identify and compare, poppler's pdfinfo and pdftoppm,
# and qpdf. Each page is compared with the reference picture the test wrote beside it.
#   independent_readers.sh FOLDER
set -u
cd "$1" || { echo "FAIL: no folder $1"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pixels=$((120 * 90))

# differing FILE REF FUZZ MAXPERCENT: pixels of FILE further than FUZZ from REF, at most MAXPERCENT
differing() {
  local n
  n=$(compare -metric AE -fuzz "$3%" "$1" "$2" null: 2>&1)
  [[ "$n" =~ ^[0-9]+$ ]] || { fail "compare $1 with $2: $n"; return; }
  [ $((n * 100)) -le $(($4 * pixels)) ] || fail "$1: $n pixels differ from $2 (fuzz $3%)"
}

render_pdf_page() { # PDF PAGE(1-based) COLOUR(0/1) OUTBASE
  local opts=(-r 200 -f "$2" -l "$2" -singlefile)
  [ "$3" = 1 ] || opts+=(-gray)
  pdftoppm "${opts[@]}" "$1" "$4" || fail "pdftoppm cannot render page $2 of $1"
}

shopt -s nullglob
refs=(*.ref.p?m)
[ ${#refs[@]} -ge 20 ] || fail "only ${#refs[@]} reference pictures: did the test run?"
for ref in "${refs[@]}"; do
  base=${ref%.ref.p?m}
  colour=0; [[ $ref == *.ppm ]] && colour=1
  page=1
  if [[ $base =~ ^(.*)\.([0-9])$ ]]; then base=${BASH_REMATCH[1]}; page=${BASH_REMATCH[2]}; fi
  [ -f "$base" ] || { fail "$base was not written"; continue; }
  # ImageMagick releases disagree on which value is black in a 1-bit PCX; its polarity is
  # checked by the plug-in's own reader, its form here below.
  [ "$base" = page_bw.pcx ] && continue
  fuzz=1; most=0
  case $base in
    *.jpg) fuzz=15; most=8 ;;
    mode11_*|*.pdf) fuzz=15; most=8 ;;
  esac
  if [[ $base == *.djvu ]]; then
    ext=pgm; [ "$colour" = 1 ] && ext=ppm
    out=render_${base%.djvu}_$page.$ext
    ddjvu -format=$ext -page="$page" "$base" "$out" 2>/dev/null || { fail "ddjvu cannot render page $page of $base"; continue; }
    size=$(identify -format '%w %h' "$out")
    [ "$size" = "120 90" ] || fail "$base page $page renders at $size, not 120 90"
    # JB2 keeps black and white exactly; IW44 is lossy like JPEG.
    if [[ $ref == *.ppm ]] || [ "$(identify -format '%k' "$ref")" -gt 2 ]; then
      differing "$out" "$ref" 15 8
    else
      differing "$out" "$ref" 1 0
    fi
  elif [[ $base == *.pdf ]]; then
    out=render_${base%.pdf}_$page
    render_pdf_page "$base" "$page" "$colour" "$out"
    ext=pgm; [ "$colour" = 1 ] && ext=ppm
    [ -f "$out.$ext" ] || continue
    size=$(identify -format '%w %h' "$out.$ext")
    [ "$size" = "120 90" ] || fail "$base page $page renders at $size, not 120 90"
    differing "$out.$ext" "$ref" "$fuzz" "$most"
  else
    differing "$base[$((page - 1))]" "$ref" "$fuzz" "$most"
  fi
done

# Black ink renders black: the black-and-white PDF page is as dark as its reference.
render_pdf_page page_bw.pdf 1 0 bw_mean
want=$(convert page_bw.pdf.ref.pgm -format '%[fx:int(mean*1000)]' info:)
got=$(convert bw_mean.pgm -format '%[fx:int(mean*1000)]' info: 2>/dev/null)
[ -n "$got" ] && [ $((got - want)) -le 20 ] && [ $((want - got)) -le 20 ] ||
  fail "page_bw.pdf renders with mean $got, its reference $want"

# dirs FILE N: a TIFF holding N pages, each decoded whole by libtiff
dirs() {
  local n
  n=$(tiffinfo "$1" 2>/dev/null | grep -c '^TIFF Directory')
  [ "$n" = "$2" ] || fail "$1 holds $n pages, not $2"
  tiffinfo -D "$1" >/dev/null 2>&1 || fail "tiffinfo cannot decode $1"
  tiffdump "$1" >/dev/null 2>&1 || fail "tiffdump cannot read $1"
}
dirs multi.tif 3
dirs converted.tif 3
dirs duplex000001.tif 2
dirs duplex000002.tif 2
schemes=$(tiffinfo multi.tif 2>/dev/null | grep 'Compression Scheme' | tr -s ' ' | tr '\n' '|')
[ "$schemes" = " Compression Scheme: CCITT Group 4| Compression Scheme: LZW| Compression Scheme: LZW|" ] ||
  fail "multi.tif compressions: $schemes"

# file|compression scheme|bits per sample|samples per pixel
while IFS='|' read -r f scheme bits samples; do
  [ -f "$f" ] || { fail "$f was not written"; continue; }
  info=$(tiffinfo "$f" 2>&1)
  grep -q "Compression Scheme: $scheme\$" <<<"$info" || fail "$f is not $scheme: $info"
  grep -q "Bits/Sample: $bits\$" <<<"$info" || fail "$f: not $bits bits per sample"
  grep -q "Samples/Pixel: $samples\$" <<<"$info" || fail "$f: not $samples samples"
  grep -q "Resolution: 200, 200 pixels/inch" <<<"$info" || fail "$f: resolution: $info"
  tiffinfo -D "$f" >/dev/null 2>&1 || fail "tiffinfo cannot decode $f"
done <<'TABLE'
mode0_gray.tif|None|8|1
mode1_gray.tif|PackBits|8|1
mode2_bw.tif|CCITT Group 3|1|1
mode5_bw.tif|CCITT Group 4|1|1
mode7_rgb.tif|LZW|8|3
mode11_rgb.tif|JPEG|8|3
mode11_gray.tif|JPEG|8|1
mode13_gray16.tif|AdobeDeflate|16|1
page_gray16.tif|None|16|1
page_rgb48.tif|None|16|3
page_bw.tif|None|1|1
TABLE
tiffinfo page_bw.tif | grep -q 'Photometric Interpretation: min-is-white' || fail "page_bw.tif photometric"

# file|pages
while IFS='|' read -r f n; do
  [ -f "$f" ] || { fail "$f was not written"; continue; }
  got=$(pdfinfo "$f" 2>&1 | awk '/^Pages:/ {print $2}')
  [ "$got" = "$n" ] || fail "pdfinfo: $f has '$got' pages, not $n"
  qpdf --check "$f" >/dev/null 2>&1 || fail "qpdf --check refuses $f"
done <<'TABLE'
multi.pdf|3
converted.pdf|3
page_bw.pdf|1
page_gray.pdf|1
page_rgb.pdf|1
saveas.pdf|1
TABLE

# The other formats as ImageMagick sees them.
while IFS='|' read -r f want; do
  got=$(identify -format '%m %w %h' "$f" 2>&1)
  [ "$got" = "$want" ] || fail "identify $f: '$got', not '$want'"
done <<'TABLE'
page_bw.bmp|BMP3 120 90
page_rgb.pcx|PCX 120 90
page_gray.tga|TGA 120 90
page_rgb.jpg|JPEG 120 90
saveas.tga|TGA 120 90
TABLE

# Black and white as JPEG: one 8-bit gray component, at the page's size and resolution, also
# when its rows came in pieces.
for f in page_bw.jpg pieces_bw.jpg; do
  got=$(identify -format '%m %w %h %[colorspace] %z %[jpeg:colorspace] %x %y %U' "$f" 2>&1)
  [ "$got" = "JPEG 120 90 Gray 8 1 200 200 PixelsPerInch" ] || fail "$f is not 8-bit gray at 200 dpi: $got"
done
got=$(identify -format '%m %w %h %[colorspace] %x %y' pieces_rgb.jpg 2>&1)
[ "$got" = "JPEG 120 90 sRGB 200 200" ] || fail "pieces_rgb.jpg is not colour at 200 dpi: $got"

got=$(identify -format '%z %k' page_bw.pcx 2>&1)
[ "$got" = "1 2" ] || fail "page_bw.pcx is not a two-colour 1-bit picture: $got"

# DjVu, when the plug-in is built: a bundle of three pages, and single pages as DJVU forms.
if [ -f page_bw.djvu ]; then
  pages=$(djvudump multi.djvu 2>&1 | grep -c 'FORM:DJVU')
  [ "$pages" = 3 ] || fail "multi.djvu holds $pages pages, not 3"
  djvudump multi.djvu 2>&1 | head -1 | grep -q 'FORM:DJVM' || fail "multi.djvu is not a bundled document"
  djvudump page_bw.djvu 2>&1 | grep -q 'Sjbz' || fail "page_bw.djvu has no JB2 chunk"
  djvudump page_rgb.djvu 2>&1 | grep -q 'BG44' || fail "page_rgb.djvu has no IW44 chunk"
  djvudump page_gray.djvu 2>&1 | grep -q 'DjVu 120x90, v[0-9]*, 200 dpi' || fail "page_gray.djvu size or resolution"
fi

left=(*.~wr)
[ ${#left[@]} -eq 0 ] || fail "files left half-written: ${left[*]}"

[ $failures -eq 0 ] && echo "all plug-in files read correctly by the outside tools"
exit $((failures > 0))
