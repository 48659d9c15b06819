#!/usr/bin/env bash
# Runs scan_sample.exe against the simulated scanner, through the maker's driver (kind 0, the
# default) or the ISIS stand-in (kind 2), and checks every BMP it writes with ImageMagick: size,
# depth and resolution as asked, and pixels equal to the scanner's page.
#   check_scan_sample.sh WINE-EXEC SCAN-SAMPLE-EXE SIM-PAGE-PNM-EXE WORK-FOLDER [KIND]
set -uo pipefail
wine_exec=$1 sample=$2 pages_tool=$3 work=$4 driver_kind=${5:-0}
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
status=0

# case: name, settings file text, sample options, pixel kind, dpi, paper, expected page numbers
run_case() {
  local name=$1 ini=$2 options=$3 kind=$4 dpi=$5 paper=$6 numbers=$7
  local dir="$work/scan_sample_$name"
  rm -rf "$dir"; mkdir -p "$dir"
  printf '%b' "$ini" >"$dir/zebsim.ini"
  # shellcheck disable=SC2086
  if ! ZEBSIM_CONFIG=$(winpath "$dir/zebsim.ini") "$wine_exec" "$sample" --kind "$driver_kind" $options \
       --out "$(winpath "$dir/pages")" >"$dir/output.txt" 2>&1; then
    echo "$name: scan_sample failed"; cat "$dir/output.txt"; status=1; return
  fi
  local i=0 expected_depth=8
  [ "$kind" = bw ] && expected_depth=1
  for n in $numbers; do
    i=$((i + 1))
    local bmp
    bmp=$(printf '%s/pages/page%04d.bmp' "$dir" "$i")
    if [ ! -s "$bmp" ]; then echo "$name: $bmp missing"; status=1; continue; fi
    "$wine_exec" "$pages_tool" "$kind" "$dpi" "$paper" "$n" "$(winpath "$dir/expected$i.pnm")" || {
      echo "$name: expected page $n not made"; status=1; continue; }
    local got want
    got=$(identify -units PixelsPerInch -format '%w %h %z %[fx:round(resolution.x)]' "$bmp" 2>&1)
    want=$(identify -format '%w %h' "$dir/expected$i.pnm")" $expected_depth $dpi"
    if [ "$got" != "$want" ]; then echo "$name page $i: identify says '$got', expected '$want'"; status=1; fi
    local differ
    differ=$(compare -metric AE "$bmp" "$dir/expected$i.pnm" null: 2>&1)
    if [ "$differ" != "0" ]; then echo "$name page $i: $differ pixels differ from page $n"; status=1; fi
  done
  local extra
  extra=$(printf '%s/pages/page%04d.bmp' "$dir" "$((i + 1))")
  if [ -e "$extra" ]; then echo "$name: more pages than asked for"; status=1; fi
  [ $status -eq 0 ] && echo "$name: $i page(s) as the scanner made them"
}

run_case gray_feeder "[Feeder]\nSheets=5\n" "--pixel gray --dpi 100 --pages 3" gray 100 Letter "1 2 3"
run_case bw_duplex "[Feeder]\nSheets=3\nDuplex=1\nPaper=A4\n" \
  "--pixel bw --dpi 150 --duplex 1 --paper a4 --pages 4" bw 150 A4 "1 2 3 4"
run_case colour_flatbed "[Feeder]\nFlatbed=1\n" \
  "--pixel colour --dpi 75 --feeder 0 --pages 1" colour 75 Letter "1"

# File transfer: the library writes the page files through the real plug-ins.
# case: name, settings text, sample options, file name, kind, dpi, expected "file[index]=page" list,
# expected told names (in order), per-file page counts "file:count"
run_file_case() {
  local name=$1 ini=$2 options=$3 target=$4 kind=$5 dpi=$6 pages=$7 told=$8 counts=$9
  local dir="$work/scan_sample_$name"
  rm -rf "$dir"; mkdir -p "$dir/files"
  printf '%b' "$ini" >"$dir/zebsim.ini"
  local before=$status
  # shellcheck disable=SC2086
  if ! ZEBSIM_CONFIG=$(winpath "$dir/zebsim.ini") "$wine_exec" "$sample" --kind "$driver_kind" $options \
       --file "$(winpath "$dir/files")\\$target" --out "$(winpath "$dir/pages")" >"$dir/output.txt" 2>&1; then
    echo "$name: scan_sample failed"; cat "$dir/output.txt"; status=1; return
  fi
  local got_told want_told=""
  got_told=$(sed -n 's/^file: .*\\//p' "$dir/output.txt" | tr -d '\r' | tr '\n' ' ')
  for t in $told; do want_told+="$t "; done
  if [ "$got_told" != "$want_told" ]; then echo "$name: told '$got_told', expected '$want_told'"; status=1; fi
  local listed
  listed=$(cd "$dir/files" && ls | tr '\n' ' ')
  local want_listed=""
  for c in $counts; do want_listed+="${c%%:*} "; done
  if [ "$listed" != "$want_listed" ]; then echo "$name: files '$listed', expected '$want_listed'"; status=1; fi
  for c in $counts; do
    local file=${c%%:*} want=${c##*:} n
    case "$file" in
      *.pdf) n=$(pdfinfo "$dir/files/$file" 2>/dev/null | awk '/^Pages:/ {print $2}')
             qpdf --check "$dir/files/$file" >/dev/null 2>&1 || { echo "$name: $file fails qpdf --check"; status=1; } ;;
      *) n=$(tiffinfo "$dir/files/$file" 2>/dev/null | grep -c '^TIFF Directory') ;;
    esac
    if [ "$n" != "$want" ]; then echo "$name: $file holds ${n:-no} pages, expected $want"; status=1; fi
  done
  for p in $pages; do
    local file=${p%%=*} number=${p##*=}
    "$wine_exec" "$pages_tool" "$kind" "$dpi" Letter "$number" "$(winpath "$dir/expected$number.pnm")" || {
      echo "$name: expected page $number not made"; status=1; continue; }
    local differ
    differ=$(compare -metric AE "$dir/files/$file" "$dir/expected$number.pnm" null: 2>&1)
    if [ "$differ" != "0" ]; then echo "$name: $file: $differ pixels differ from page $number"; status=1; fi
  done
  [ $status -eq "$before" ] && echo "$name: files as the scanner's pages"
}

run_file_case tiff_duplex_per_page "[Feeder]\nSheets=2\nDuplex=1\n" \
  "--pixel gray --dpi 75 --duplex 1 --pages 4" doc.tif gray 75 \
  "doc000001A.tif=1 doc000001B.tif=2 doc000002A.tif=3 doc000002B.tif=4" \
  "doc000001A.tif doc000001B.tif doc000002A.tif doc000002B.tif doc000002B.tif" \
  "doc000001A.tif:1 doc000001B.tif:1 doc000002A.tif:1 doc000002B.tif:1"
run_file_case tiff_duplex_per_sheet "[Feeder]\nSheets=2\nDuplex=1\n" \
  "--pixel bw --dpi 100 --duplex 1 --pages 4 --multipage 2" doc.tif bw 100 \
  "doc000001.tif[0]=1 doc000001.tif[1]=2 doc000002.tif[0]=3 doc000002.tif[1]=4" \
  "doc000002.tif" "doc000001.tif:2 doc000002.tif:2"
run_file_case tiff_one_file "[Feeder]\nSheets=3\n" \
  "--pixel gray --dpi 75 --pages 3 --multipage 1" doc.tif gray 75 \
  "doc.tif[0]=1 doc.tif[1]=2 doc.tif[2]=3" "doc.tif" "doc.tif:3"
run_file_case pdf_one_file "[Feeder]\nSheets=3\n" \
  "--pixel gray --dpi 75 --pages 3 --multipage 1" doc.pdf gray 75 "" "doc.pdf" "doc.pdf:3"

# A jam in the third page of one multipage file: the scan answers the jam, the file keeps the
# two pages completed before it.
dir="$work/scan_sample_jam_in_one_file"
rm -rf "$dir"; mkdir -p "$dir/files"
printf '[Feeder]\nSheets=4\n[Fault]\nKind=jam\nPage=3\n' >"$dir/zebsim.ini"
ZEBSIM_CONFIG=$(winpath "$dir/zebsim.ini") "$wine_exec" "$sample" --kind "$driver_kind" --pixel gray --dpi 75 \
  --pages 4 --multipage 1 --file "$(winpath "$dir/files")\\doc.tif" >"$dir/output.txt" 2>&1
jam_ok=1
grep -q "ZebAcquire answered -12" "$dir/output.txt" || { echo "jam: not answered"; jam_ok=0; }
n=$(tiffinfo "$dir/files/doc.tif" 2>/dev/null | grep -c '^TIFF Directory')
[ "${n:-0}" -ge 2 ] || { echo "jam: doc.tif holds ${n:-no} pages"; jam_ok=0; }
for number in 1 2; do
  "$wine_exec" "$pages_tool" gray 75 Letter "$number" "$(winpath "$dir/expected$number.pnm")"
  differ=$(compare -metric AE "$dir/files/doc.tif[$((number - 1))]" "$dir/expected$number.pnm" null: 2>&1)
  [ "$differ" = "0" ] || { echo "jam: page $number differs: $differ"; jam_ok=0; }
done
if [ $jam_ok -eq 1 ]; then echo "jam_in_one_file: pages 1 and 2 kept"; else cat "$dir/output.txt"; status=1; fi

# A name no plug-in writes: the scan stops with a clear status and leaves nothing.
dir="$work/scan_sample_no_plugin"
rm -rf "$dir"; mkdir -p "$dir/files"
printf '[Feeder]\nSheets=1\n' >"$dir/zebsim.ini"
if ZEBSIM_CONFIG=$(winpath "$dir/zebsim.ini") "$wine_exec" "$sample" --kind "$driver_kind" --pixel gray --dpi 75 \
     --file "$(winpath "$dir/files")\\doc.xyz" >"$dir/output.txt" 2>&1; then
  echo "no_plugin: the scan should have failed"; status=1
elif ! grep -q "ZebAcquire answered -7" "$dir/output.txt" || [ -n "$(ls "$dir/files")" ]; then
  echo "no_plugin: unexpected result"; cat "$dir/output.txt"; ls "$dir/files"; status=1
else
  echo "no_plugin: refused with -7, no file"
fi
exit $status
