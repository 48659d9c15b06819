#!/usr/bin/env bash
# The batch exports read by tools nobody here wrote: five TIFF directories, a sound PDF of
# five pages.
set -euo pipefail
dir=$1
dirs=$(tiffinfo "$dir/browse_export.tif" 2>/dev/null | grep -c '^TIFF Directory')
[ "$dirs" -eq 5 ] || { echo "tiffinfo counts $dirs directories"; exit 1; }
qpdf --check "$dir/browse_export.pdf" >/dev/null
pages=$(pdfinfo "$dir/browse_export.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" -eq 5 ] || { echo "pdfinfo counts $pages pages"; exit 1; }
echo "TIFF: $dirs directories; PDF: $pages pages, qpdf --check passed"
