#!/usr/bin/env bash
# Screenshots of the thumbnail strip, kept for a person to look at: twelve pages with page 3
# framed (screens/thumbnail_screenshot.png), then forty with the last page selected and page 39's
# deleted file left blank (thumbnail_last_page.png). Checks the red frame at its corners and
# the blank thumbnail's middle.
#   thumbnail_screenshot.sh WINE-EXEC THUMBNAIL-SHOW-EXE OUTPUT-FOLDER
set -uo pipefail
wine_exec=$1 exe=$2 out=$3
mkdir -p "$out/screens"
rm -rf "$out"/strip_* "$out/screens/thumbnail_screenshot.png" "$out/screens/thumbnail_last_page.png"
win_out="Z:$(echo "$out" | tr / '\\')"
"$wine_exec" "$exe" "$win_out" &
pid=$!
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wait_for() { for _ in $(seq 1200); do [ -s "$1" ] && return 0; kill -0 $pid 2>/dev/null || return 1; sleep 0.1; done; return 1; }
pixel() { convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)] %[fx:int(255*u.p{$2,$3}.g)] %[fx:int(255*u.p{$2,$3}.b)]" info:; }
red() { read -r r g b <<<"$(pixel "$1" "$2" "$3")"; [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ]; }
check_frame() {  # shot x y w h
  local shot=$1 x=$2 y=$3 w=$4 h=$5
  for corner in "$x $y" "$((x + w - 1)) $y" "$x $((y + h - 1))" "$((x + w - 1)) $((y + h - 1))"; do
    red "$shot" $corner || fail "$shot: no red frame at $corner ($(pixel "$shot" $corner))"
  done
  red "$shot" $((x + 3)) $((y + 3)) && fail "$shot: red inside the frame"
}
shoot() {  # shot: waits until the frame shows, at most three looks
  for attempt in 1 2 3; do
    sleep 2
    import -window root "$1"
    read -r _ x y w h < <(grep '^frame' "$2")
    red "$1" "$x" "$y" && return 0
  done
  return 0
}

if wait_for "$out/strip_ready1.txt"; then
  shot="$out/screens/thumbnail_screenshot.png"
  shoot "$shot" "$out/strip_ready1.txt"
  read -r _ x y w h < <(grep '^frame' "$out/strip_ready1.txt")
  echo "twelve pages: page 3 framed at ($x,$y) ${w}x${h}: $shot"
  check_frame "$shot" "$x" "$y" "$w" "$h"
  touch "$out/strip_next.txt"
else
  fail "thumbnail_show did not show twelve pages"
fi
if wait_for "$out/strip_ready2.txt"; then
  shot="$out/screens/thumbnail_last_page.png"
  shoot "$shot" "$out/strip_ready2.txt"
  cat "$out/strip_ready2.txt"
  grep -q '^selected 40$' "$out/strip_ready2.txt" || fail "the last page is not page 40"
  read -r _ x y w h < <(grep '^frame' "$out/strip_ready2.txt")
  check_frame "$shot" "$x" "$y" "$w" "$h"
  if read -r _ bx by bw bh < <(grep '^blank' "$out/strip_ready2.txt"); then
    [ "$(pixel "$shot" $((bx + bw / 2)) $((by + bh / 2)))" = "255 255 255" ] || fail "page 39 is not blank"
  else
    fail "page 39 is not in view"
  fi
  echo "forty pages, last page selected: $shot"
else
  fail "thumbnail_show did not show forty pages"
fi
touch "$out/strip_done.txt"
for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && { echo "thumbnail_show still running: stopped"; kill $pid 2>/dev/null; }
wait $pid 2>/dev/null
[ $failures = 0 ] && echo "the strip's screenshots show what they should"
exit $((failures > 0))
