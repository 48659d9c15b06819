#!/usr/bin/env bash
# Runs viewer_show.exe on the test display, takes a screenshot of the display once the pages are
# painted, and checks that each page appears where and as large as the viewer's logic says.
#   viewer_screenshot.sh WINE-EXEC VIEWER-SHOW-EXE OUTPUT-FOLDER
set -uo pipefail
wine_exec=$1 exe=$2 out=$3
mkdir -p "$out/screens"
ready="$out/viewer_show_ready.txt" done_file="$out/viewer_show_done.txt" shot="$out/screens/viewer_screenshot.png"
rm -f "$ready" "$done_file" "$shot"
win_out="Z:$(echo "$out" | tr / '\\')"
"$wine_exec" "$exe" "$win_out" &
pid=$!
for _ in $(seq 600); do [ -s "$ready" ] && break; kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if [ ! -s "$ready" ]; then echo "viewer_show did not report its pages"; kill $pid 2>/dev/null; exit 1; fi
check() {  # compares the screenshot with the report; prints what it finds
  local status=0
  while read -r name x y w h percent; do
    # Everything darker than a third of white inside a margin around the paint box: the page frame.
    got=$(convert "$shot" -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage \
          -colorspace gray -threshold 33% -negate -trim -format '%w %h %X %Y' info: 2>/dev/null)
    read -r gw gh gx gy <<<"$got"
    gx=${gx#+}; gy=${gy#+}
    echo "$name at $percent %: expected ${w}x${h} at ($x,$y); screenshot shows ${gw}x${gh} at ($((x - 8 + gx)),$((y - 8 + gy)))"
    if [ -z "$gw" ] || [ $((gw - w)) -gt 2 ] || [ $((w - gw)) -gt 2 ] || [ $((gh - h)) -gt 2 ] || \
       [ $((h - gh)) -gt 2 ] || [ $((gx - 8)) -gt 2 ] || [ $((8 - gx)) -gt 2 ] || \
       [ $((gy - 8)) -gt 2 ] || [ $((8 - gy)) -gt 2 ]; then
      echo "  MISMATCH"; status=1
    fi
  done <"$ready"
  return $status
}
# A loaded machine may take a moment to show everything: look again before giving up.
status=1
for attempt in 1 2 3; do
  sleep 2
  import -window root "$shot"
  echo "screenshot $attempt: $shot"
  if check; then status=0; break; fi
done
touch "$done_file"
# The program ends within a moment of the signal; a Wine busy with other tests may hold it up,
# which says nothing about the picture.
for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  echo "viewer_show still running 30 s after the screenshot: stopped"
  kill $pid 2>/dev/null
fi
wait $pid 2>/dev/null
exit $status
