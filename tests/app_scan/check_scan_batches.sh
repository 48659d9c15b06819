#!/usr/bin/env bash
# Scans batches with Tarnwick.exe (or Tarnwick2.exe, the second edition's cases) from the
# simulated maker's scanner, driven through its windows as an operator would, and checks what it
# wrote with readers nobody here wrote (tiffinfo, ImageMagick, qpdf, pdfinfo): page files
# pixel-equal to the scanner's pages, one PDF of every continued pass, no folder and no file
# where the scan did not start or failed. Pictures of the main window and of "Prepare Scanner"
# go to the build's screens folder beside WORK.
#   check_scan_batches.sh WINE-EXEC TARNWICK-EXE WINDRIVER-EXE SIM-PAGE-PNM-EXE WORK [CASE...]
set -uo pipefail
wine_exec=$1 tarnwick=$2 windriver=$3 pages_tool=$4 work=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)
. "$here/scan_batch_lib.sh"
status=0
fail() { echo "$case: $*"; status=1; }
shots="$(dirname "$work")/screens"
mkdir -p "$shots"

# expect_pages DIR KIND DPI EXT COUNT: DIR holds exactly 000001.EXT .. COUNT, each equal to the
# simulator's page of that number.
expect_pages() {
  local dir=$1 kind=$2 dpi=$3 ext=$4 count=$5 n f
  local listed want=""
  listed=$(cd "$dir" && ls | tr '\n' ' ')
  for n in $(seq 1 "$count"); do want+=$(printf '%06d.%s ' "$n" "$ext"); done
  [ "$listed" = "$want" ] || fail "files '$listed', expected '$want'"
  for n in $(seq 1 "$count"); do
    f=$(printf '%s/%06d.%s' "$dir" "$n" "$ext")
    [ -s "$f" ] || continue
    "$wine_exec" "$pages_tool" "$kind" "$dpi" Letter "$n" "$(winpath "$work/$case/expected.pnm")" ||
      { fail "page $n not made by the simulator"; continue; }
    local differ
    differ=$(compare -metric AE "$f" "$work/$case/expected.pnm" null: 2>&1)
    [ "$differ" = "0" ] || fail "$(basename "$f"): $differ pixels differ from the scanner's page $n"
  done
}

# Every text of the "Prepare Scanner" dialog fits its control; a picture of it is kept.
expect_whole_texts() {
  local cut
  cut=$(drive cut '#32770' "$prepare_title") || fail "texts cut in Prepare Scanner: $cut"
  drive picture '#32770' "$prepare_title" "$(winpath "$shots/${case}_prepare.png")" >/dev/null ||
    fail "no picture of Prepare Scanner"
}

# The one batch folder the scan made, named YYYYMMDD-hhmmss.
batch_folder() {
  local folders root="$work/$case/${scan_root:-scans}"
  folders=$(ls "$root")
  [ "$(echo "$folders" | grep -c .)" = 1 ] || { fail "batch folders: '$folders'"; return 1; }
  echo "$folders" | grep -Eq '^[0-9]{8}-[0-9]{6}$' || { fail "folder name '$folders'"; return 1; }
  echo "$root/$folders"
}

# The times the scan library was started (ZebLoad) in a log.
count_bindings() { tr -d '\r' <"$1" | awk '$1 == "Out" && $3 == "ZebLoad"' | wc -l; }

case_g4_feeder() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\nFitToPage=1\r\n' \
    '[Feeder]\nSheets=5\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local label
  label=$(wait_prepare)
  [ "$label" = "$(printf '\xe7\x9b\xae\xe5\x89\x8d\xe5\xb7\xb1\xe6\x89\xab\xe7\x9e\x84 5   \xe9\xa1\xb5')" ] ||
    fail "page label '$label'"
  drive picture '#32770' "$prepare_title" "$(winpath "$shots/first_edition_prepare_scanner.png")" >/dev/null ||
    fail "no picture of Prepare Scanner"
  expect_whole_texts
  stop_batch
  sleep 1
  drive picture TTarnwickForm Folvex "$(winpath "$shots/first_edition_scan.png")" >/dev/null ||
    fail "no picture of the main window"
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" bw 200 tif 5
  local f info
  for f in "$dir"/*.tif; do
    info=$(tiffinfo "$f" 2>&1)
    echo "$info" | grep -q 'Bits/Sample: 1' || fail "$(basename "$f") is not 1 bit"
    echo "$info" | grep -q 'Compression Scheme: CCITT Group 4' || fail "$(basename "$f") is not G4"
    echo "$info" | grep -q 'Resolution: 200, 200 pixels/inch' || fail "$(basename "$f") is not 200 dpi"
  done
  echo "$case: 5 G4 pages as the scanner made them; picture $shots/first_edition_scan.png"
}

# A batch root named "Digitalização 扫描", which no ANSI code page holds whole, under a Chinese
# and under a Portuguese one (LANG): the batch folder is made under that exact name (seen from
# here), its G4 pages are the scanner's, and no other folder appears beside it.
# Without the machine's locale of that name Wine falls back to ASCII file names, so such a
# case is skipped (said so); under C.UTF-8 the code page is Western, which lacks 扫描.
case_unicode_root_zh() { unicode_root zh_CN.UTF-8; }
case_unicode_root_pt() { unicode_root pt_BR.UTF-8; }
case_unicode_root_western() { unicode_root C.UTF-8; }
unicode_root() {  # LANG for this case only
  local saved=${LANG:-C.UTF-8}
  export LANG=$1
  unicode_root_scan
  export LANG=$saved
}
unicode_root_scan() {
  if [ "$LANG" != C.UTF-8 ] && ! locale -a 2>/dev/null | grep -qix "${LANG%%.*}.utf-\?8"; then
    echo "$case: skipped, this machine has no $LANG locale"
    return
  fi
  scan_root=$(printf 'Digitaliza\xc3\xa7\xc3\xa3o \xe6\x89\xab\xe6\x8f\x8f')
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\n' \
    '[Feeder]\nSheets=3\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  wait_prepare >/dev/null || fail "no Prepare Scanner dialog"
  stop_batch
  sleep 1
  drive picture TTarnwickForm Folvex "$(winpath "$shots/$case.png")" >/dev/null ||
    fail "no picture of the main window"
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local listed dir
  listed=$(ls "$work/$case" | grep -v -e '^zebsim.ini$' -e '^tarnwick.out$' -e '^expected.pnm$' | tr '\n' '|')
  [ "$listed" = "$scan_root|" ] || fail "folders beside the root: '$listed'"
  dir=$(batch_folder) && expect_pages "$dir" bw 200 tif 3
  # The settings written on close keep the root whole.
  iconv -f UTF-16LE -t UTF-8 "$(settings_file)" 2>/dev/null | grep -q "Path=.*$scan_root" ||
    fail "the settings file lost the root's name"
  echo "$case: 3 G4 pages in $dir"
  scan_root=
}

case_png_queue() {
  start_tarnwick "$work/$case" 'Image Type=1\r\nResolution=0\r\nScan Method=0\r\nSave Format=1\r\n' \
    '[Feeder]\nSheets=20\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local label
  label=$(wait_prepare)
  case $label in *" 20 "*) ;; *) fail "page label '$label'" ;; esac
  stop_batch
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" gray 100 png 20
  echo "$case: 20 PNG pages through the save queue"
}

case_pdf_flatbed() {
  local out="$work/$case/out"
  mkdir -p "$out"
  start_tarnwick "$work/$case" 'Image Type=1\r\nResolution=0\r\nScan Method=1\r\nSave Format=11\r\n' \
    '[Feeder]\nFlatbed=1\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local save_title
  save_title=$(printf '\xe5\x82\xa8\xe5\xad\x98\xe6\x88\x90 PDF \xe6\xa1\xa3\xe6\xa1\x88\xe6\xa0\xbc\xe5\xbc\x8f')
  drive find '#32770' "$save_title" 30000 >/dev/null || { fail "no save dialog"; close_tarnwick; return; }
  drive settext '#32770' "$save_title" 1148 "$(winpath "$out")\\batch" >/dev/null
  drive command '#32770' "$save_title" 1 >/dev/null
  local pass label
  for pass in 1 2 3 4; do
    label=$(wait_prepare)
    case $label in *" $pass "*) ;; *) fail "pass $pass: page label '$label'" ;; esac
    if [ $pass -lt 4 ]; then continue_batch; drive gone '#32770' "$prepare_title" 10000; else stop_batch; fi
  done
  sleep 1
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local listed
  listed=$(cd "$out" && ls -A | tr '\n' ' ')
  [ "$listed" = "batch.pdf " ] || fail "files beside the document: '$listed'"
  qpdf --check "$out/batch.pdf" >/dev/null 2>&1 || fail "batch.pdf fails qpdf --check"
  local n
  n=$(pdfinfo "$out/batch.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  [ "$n" = 4 ] || fail "batch.pdf has '$n' pages, expected 4"
  [ -z "$(ls -A "$work/$case/scans")" ] || fail "a batch folder was made: $(ls "$work/$case/scans")"
  echo "$case: one PDF of 4 pages from 4 passes"
}

# A multipage TIFF chosen again: the operator agrees to replace it, and the file then holds the
# new batch's pages only.
case_multitif_again() {
  local out="$work/$case/out"
  mkdir -p "$out"
  convert -size 64x64 xc:white xc:black xc:white -compress Group4 "$out/batch.tif"
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=10\r\n' \
    '[Feeder]\nSheets=2\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local save_title
  save_title=$(printf '\xe5\x82\xa8\xe5\xad\x98 TIF \xe5\xa4\x9a\xe9\xa1\xb5\xe6\xa1\xa3\xe6\xa1\x88\xe6\xa0\xbc\xe5\xbc\x8f')
  drive find '#32770' "$save_title" 30000 >/dev/null || { fail "no save dialog"; close_tarnwick; return; }
  drive settext '#32770' "$save_title" 1148 "$(winpath "$out")\\batch.tif" >/dev/null
  drive command '#32770' "$save_title" 1 >/dev/null
  # The replace question comes over the save dialog, under the same title.
  local i
  for i in $(seq 1 50); do [ "$(drive count '#32770' "$save_title")" = 2 ] && break; sleep 0.2; done
  drive answer "$save_title" 6 5000 >/dev/null || fail "no replace question"
  local label
  label=$(wait_prepare)
  case $label in *" 2 "*) ;; *) fail "page label '$label'" ;; esac
  stop_batch
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local listed n
  listed=$(cd "$out" && ls -A | tr '\n' ' ')
  [ "$listed" = "batch.tif " ] || fail "files beside the document: '$listed'"
  n=$(tiffinfo "$out/batch.tif" 2>/dev/null | grep -c '^TIFF Directory')
  [ "$n" = 2 ] || fail "batch.tif has $n pages, expected the new 2"
  local p differ
  for p in 0 1; do
    "$wine_exec" "$pages_tool" bw 200 Letter $((p + 1)) "$(winpath "$work/$case/expected.pnm")"
    differ=$(compare -metric AE "$out/batch.tif[$p]" "$work/$case/expected.pnm" null: 2>&1)
    [ "$differ" = "0" ] || fail "page $((p + 1)): $differ pixels differ"
  done
  [ -z "$(ls -A "$work/$case/scans")" ] || fail "a batch folder was made"
  echo "$case: the chosen TIFF replaced by the 2 new pages"
}

# Closing the window while a run is going on (the close comes in while the pass or its dialog
# pumps messages) is refused; the batch ends as usual and the window closes afterwards.
case_close_during_run() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=1\r\n' \
    '[Feeder]\nSheets=3\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  drive close TTarnwickForm Folvex >/dev/null
  local label
  label=$(wait_prepare)
  case $label in *" 3 "*) ;; *) fail "page label '$label'" ;; esac
  drive find TTarnwickForm Folvex 1000 >/dev/null || fail "the window closed during the run"
  stop_batch
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" bw 200 png 3
  echo "$case: the close refused until the run ended"
}

case_no_paper() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\n' \
    '[Feeder]\nSheets=0\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local text
  text=$(answer_box)
  case $text in *"$(printf 'ADF\xe4\xb8\x8a\xe6\xb2\xa1\xe6\x9c\x89\xe6\x94\xbe\xe7\xba\xb8')"*) ;; *) fail "message '$text'" ;; esac
  drive find TTarnwickForm Folvex 1000 >/dev/null || fail "the program went away"
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  [ -z "$(ls -A "$work/$case/scans")" ] || fail "a batch folder was made"
  echo "$case: the paper message, no folder"
}

case_jam() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\n' \
    '[Feeder]\nSheets=5\n[Fault]\nKind=jam\nPage=3\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local text
  text=$(answer_box 60000)
  case $text in *"$(printf '\xe5\x8f\x91\xe7\x94\x9f\xe6\x89\xab\xe7\x9e\x84\xe9\x94\x99\xe8\xaf\xaf')"*-12*) ;; *) fail "message '$text'" ;; esac
  local label
  label=$(wait_prepare)
  case $label in *" 2 "*) ;; *) fail "page label '$label'" ;; esac
  stop_batch
  close_tarnwick
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" bw 200 tif 2
  echo "$case: pages 1-2 whole, the jam shown"
}

# scan_gray_page_logged: one gray page from the feeder with the library's debug log on; leaves
# the log's name in $log and the pass's calls as "function tag" lines (tags in decimal) in $calls.
scan_gray_page_logged() {
  debug_level=1 start_tarnwick "$work/$case" \
    'Image Type=1\r\nResolution=0\r\nScan Method=0\r\nSave Format=6\r\nDuplex=1\r\n' '[Feeder]\nSheets=1\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  wait_prepare >/dev/null
  stop_batch
  close_tarnwick
  log="$work/$case/ondrel.txt"
  [ -s "$log" ] || { fail "no log"; return 1; }
  calls=$(tr -d '\r' <"$log" | awk '$1 == "In" && $3 ~ /^(ZebSetValue|ZebGetValue|SetPropTWAIN|ZebAcquire)$/ {
            print $3, $5 }' | sed 's/ $//')
}

case_debug_log() {
  local log calls head tail
  scan_gray_page_logged || return
  # From the product name to the record, then after the library has stored the record, the
  # per-channel tags up to the acquisition.
  head=$(echo "$calls" | sed -n '/ZebGetValue 36868/,/SetPropTWAIN/p' | tr '\n' ';')
  tail=$(echo "$calls" | sed -n '/SetPropTWAIN/,/ZebAcquire/p' | tail -15 | tr '\n' ';')
  [ "$head" = "ZebGetValue 36868;ZebSetValue 37121;ZebSetValue 37632;ZebSetValue 37641;ZebSetValue 36945;SetPropTWAIN;" ] ||
    fail "calls before the record: '$head'"
  local channels="ZebSetValue 37385;ZebSetValue 37380;ZebSetValue 37381;"
  [ "$tail" = "ZebSetValue 37636;$channels$channels$channels${channels}ZebSetValue 37385;ZebAcquire;" ] ||
    fail "calls after the record: '$tail'"
  local loads
  loads=$(count_bindings "$log")
  [ "$loads" = 1 ] || fail "the library was bound $loads times, expected once for the run"
  echo "$case: the pass's tags in order"
}

# The settings file as text, whether it was written as UTF-16 (with its byte-order mark) or not.
settings_text() {
  local f; f=$(settings_file)
  if [ "$(head -c 2 "$f" | od -An -tx1 | tr -d ' \n')" = fffe ]; then
    tail -c +3 "$f" | iconv -f UTF-16LE -t UTF-8
  else
    cat "$f"
  fi
}

# Gray runs with colour drop-out "none": the per-channel tags of each pass leave the operator's
# choice as it was, however many runs the operator makes.
case_gray_dropout_kept() {
  start_tarnwick "$work/$case" 'Image Type=1\r\nResolution=0\r\nScan Method=1\r\nSave Format=6\r\nFilter=0\r\n' \
    '[Feeder]\nFlatbed=1\n'
  local run label
  for run in 1 2 3; do
    drive command TTarnwickForm Folvex 40108 >/dev/null
    label=$(wait_prepare)
    case $label in *" 1 "*) ;; *) fail "run $run: page label '$label'" ;; esac
    stop_batch
    drive gone '#32770' "$prepare_title" 10000 >/dev/null
    sleep 0.5
  done
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local filter
  filter=$(settings_text | tr -d '\r' | grep '^Filter=')
  [ "$filter" = "Filter=0" ] || fail "settings after 3 gray runs: '$filter', expected Filter=0"
  echo "$case: Filter=0 after 3 gray runs"
}

# A source that delivers no page (a camera with no pictures): the program says so, and the dated
# folder it made for the batch is gone afterwards.
case_no_page() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=1\r\nSave Format=9\r\n' \
    '[Feeder]\nFlatbed=1\nEmpty=1\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local text want
  text=$(answer_box 60000)
  if [ "$edition" = 2 ]; then want=$(printf 'O scanner n\xc3\xa3o enviou nenhuma p\xc3\xa1gina!!')
  else want=$(printf '\xe6\x89\xab\xe7\x9e\x84\xe5\x99\xa8\xe6\xb2\xa1\xe6\x9c\x89\xe9\x80\x81\xe5\x87\xba\xe4\xbb\xbb\xe4\xbd\x95\xe9\xa1\xb5\xe9\x9d\xa2!!'); fi
  [ "$text" = "$want" ] || fail "message '$text', expected '$want'"
  local label
  label=$(wait_prepare)
  case $label in *" 0 "*) ;; *) fail "page label '$label'" ;; esac
  stop_batch
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  [ -z "$(ls -A "$work/$case/scans")" ] || fail "folders left: $(ls "$work/$case/scans")"
  echo "$case: the no-page message, no empty folder"
}

# The second edition: three pages from the feeder as G4 TIFF files, previewed and thumbnailed.
case_second_g4_feeder() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\nFitToPage=1\r\n' \
    '[Feeder]\nSheets=3\n'
  local docs_ini
  docs_ini="$(documents_folder)/TarnwickForm.ini"
  rm -f "$docs_ini"
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local label
  label=$(wait_prepare)
  [ "$label" = "$(printf 'Escaneado agora 3  p\xc3\xa1ginas')" ] || fail "page label '$label'"
  drive picture '#32770' "$prepare_title" "$(winpath "$shots/second_edition_prepare_scanner.png")" >/dev/null ||
    fail "no picture of Prepare Scanner"
  expect_whole_texts
  stop_batch
  sleep 1
  drive picture TTarnwickForm Folvex "$(winpath "$shots/second_edition_scan.png")" >/dev/null ||
    fail "no picture of the main window"
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  [ ! -e "$docs_ini" ] || fail "settings written to the documents folder"
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" bw 200 tif 3
  local f info
  for f in "$dir"/*.tif; do
    info=$(tiffinfo "$f" 2>&1)
    echo "$info" | grep -q 'Bits/Sample: 1' || fail "$(basename "$f") is not 1 bit"
    echo "$info" | grep -q 'Compression Scheme: CCITT Group 4' || fail "$(basename "$f") is not G4"
    echo "$info" | grep -q 'Resolution: 200, 200 pixels/inch' || fail "$(basename "$f") is not 200 dpi"
    identify "$f" >/dev/null 2>&1 || fail "$(basename "$f") is refused by identify"
  done
  echo "$case: 3 G4 pages as the scanner made them; picture $shots/second_edition_scan.png"
}

# The second edition's PDF mode: three gray pages from the feeder in one document.
case_second_pdf() {
  local out="$work/$case/out"
  mkdir -p "$out"
  start_tarnwick "$work/$case" 'Image Type=1\r\nResolution=0\r\nScan Method=0\r\nSave Format=11\r\n' \
    '[Feeder]\nSheets=3\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local save_title='Salvar como Arquivo PDF'
  drive find '#32770' "$save_title" 30000 >/dev/null || { fail "no save dialog"; close_tarnwick; return; }
  drive settext '#32770' "$save_title" 1148 "$(winpath "$out")\\batch" >/dev/null
  drive command '#32770' "$save_title" 1 >/dev/null
  local label
  label=$(wait_prepare)
  case $label in *" 3 "*) ;; *) fail "page label '$label'" ;; esac
  stop_batch
  sleep 1
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local listed n
  listed=$(cd "$out" && ls -A | tr '\n' ' ')
  [ "$listed" = "batch.pdf " ] || fail "files beside the document: '$listed'"
  qpdf --check "$out/batch.pdf" >/dev/null 2>&1 || fail "batch.pdf fails qpdf --check"
  n=$(pdfinfo "$out/batch.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  [ "$n" = 3 ] || fail "batch.pdf has '$n' pages, expected 3"
  [ -z "$(ls -A "$work/$case/scans")" ] || fail "a batch folder was made"
  echo "$case: one PDF of 3 pages"
}

# The second edition sends one brightness and contrast pair for gray pages, and binds the library
# afresh for the paper answer before the run.
case_second_debug_log() {
  local log calls tail
  scan_gray_page_logged || return
  # After the record the library pushes its own tags; the application's pair comes last, and no
  # COLORMATCH is sent.
  tail=$(echo "$calls" | sed -n '/SetPropTWAIN/,/ZebAcquire/p' | tail -3 | tr '\n' ';')
  [ "$tail" = "ZebSetValue 37380;ZebSetValue 37381;ZebAcquire;" ] || fail "calls before the acquisition: '$tail'"
  echo "$calls" | sed -n '/SetPropTWAIN/,/ZebAcquire/p' | grep -q 'ZebSetValue 37636' &&
    fail "COLORMATCH sent for gray"
  local loads
  loads=$(count_bindings "$log")
  [ "$loads" = 3 ] || fail "the library was bound $loads times, expected 3 (checks, paper, run)"
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" gray 100 tif 1
  echo "$case: one pair for gray, three bindings"
}

# With "ThumnailShow" on the pages get no thumbnails and the strip is hidden. The first edition
# then steps through the file list of the pages it saved; the second moves the empty strip only.
case_hidden_strip_step() {
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\nThumnailShow=1\r\n' \
    '[Feeder]\nSheets=3\n'
  drive command TTarnwickForm Folvex 40108 >/dev/null
  wait_prepare >/dev/null
  stop_batch
  sleep 1
  drive command TTarnwickForm Folvex 40704 >/dev/null  # the next page
  local text="" i
  for i in $(seq 1 30); do
    text=$(drive status TTarnwickForm Folvex 41002 1)
    [ -n "$text" ] && break
    sleep 0.2
  done
  if [ "$edition" = 2 ]; then
    [ -z "$text" ] || fail "a page was shown past the hidden strip: '$text'"
  else
    case $text in "File Type:TIFF Width:"*) ;; *) fail "status '$text' after the next page" ;; esac
  fi
  close_tarnwick
  [ "$tarnwick_exit" = 0 ] || fail "exit code $tarnwick_exit"
  local dir
  dir=$(batch_folder) || return
  expect_pages "$dir" bw 200 tif 3
  echo "$case: the next page with the strip hidden: '${text:-nothing}'"
}

# small_disk DIR KB: DIR becomes a tmpfs of KB kilobytes (the tests run as root); every one is
# unmounted at the end of its case and when the script ends, however it ends.
small_disks=()
small_disk() {
  mkdir -p "$1"
  mount -t tmpfs -o "size=${2}k" tmpfs "$1" || { fail "no tmpfs at $1"; return 1; }
  small_disks+=("$1")
}
release_small_disks() {
  local d
  for d in "${small_disks[@]}"; do umount "$d" 2>/dev/null || umount -l "$d" 2>/dev/null; done
  small_disks=()
}
trap release_small_disks EXIT

# The feeder's report of the pages it took in (the simulator's [Report] Feeds file).
feeds_line() { printf '[Report]\nFeeds=Z:%s/fed.txt\n' "$work/$case"; }
pages_fed() { tr -d '\r' <"$work/$case/fed.txt" 2>/dev/null | sed -n 's/^Fed=//p'; }

disk_full_text=$(printf '\xe7\xa3\x81\xe7\x9b\x98\xe5\xb7\xb2\xe6\xbb\xa1')  # string 1040 begins so

# disk_full_message: the one message of a page the full disk did not take, then no "Prepare
# Scanner": the batch has stopped.
disk_full_message() {
  local text
  text=$(answer_box 60000)
  case $text in "$disk_full_text"*) ;; *) fail "message '$text' $(drive text '#32770' Folvex)" ;; esac
  drive find '#32770' "$prepare_title" 3000 >/dev/null && { fail "Prepare Scanner after the failure"; stop_batch; }
  drive find '#32770' Folvex 2000 >/dev/null && fail "a second message: '$(answer_box)'"
}

# expect_fed SAVED: the feeder took in the pages saved and the one that failed, no further sheet.
expect_fed() {
  local fed
  fed=$(pages_fed)
  [ "$fed" = $(($1 + 1)) ] || fail "the feeder took in '$fed' pages for $1 saved"
}

# Single G4 page files into a batch folder on a disk with room for about two and a half pages.
case_disk_full_tiff() {
  small_disk "$work/$case/scans" 16 || return
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=9\r\n' \
    "[Feeder]\nSheets=8\n$(feeds_line)"
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local dir n listed
  disk_full_message
  listed=$(drive list TTarnwickForm Folvex 41003 | grep -c .)
  close_tarnwick
  dir=$(batch_folder) || { fail "$dir"; release_small_disks; return; }
  n=$(ls "$dir" | wc -l)
  expect_fed "$n"
  [ "$n" -ge 1 ] && [ "$n" -lt 8 ] || fail "$n page files on the small disk"
  [ "$listed" = "$n" ] || fail "$listed pages counted, $n written"
  expect_pages "$dir" bw 200 tif "$n"
  local f
  for f in "$dir"/*; do tiffinfo "$f" >/dev/null 2>&1 || fail "$(basename "$f") fails tiffinfo"; done
  release_small_disks
  echo "$case: $n whole pages, the full disk said once, the feeder stopped"
}

# One multipage TIFF on a small disk: the pages that fit, in a sound file under the chosen name.
case_disk_full_multitif() {
  local out="$work/$case/out"
  small_disk "$out" 16 || return
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=10\r\n' \
    "[Feeder]\nSheets=8\n$(feeds_line)"
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local save_title
  save_title=$(printf '\xe5\x82\xa8\xe5\xad\x98 TIF \xe5\xa4\x9a\xe9\xa1\xb5\xe6\xa1\xa3\xe6\xa1\x88\xe6\xa0\xbc\xe5\xbc\x8f')
  drive find '#32770' "$save_title" 30000 >/dev/null || { fail "no save dialog"; close_tarnwick; release_small_disks; return; }
  drive settext '#32770' "$save_title" 1148 "$(winpath "$out")\\batch.tif" >/dev/null
  drive command '#32770' "$save_title" 1 >/dev/null
  disk_full_message
  close_tarnwick
  local listed n
  listed=$(cd "$out" && ls -A | tr '\n' ' ')
  [ "$listed" = "batch.tif " ] || fail "files beside the document: '$listed'"
  tiffinfo "$out/batch.tif" >/dev/null 2>"$work/$case/tiffinfo.err" || fail "batch.tif fails tiffinfo: $(head -2 "$work/$case/tiffinfo.err")"
  n=$(tiffinfo "$out/batch.tif" 2>/dev/null | grep -c '^TIFF Directory')
  [ "$n" -ge 1 ] && [ "$n" -lt 8 ] || fail "batch.tif has $n pages"
  expect_fed "$n"
  local p differ
  for p in $(seq 0 $((n - 1))); do
    "$wine_exec" "$pages_tool" bw 200 Letter $((p + 1)) "$(winpath "$work/$case/expected.pnm")"
    differ=$(compare -metric AE "$out/batch.tif[$p]" "$work/$case/expected.pnm" null: 2>&1)
    [ "$differ" = "0" ] || fail "page $((p + 1)): $differ pixels differ"
  done
  release_small_disks
  echo "$case: batch.tif sound with the $n pages that fit, the feeder stopped"
}

# One PDF on a small disk: the pages that fit, in a document qpdf accepts.
case_disk_full_pdf() {
  local out="$work/$case/out"
  small_disk "$out" 16 || return
  start_tarnwick "$work/$case" 'Image Type=0\r\nResolution=2\r\nScan Method=0\r\nSave Format=11\r\n' \
    "[Feeder]\nSheets=8\n$(feeds_line)"
  drive command TTarnwickForm Folvex 40108 >/dev/null
  local save_title
  save_title=$(printf '\xe5\x82\xa8\xe5\xad\x98\xe6\x88\x90 PDF \xe6\xa1\xa3\xe6\xa1\x88\xe6\xa0\xbc\xe5\xbc\x8f')
  drive find '#32770' "$save_title" 30000 >/dev/null || { fail "no save dialog"; close_tarnwick; release_small_disks; return; }
  drive settext '#32770' "$save_title" 1148 "$(winpath "$out")\\batch" >/dev/null
  drive command '#32770' "$save_title" 1 >/dev/null
  local n
  disk_full_message
  close_tarnwick
  local listed
  listed=$(cd "$out" && ls -A | tr '\n' ' ')
  [ "$listed" = "batch.pdf " ] || fail "files beside the document: '$listed'"
  qpdf --check "$out/batch.pdf" >/dev/null 2>&1 || fail "batch.pdf fails qpdf --check"
  n=$(pdfinfo "$out/batch.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  [ "${n:-0}" -ge 1 ] && [ "${n:-0}" -lt 8 ] || fail "batch.pdf has '$n' pages"
  expect_fed "${n:-0}"
  release_small_disks
  echo "$case: batch.pdf sound with the $n pages that fit, the feeder stopped"
}

if [ "$edition" = 2 ]; then
  cases=${*:-second_g4_feeder second_pdf second_debug_log hidden_strip_step no_page}
else
  cases=${*:-g4_feeder unicode_root_western unicode_root_zh unicode_root_pt png_queue pdf_flatbed multitif_again
    close_during_run no_paper jam debug_log hidden_strip_step gray_dropout_kept no_page disk_full_tiff
    disk_full_multitif disk_full_pdf}
fi
for case in $cases; do
  rm -rf "${work:?}/$case"; mkdir -p "$work/$case"
  "case_$case"
done
[ "$edition" = 2 ] && rm -f "$(settings_file)"
exit $status
