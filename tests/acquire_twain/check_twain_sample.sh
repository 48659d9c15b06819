#!/usr/bin/env bash
# Runs the sample caller scan_sample.exe against the simulated TWAIN source and checks every BMP
# it writes with ImageMagick: size, depth and resolution as asked, pixels equal to the page the
# simulated scanner makes.
#   check_twain_sample.sh WINE-EXEC SCAN-SAMPLE-EXE SIM-PAGE-PNM-EXE WORK-FOLDER
set -uo pipefail
wine_exec=$1 sample=$2 pages_tool=$3 work=$4
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
status=0

# case: name, source settings, sample options, pixel kind, dpi, expected page numbers
run_case() {
  local name=$1 ini=$2 options=$3 kind=$4 dpi=$5 numbers=$6
  local dir="$work/twain_sample_$name"
  rm -rf "$dir"; mkdir -p "$dir"
  printf '%b' "$ini" >"$dir/sim_twain.ini"
  local count
  count=$(echo "$numbers" | wc -w)
  # shellcheck disable=SC2086
  if ! QUANDRIX_SIM_TWAIN=$(winpath "$dir/sim_twain.ini") "$wine_exec" "$sample" --kind 1 \
       --source "Quandrix Sim TWAIN" $options --out "$(winpath "$dir/pages")" >"$dir/output.txt" 2>&1; then
    # The sample stops the scan from its callback after the last page it wants; the TWAIN engine
    # answers such a stop with its cancel code -4 where the maker's driver gives back -1.
    if ! grep -q "^ZebAcquire answered -4, $count page(s) written" "$dir/output.txt"; then
      echo "$name: scan_sample failed"; cat "$dir/output.txt"; status=1; return
    fi
  fi
  local i=0 expected_depth=8
  [ "$kind" = bw ] && expected_depth=1
  for n in $numbers; do
    i=$((i + 1))
    local bmp
    bmp=$(printf '%s/pages/page%04d.bmp' "$dir" "$i")
    if [ ! -s "$bmp" ]; then echo "$name: $bmp missing"; status=1; continue; fi
    "$wine_exec" "$pages_tool" "$kind" "$dpi" Letter "$n" "$(winpath "$dir/expected$i.pnm")" || {
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

run_case gray_feeder "[Feeder]\nSheets=5\n" "--pixel gray --dpi 100 --pages 3" gray 100 "1 2 3"
run_case bw_duplex "[Feeder]\nSheets=3\nDuplex=1\n" "--pixel bw --dpi 150 --duplex 1 --pages 4" \
  bw 150 "1 2 3 4"
run_case colour_flatbed "[Feeder]\nFlatbed=1\n" "--pixel colour --dpi 100 --feeder 0 --pages 1" \
  colour 100 "1"
# Sources as they are found in the field, each from a fresh registry.
fresh() { "${WINELOADER:-/usr/lib/wine/wine}" reg delete 'HKCU\Software\Quandrix' /f >/dev/null 2>&1; }
fresh
run_case no_light_path "[Feeder]\nSheets=3\n[Twain]\nUnsupported=0x111e\n" \
  "--pixel gray --dpi 100 --pages 2" gray 100 "1 2"
fresh
run_case no_light_path_glass "[Feeder]\nSheets=3\n[Twain]\nUnsupported=0x111e\n" \
  "--pixel bw --dpi 100 --feeder 0 --pages 1" bw 100 "1"
fresh
run_case depths_of_pixel_type "[Feeder]\nSheets=3\n[Twain]\nDepthsOfPixelType=1\n" \
  "--pixel colour --dpi 100 --pages 2" colour 100 "1 2"
fresh
run_case starts_in_pixels "[Feeder]\nSheets=3\n[Twain]\nPixelUnits=1\n" \
  "--pixel gray --dpi 150 --pages 2" gray 150 "1 2"
# Pages the library assembles from a source that wants large blocks and pads its rows.
for kind in bw gray colour; do
  fresh
  run_case "large_padded_$kind" "[Feeder]\nSheets=3\n[Twain]\nRefuseValue=0x0103:0\nMinBufSize=400000\nRowPadding=8\n" \
    "--pixel $kind --dpi 100 --pages 2" "$kind" 100 "1 2"
done
exit $status
