#!/usr/bin/env bash
# Runs tools/run as a newcomer would, with DISPLAY unset and no Wine server or prefix of its own
# yet, on the built tree, and checks what it says and leaves: the set-up's last line, five G4
# pages in the batch folder it names, the screenshot it names, its display and its Wine server
# gone afterwards, and the display and Wine server of the test run it ran beside still there.
#   check_tools_run.sh CHECKOUT BUILD-TREE ARCH
set -uo pipefail
top=$1 tree=$2 arch=$3
# tools/run's build folder: the tree itself for i686, the folder above it for the x86_64 tree.
if [ "$arch" = i686 ]; then build=$tree; else build=$(dirname "$tree"); fi
status=0
fail() { echo "FAIL: $*"; status=1; }

# The Wine server of a prefix, by the folder it works in (server-DEV-INODE, in hex).
server_of() {
  [ -d "$1" ] || return 1
  local want p
  # shellcheck disable=SC2046
  want=$(printf 'server-%x-%x' $(stat -c '%d %i' "$1"))
  for p in $(pgrep -x wineserver; pgrep -x wineserver64); do
    [ "$(basename "$(readlink "/proc/$p/cwd" 2>/dev/null)")" = "$want" ] && { echo "$p"; return 0; }
  done
  return 1
}

prefix=$build/run/wineprefix
if p=$(server_of "$prefix"); then kill "$p"; sleep 1; fi
rm -rf "$prefix"
# The test run's own display and server, which tools/run must leave alone.
test_display=${DISPLAY:-}
test_server=$(server_of "${WINEPREFIX:-/nonexistent}" || true)
# Where tools/test ran the Windows tests from another tree than this one, tools/run is told so.
force=()
if [ "$(cat "$build/.run-arch" 2>/dev/null)" != "$arch" ]; then force=(TARNWICK_RUN_ARCH="$arch"); fi

out=$(env -u DISPLAY -u WINEPREFIX -u WINEARCH -u WINELOADER -u WINEDEBUG -u WINEDLLOVERRIDES -u TARNWICK_RUN_ARCH \
  "${force[@]}" TARNWICK_BUILD="$build" "$top/tools/run" </dev/null 2>&1)
rc=$?
echo "$out"
[ "$rc" = 0 ] || fail "tools/run answered $rc"
grep -q '^\[setup\] ready' <<<"$out" || fail "no set-up line"
grep -q "^== building the $arch deliverables" <<<"$out" || fail "it did not build the $arch tree"
folder=$(sed -n 's/^batch folder: //p' <<<"$out")
if [ -n "$folder" ] && [ -d "$folder" ]; then
  n=$(ls "$folder" | grep -c '^00000[1-5]\.tif$')
  [ "$n" = 5 ] && [ "$(ls "$folder" | wc -l)" = 5 ] || fail "the batch folder holds $(ls "$folder" | tr '\n' ' ')"
  for f in "$folder"/*.tif; do
    tiffinfo "$f" 2>&1 | grep -q 'Compression Scheme: CCITT Group 4' || fail "$(basename "$f") is not G4"
  done
else
  fail "no batch folder named"
fi
shot=$(sed -n 's/^screenshot: //p' <<<"$out")
size=$(identify -format '%wx%h' "$shot" 2>/dev/null)
[ -n "$shot" ] && [ -n "$size" ] && [ "${size%x*}" -ge 640 ] || fail "no screenshot of the main window ($shot: $size)"
# It stops what it started...
own=$(sed -n 's/^== display \(:[0-9]*\) .*/\1/p' <<<"$out")
[ -n "$own" ] || fail "it did not say which display it started"
[ -n "$own" ] && [ -e "/tmp/.X11-unix/X${own#:}" ] && fail "its display $own is still there"
server_of "$prefix" >/dev/null && fail "its Wine server is still running"
# ...and nothing else.
[ -z "$test_display" ] || [ -e "/tmp/.X11-unix/X${test_display#:}" ] || fail "the test display $test_display is gone"
# The shared server may be replaced by a test beside this one; tools/run must leave the test
# prefix with a server all the same (it never signals one outside its own prefix).
if [ -n "$test_server" ] && ! kill -0 "$test_server" 2>/dev/null; then
  server_of "$WINEPREFIX" >/dev/null || fail "the test run's Wine server is gone"
fi
exit $status
