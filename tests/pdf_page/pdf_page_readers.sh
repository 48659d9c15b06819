#!/usr/bin/env bash
# A document written through AddPdfPage and pdf.dll, read by qpdf, pdfimages and pdftoppm:
# sound structure, CCITT 1-bit for black and white, Flate gray, JPEG colour, the landscape
# letter page at 400 ppi as 4400 x 3400, black text on white paper, no temporary file left.
#   pdf_page_readers.sh WINE-EXEC TOOL WORKFOLDER
set -u
wine_exec=$1 tool=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
win() { echo "Z:$(pwd | tr / '\\')\\$1"; }

"$wine_exec" "$tool" "$(win scan.pdf)" 3300x2550x1@300 1700x2200x8@200 850x1100x24@100 2550x3300x1@300 ||
  fail "pdf_page_tool failed"
[ -f scan.pdf ] || { echo "FAIL: no scan.pdf"; exit 1; }
qpdf --check scan.pdf >qpdf.txt 2>&1 || fail "qpdf --check: $(cat qpdf.txt)"
pdfimages -list scan.pdf >images.txt 2>&1 || fail "pdfimages refused scan.pdf"
cat images.txt
# page type width height color comp bpc enc interp object ID x-ppi y-ppi ...
row() { awk -v p="$1" '$1 == p {print $4, $5, $6, $7, $8, $9, $13, $14}' images.txt; }
[ "$(row 1)" = "4400 3400 gray 1 1 ccitt 400 400" ] || fail "page 1 is '$(row 1)'"
[ "$(row 2)" = "1700 2200 gray 1 8 image 200 200" ] || fail "page 2 is '$(row 2)'"
[ "$(row 3)" = "850 1100 rgb 3 8 jpeg 100 100" ] || fail "page 3 is '$(row 3)'"
[ "$(row 4)" = "2552 3300 gray 1 1 ccitt 300 300" ] || fail "page 4 is '$(row 4)'"
grep -a -q "/DeviceGray /BitsPerComponent 8 /Filter /FlateDecode" scan.pdf || fail "the gray page is not Flate"
pdftoppm -r 30 -f 4 -l 4 -gray scan.pdf page4 || fail "pdftoppm refused page 4"
read -r mean low < <(convert page4*.pgm -format '%[fx:mean] %[fx:minima]\n' info:)
awk -v m="$mean" -v l="$low" 'BEGIN { exit !(m > 0.6 && l < 0.3) }' ||
  fail "page 4 is not dark text on white paper (mean $mean, darkest $low)"
ls -A | grep -q '~' && fail "temporary file left: $(ls -A)"
[ -e "${WINEPREFIX:-/nonexistent}/drive_c/df" ] && fail "the end call made a file of its own name"

# Black-and-white pages that are not whole bytes wide, or short of the letter length at 200 dpi,
# keep every pixel as scanned: the writer adds white on the right and at the bottom only.
"$wine_exec" "$tool" "$(win padded.pdf)" "1654x2339x1@200=$(win a4.pbm)" "1696x2100x1@200=$(win letter.pbm)" ||
  fail "pdf_page_tool failed on the padded pages"
qpdf --check padded.pdf >/dev/null 2>&1 || fail "qpdf --check refuses padded.pdf"
pdfimages padded.pdf padded || fail "pdfimages refused padded.pdf"
exact() {  # exact PAGE-INDEX SCANNED-PBM WIDTHxHEIGHT
  local out differ
  out=$(ls padded-"$(printf %03d "$1")".* 2>/dev/null | head -1)
  [ -n "$out" ] || { fail "no image $1 in padded.pdf"; return; }
  convert "$2" -background white -extent "$3" expected-"$1".pbm
  [ "$(identify -format '%wx%h' "$out")" = "$3" ] || fail "image $1 is $(identify -format '%wx%h' "$out"), expected $3"
  differ=$(compare -metric AE "$out" expected-"$1".pbm null: 2>&1)
  [ "$differ" = 0 ] || fail "image $1: $differ pixels differ from the scanned page padded with white"
}
exact 0 a4.pbm 1656x2339
exact 1 letter.pbm 1696x2200

[ $failures = 0 ] && echo "all reader checks of the PDF pages passed"
exit $((failures > 0))
