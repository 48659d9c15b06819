#include "page_target.h"

#include "zero_pad.h"

namespace tarnwick {

namespace {

const SaveFormatRow kSaveFormats[] = {
    {".bmp", kKindBmp, 0},  {".png", kKindPng, 0},   {".gif", kKindGif, 0},
    {".pcx", kKindPcx, 0},  {".jpg", kKindJpeg, 10}, {".tga", kKindTga, 0},
    {".tif", kKindTiff, 3}, {".tif", kKindTiff, 25}, {".tif", kKindTiff, 27},
    {".tif", kKindTiff, 29}, {".tif", kKindTiff, 29}, {".tif", kKindTiff, 29},
};

}  // namespace

SaveFormatRow SaveFormatOf(int saveFormat) {
  if (saveFormat < 0 || saveFormat >= static_cast<int>(sizeof kSaveFormats / sizeof *kSaveFormats))
    saveFormat = 0;
  return kSaveFormats[saveFormat];
}

std::string PageNumberText(int counter) { return ZeroPad(std::to_string(counter), kPageNumberWidth); }

PageTarget PageTargetOf(int saveFormat, bool multipageMode, const std::string& folder,
                        int counter, const std::string& outputDocument) {
  const SaveFormatRow row = SaveFormatOf(saveFormat);
  PageTarget t{folder + "\\" + PageNumberText(counter) + row.Extension, row.Kind, row.FormatCode};
  if (multipageMode) {
    t.Kind = kKindTiff;
    if (saveFormat < 6 || saveFormat == 10) t.FormatCode = 29;
    t.FileName = outputDocument;
  }
  return t;
}

}  // namespace tarnwick
