#!/usr/bin/env bash
# A multipage TIFF and PDF scanned by file transfer onto a disk that fills up at the third page: the
# pages before it stay readable, the scan reports the failure, and the caller is never told of a
# file that is not there. The small disk is a tmpfs; without the right to mount one the case is
# skipped (exit 77).
#   check_full_disk.sh WINE-EXEC SCAN-SAMPLE-EXE WORK-FOLDER
set -uo pipefail
wine_exec=$1 sample=$2 work=$3
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
disk="$work/full_disk"
mkdir -p "$disk"
mountpoint -q "$disk" && umount "$disk"
# Two gray pages at 100 dpi (935 000 bytes each) fit; the third does not.
if ! mount -t tmpfs -o size=2200k tmpfs "$disk" 2>/dev/null; then
  echo "no tmpfs can be mounted here: skipped"; exit 77
fi
trap 'umount "$disk" 2>/dev/null' EXIT
printf '[Feeder]\nSheets=5\n' >"$work/full_disk.ini"
status=0
scan() { # file pages options...: a multipage file scan; the sample's output in $work/full_disk.txt
  local file=$1 pages=$2; shift 2
  QUANDRIX_SIM_TWAIN=$(winpath "$work/full_disk.ini") "$wine_exec" "$sample" --kind 1 \
    --source "Quandrix Sim TWAIN" --pages "$pages" --multipage 1 "$@" \
    --file "$(winpath "$file")" --out "$(winpath "$work")" >"$work/full_disk.txt" 2>&1
}
# Only files that are there are named to the caller.
check_named() {
  while IFS= read -r line; do
    local name=${line#file: } unix
    unix=$(echo "${name#Z:}" | tr '\\' /)
    [ -e "$unix" ] || { echo "$1: the caller was told of $name, which is not there"; status=1; }
  done < <(grep '^file: ' "$work/full_disk.txt" | tr -d '\r')
}

# TIFF: two gray pages at 100 dpi (935 000 bytes each) fit on the disk, the third does not.
if scan "$disk/doc.tif" 5 --pixel gray --dpi 100; then echo "tif: a full disk answered success"; status=1; fi
pages=$(tiffinfo "$disk/doc.tif" 2>/dev/null | grep -c "TIFF Directory")
if [ "$pages" != 2 ]; then echo "tif: doc.tif holds $pages readable pages, expected 2"; status=1; fi
check_named tif
cp "$work/full_disk.txt" "$work/full_disk_tif.txt"
umount "$disk"

# PDF pages are compressed: the disk is made to hold two and a half pages of this document.
scan "$work/two.pdf" 2 --pixel colour --dpi 150 && two=$(stat -c %s "$work/two.pdf")
scan "$work/three.pdf" 3 --pixel colour --dpi 150 && three=$(stat -c %s "$work/three.pdf")
if [ -z "${two:-}" ] || [ -z "${three:-}" ]; then echo "pdf: the documents to measure were not written"; exit 1; fi
size_k=$(( (two + (three - two) / 2) / 1024 + 4 ))
mount -t tmpfs -o size=${size_k}k tmpfs "$disk" || exit 1
if scan "$disk/doc.pdf" 5 --pixel colour --dpi 150; then echo "pdf: a full disk answered success"; status=1; fi
count=$(qpdf --show-npages "$disk/doc.pdf" 2>/dev/null)
if [ "$count" != 2 ] || ! qpdf --check "$disk/doc.pdf" >/dev/null 2>&1; then
  echo "pdf: doc.pdf holds '${count}' readable pages, expected 2"; status=1
fi
check_named pdf

[ $status -eq 0 ] && echo "full disk at page 3: pages 1-2 kept in TIFF and PDF, the failure reported"
[ $status -ne 0 ] && cat "$work/full_disk_tif.txt" "$work/full_disk.txt"
exit $status
