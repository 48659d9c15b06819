#include "status.h"

namespace imagecore {

const StatusTextRow kStatusTexts[] = {
    {kFailed, "Unknown error in Pictorel Dll"},
    {kOpenFailed, "Could not open the file"},
    {kReadFailed, "Could not read the file"},
    {kWriteFailed, "Could not write the file"},
    {kNotThisFormat, "The file is not of the expected format"},
    {kTruncated, "The file is truncated or damaged"},
    {kUnsupported, "The image kind is not supported"},
    {kNoMemory, "Not enough memory"},
    {kBadDib, "The image block is damaged"},
    {kBadPage, "The page does not exist"},
    {kBadArgument, "Invalid argument"},
    {kCancelled, "Operation cancelled"},
    {kTooLarge, "The image is too large"},
    {kCodecError, "The image data could not be decoded"},
};
const int kStatusTextCount = sizeof(kStatusTexts) / sizeof(kStatusTexts[0]);

const char* StatusText(int code) {
  for (const StatusTextRow& row : kStatusTexts)
    if (row.code == code) return row.text;
  return nullptr;
}

}  // namespace imagecore
