#!/usr/bin/env bash
# Renders what viewer_print_test printed with Ghostscript and compares it with the page shown:
# one PostScript page, equal to the page within an RMSE bound.
#   check_viewer_print.sh FOLDER
set -uo pipefail
d=$1
status=0
bound=0.02  # RMSE, 0..1: a few hundred pixels' worth at the edges of the image on a 1275 x 1650 page
fail() { echo "FAIL: $*"; status=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Pages Ghostscript renders from a file, at a resolution.
render() { # ps dpi prefix
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r"$2" -dTextAlphaBits=1 -dGraphicsAlphaBits=1 \
    -o "$tmp/$3-%d.png" "$1" >/dev/null 2>&1
  ls "$tmp/$3"-*.png 2>/dev/null | wc -l
}
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'; }
check_page() { # ps crop-of-the-render what
  local ps=$1 crop=$2 what=$3
  [ -s "$ps" ] || { fail "$what: nothing printed"; return; }
  local n; n=$(render "$ps" 150 "$what")
  [ "$n" = 1 ] || fail "$what: $n pages rendered, 1 expected"
  grep -c '^%%Page:' "$ps" | grep -qx 1 || fail "$what: not one %%Page"
  convert "$tmp/$what-1.png" $crop +repage -colorspace gray "$tmp/$what.png"
  convert "$d/page.bmp" -colorspace gray "$tmp/page.png"
  local e; e=$(rmse "$tmp/$what.png" "$tmp/page.png")
  echo "$what: $n page, RMSE $e against the page shown (bound $bound)"
  awk -v e="$e" -v b="$bound" 'BEGIN { exit !(e != "" && e < b) }' || fail "$what: RMSE $e"
}
# The whole Letter page at 150 dpi is the 1275 x 1650 page, printed at twice its size.
check_page "$d/printed.ps" "" printed
check_page "$d/after_abort.ps" "" after_abort
check_page "$d/callers_job.ps" "" callers_job
# At its own size the page covers the top left quarter; rendered at 300 dpi that is the page.
[ -s "$d/printed_gray.ps" ] || fail "gray: nothing printed"
n=$(render "$d/printed_gray.ps" 300 gray)
[ "$n" = 1 ] || fail "gray: $n pages rendered"
convert "$tmp/gray-1.png" -crop 1275x1650+0+0 +repage -colorspace gray "$tmp/gray.png"
convert "$d/page.bmp" -colorspace gray "$tmp/page.png"
e=$(rmse "$tmp/gray.png" "$tmp/page.png")
echo "printed_gray: $n page, RMSE $e against the page shown (bound 0.08: a gray copy smooths edges)"
awk -v e="$e" 'BEGIN { exit !(e != "" && e < 0.08) }' || fail "gray: RMSE $e"
[ ! -e "$d/aborted.ps" ] || fail "the aborted job printed"
echo "without a printer: $(cat "$d/no_printer.txt" 2>/dev/null)"
exit $status
