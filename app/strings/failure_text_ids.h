// String ids of the texts that tell the operator a page was not saved or not read.
#pragma once

namespace tarnwick {

constexpr int kTextDiskFull = 1040;               // the disk is full, the page is not saved
constexpr int kTextPageNotWritten = 1041;         // the page could not be saved
constexpr int kTextScanStoppedPagesKept = 1042;   // the scan stopped, the pages before are kept
constexpr int kTextPagesNotInDocument = 1043;     // files left out of an exported document
constexpr int kTextDocumentNotFinished = 1044;    // a scanned document could not be completed

}  // namespace tarnwick
