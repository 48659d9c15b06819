#!/usr/bin/env bash
# A page file that cannot be written (a full disk, a read-only disk) in file transfer answers the
# same write error from ZebAcquire on every driver kind: the maker's driver (0), the TWAIN source
# (1) and the ISIS driver (2), never the TWAIN engine's cancel code. The disks are tmpfs mounts;
# without the right to mount one the case is skipped (exit 77).
#   check_write_failure_codes.sh WINE-EXEC SCAN-SAMPLE-EXE WORK-FOLDER
set -uo pipefail
wine_exec=$1 sample=$2 work=$3
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
disk="$work/disk"
mkdir -p "$disk"
mountpoint -q "$disk" && umount "$disk"
if ! mount -t tmpfs -o size=64k tmpfs "$disk" 2>/dev/null; then
  echo "no tmpfs can be mounted here: skipped"; exit 77
fi
umount "$disk"
trap 'umount "$disk" 2>/dev/null' EXIT
printf '[Feeder]\nSheets=3\n' >"$work/sim.ini"
status=0

# scan KIND FILE MULTIPAGE: the code ZebAcquire answered ("none" when the sample said nothing).
scan() {
  local kind=$1 file=$2 multipage=$3 source=()
  [ "$kind" = 1 ] && source=(--source "Quandrix Sim TWAIN")
  ZEBSIM_CONFIG=$(winpath "$work/sim.ini") QUANDRIX_SIM_TWAIN=$(winpath "$work/sim.ini") \
    "$wine_exec" "$sample" --kind "$kind" "${source[@]}" --pages 2 --pixel gray --dpi 100 \
    --multipage "$multipage" --file "$(winpath "$file")" --out "$(winpath "$work")" \
    >"$work/scan.txt" 2>&1
  local code
  code=$(tr -d '\r' <"$work/scan.txt" | sed -n 's/^ZebAcquire answered \(-\{0,1\}[0-9]*\).*/\1/p' | tail -1)
  echo "${code:-none}"
}

# case NAME MOUNT-OPTIONS EXPECTED: every kind, one page file and one multipage file.
check_case() {
  local name=$1 options=$2 expected=$3 multipage kind code
  for multipage in 0 1; do
    local codes=""
    for kind in 0 1 2; do
      mount -t tmpfs -o "$options" tmpfs "$disk" || { echo "$name: cannot mount"; status=1; return; }
      code=$(scan "$kind" "$disk/doc.tif" "$multipage")
      umount "$disk"
      codes="$codes $kind:$code"
      if [ "$code" != "$expected" ]; then
        echo "$name, MULTIPAGE $multipage, kind $kind: ZebAcquire answered $code, expected $expected"
        cat "$work/scan.txt"; status=1
      fi
    done
    echo "$name, MULTIPAGE $multipage:$codes"
  done
}

# Two gray pages at 100 dpi (935 000 bytes each) do not fit on 600 kB.
check_case "full disk" size=600k -109
# Nothing can be created on a read-only disk.
check_case "read-only disk" ro,size=600k -108
exit $status
