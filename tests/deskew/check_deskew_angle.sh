#!/usr/bin/env bash
# The skew left in the pages the deskew scan test wrote, as ImageMagick measures it: under 0.3
# degrees on every page.
#   check_deskew_angle.sh PAGES-FOLDER
set -uo pipefail
folder=$1
status=0 count=0
for bmp in "$folder"/*.bmp; do
  [ -e "$bmp" ] || { echo "no pages in $folder"; exit 1; }
  angle=$(convert "$bmp" -deskew 40% -format '%[deskew:angle]' info: 2>/dev/null)
  count=$((count + 1))
  if ! awk -v a="$angle" 'BEGIN { exit !(a != "" && a < 0.3 && a > -0.3) }'; then
    echo "$(basename "$bmp"): skew $angle degrees"; status=1
  else
    echo "$(basename "$bmp"): skew $angle degrees"
  fi
done
[ "$count" -gt 0 ] || status=1
exit $status
