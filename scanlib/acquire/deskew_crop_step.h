// The deskew and crop step over cropdeskew2.dll: the background lines read once a scan, each
// page collected block by block, straightened and trimmed, and handed on at its new size. A page
// the step cannot correct goes on as scanned; a scan whose background cannot be read goes on
// without the step.
#pragma once

// Puts the step in place for the acquisitions to come (ZebLoad does, after loading the helper
// libraries); it stays inactive while cropdeskew2.dll's two entry points are not bound.
void InstallCropDeskewStep();
