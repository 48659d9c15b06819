// Where one scanned page goes: its file name, the save queue's file kind and the bitmap
// library's format code, by the "Save Format" setting.
#pragma once
#include <string>

namespace tarnwick {

enum QueueKind { kKindJpeg = 0, kKindPng = 2, kKindTiff = 3, kKindGif = 5, kKindTga = 6,
                 kKindPcx = 8, kKindBmp = 9 };

struct SaveFormatRow {
  const char* Extension;
  int Kind;
  int FormatCode;  // 0 for the formats the save queue writes
};

// "Save Format" 0 BMP ... 9 TIFF CCITT Group 4, 10 multipage TIFF, 11 PDF; any other as 0.
SaveFormatRow SaveFormatOf(int saveFormat);

// The counter padded with "0" on the left to six digits.
std::string PageNumberText(int counter);

struct PageTarget {
  std::string FileName;
  int Kind;
  int FormatCode;
};

// folder\000001.ext; in multipage-TIFF mode every page goes to the output document as TIFF.
PageTarget PageTargetOf(int saveFormat, bool multipageMode, const std::string& folder,
                        int counter, const std::string& outputDocument);

}  // namespace tarnwick
