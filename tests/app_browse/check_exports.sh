#!/usr/bin/env bash
# The batch exports read by tools nobody here wrote: five TIFF directories, a sound PDF of
# five pages, and a PDF of a batch whose 16- and 32-bit pages were converted to colour.
set -euo pipefail
dir=$1
dirs=$(tiffinfo "$dir/browse_export.tif" 2>/dev/null | grep -c '^TIFF Directory')
[ "$dirs" -eq 5 ] || { echo "tiffinfo counts $dirs directories"; exit 1; }
qpdf --check "$dir/browse_export.pdf" >/dev/null
pages=$(pdfinfo "$dir/browse_export.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" -eq 5 ] || { echo "pdfinfo counts $pages pages"; exit 1; }
echo "TIFF: $dirs directories; PDF: $pages pages, qpdf --check passed"
qpdf --check "$dir/browse_export_depths.pdf" >/dev/null
images=$(pdfimages -list "$dir/browse_export_depths.pdf" | awk 'NR > 2 {print $1, $4, $5, $6}' | tr '\n' ';')
[ "$images" = "1 320 200 gray;2 120 80 rgb;3 90 70 rgb;" ] || { echo "pdfimages lists '$images'"; exit 1; }
echo "PDF of 16- and 32-bit pages: $images"
