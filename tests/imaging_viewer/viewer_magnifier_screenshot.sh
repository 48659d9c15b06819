#!/usr/bin/env bash
# Runs viewer_magnifier_show.exe on the test display, takes a screenshot and compares the
# magnifier with the page part it shows, enlarged twice by pixel repetition, the area the
# first magnifier left with the page itself, and the rubber band's edges with the page inverted.
#   viewer_magnifier_screenshot.sh WINE-EXEC VIEWER-MAGNIFIER-SHOW-EXE OUTPUT-FOLDER
set -uo pipefail
wine_exec=$1 exe=$2 out=$3
mkdir -p "$out/screens"
ready="$out/viewer_magnifier_ready.txt" done_file="$out/viewer_magnifier_done.txt"
shot="$out/screens/viewer_magnifier_screenshot.png" page="$out/viewer_magnifier_page.bmp"
rm -f "$ready" "$done_file" "$shot"
win_out="Z:$(echo "$out" | tr / '\\')"
"$wine_exec" "$exe" "$win_out" &
pid=$!
for _ in $(seq 600); do [ -s "$ready" ] && break; kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if [ ! -s "$ready" ]; then echo "viewer_magnifier_show did not report"; kill $pid 2>/dev/null; exit 1; fi
check() {
  local status=0
  [ -s "$shot" ] || { echo "no screenshot"; return 1; }
  while read -r name dx dy dw dh sx sy sw sh how; do
    rm -f "$out/viewer_magnifier_$name".*.png
    negate=""
    [ "${how:-}" = negated ] && negate="-negate"
    # shellcheck disable=SC2086
    convert "$page" -crop "${sw}x${sh}+${sx}+${sy}" +repage $negate -sample "${dw}x${dh}!" \
      -colorspace gray "$out/viewer_magnifier_$name.expected.png"
    convert "$shot" -crop "${dw}x${dh}+${dx}+${dy}" +repage -colorspace gray \
      "$out/viewer_magnifier_$name.shown.png"
    differ=$(compare -metric AE -fuzz 20% "$out/viewer_magnifier_$name.expected.png" \
      "$out/viewer_magnifier_$name.shown.png" null: 2>&1)
    echo "$name: ${dw}x${dh} at ($dx,$dy) against page ${sw}x${sh}+${sx}+${sy}: $differ pixels differ"
    [ -s "$out/viewer_magnifier_$name.shown.png" ] && [ "$differ" = 0 ] || status=1
  done < <(tr -d '\r' <"$ready")  # written by a Windows program: CR LF lines
  return $status
}
status=1
for attempt in 1 2 3; do
  sleep 1
  import -window root "$shot"
  echo "screenshot $attempt: $shot"
  if check; then status=0; break; fi
done
touch "$done_file"
for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "viewer_magnifier_show still running: stopped"; kill $pid 2>/dev/null; fi
wait $pid 2>/dev/null
exit $status
