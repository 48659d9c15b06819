#!/usr/bin/env bash
# A multipage TIFF scanned by file transfer onto a disk that fills up at the third page: the
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
QUANDRIX_SIM_TWAIN=$(winpath "$work/full_disk.ini") "$wine_exec" "$sample" --kind 1 \
  --source "Quandrix Sim TWAIN" --pixel gray --dpi 100 --pages 5 --multipage 1 \
  --file "$(winpath "$disk/doc.tif")" --out "$(winpath "$work")" >"$work/full_disk.txt" 2>&1
rc=$?
status=0
if [ $rc -eq 0 ]; then echo "the scan onto a full disk answered success"; status=1; fi
pages=$(tiffinfo "$disk/doc.tif" 2>/dev/null | grep -c "TIFF Directory")
if [ "$pages" != 2 ]; then echo "doc.tif holds $pages readable pages, expected 2"; status=1; fi
while IFS= read -r line; do
  name=${line#file: }
  unix=$(echo "${name#Z:}" | tr '\\' /)
  [ -e "$unix" ] || { echo "the caller was told of $name, which is not there"; status=1; }
done < <(grep '^file: ' "$work/full_disk.txt" | tr -d '\r')
[ $status -eq 0 ] && echo "full disk at page 3: pages 1-2 kept, the failure reported"
[ $status -ne 0 ] && cat "$work/full_disk.txt"
exit $status
