#!/usr/bin/env bash
# The library's dialogs on small screens: the settings, area and More dialogs run on an 800x600
# display (their 800x600 templates), then on the same display with large fonts (120 dpi, text
# taller than 16 pixels: the _SPECIAL templates), each in a Wine prefix and display of its own.
# The pictures go to the build's screens folder.
#   check_small_screens.sh WINE-EXEC FRAME-CLIENT-TEST-EXE WORK
set -uo pipefail
wine_exec=$1 client=$2 work=$3
status=0
loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver
case "$(head -c 4096 "$client" | od -An -tx1 -v | tr -d ' \n' | grep -o '50450000....' | head -1)" in
  504500006486) loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64 ;;
esac
export WINELOADER=$loader

run() {  # NAME DPI
  local name=$1 dpi=$2 n=150 xvfb out
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  rm -rf "${work:?}/$name"
  mkdir -p "$work/$name"
  cp -a "$WINEPREFIX" "$work/$name/prefix"
  rm -f "$work/$name/prefix"/.update-timestamp
  (
    export DISPLAY=":$n" WINEPREFIX="$work/$name/prefix"
    "$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$server" -w
    out=$(cd "$(dirname "$client")/.." && "$wine_exec" "$client" --gtest_color=no \
      --gtest_filter='*SmallScreenTemplatesShowEveryControl' 2>&1 | tr -d '\r')
    echo "$out" | grep -q '\[  PASSED  \] 1 test' || { echo "$out" | tail -30; echo "$name: failed"; exit 1; }
    echo "$out" | grep -q 'SKIPPED' && { echo "$name: the display is not a small screen"; exit 1; }
    "$server" -k 2>/dev/null
    exit 0
  ) || status=1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$work/$name/prefix"
  [ "$status" = 0 ] && echo "$name: every control of the three dialogs shown"
}

run small_screen 96
run small_screen_special 120
exit $status
