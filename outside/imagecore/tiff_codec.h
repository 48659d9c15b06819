// TIFF pages: reading, writing with the usual compressions, the page operations on a whole file
// held in memory, and the tags of a page.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "image.h"
#include "status.h"
#include "stream.h"

namespace imagecore {

// Compression codes as stored in the file.
constexpr uint16_t kTiffNone = 1, kTiffCcittRle = 2, kTiffG3 = 3, kTiffG4 = 4, kTiffLzw = 5,
                   kTiffOldJpeg = 6, kTiffJpeg = 7, kTiffDeflate = 8, kTiffPackBits = 32773;

bool TiffCanWrite(uint16_t compression);

struct TiffPageInfo {
  uint32_t width = 0, height = 0;
  uint16_t bits = 0;        // bits per pixel (bits per sample x samples)
  uint16_t compression = 0;
  uint32_t pages = 0;
  uint32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
};

// Pages count from 0.
Status TiffInfo(const Stream& in, uint32_t page, TiffPageInfo& info);
Status ReadTiffPage(const Stream& in, uint32_t page, Image& image);

// Brings an image to what the compression holds: 1 bit for the fax codes, 8 or 24 for JPEG.
Status FitForCompression(const Image& in, uint16_t compression, Image& out);

// A new one-page file.
Status WriteTiff(const Image& image, uint16_t compression, const Stream& out);

// Page operations on a whole file held in memory; on failure the bytes are left as they were.
Status TiffAppendPage(std::vector<uint8_t>& file, const Image& image, uint16_t compression);
// A page at or past the end is appended.
Status TiffInsertPage(std::vector<uint8_t>& file, const Image& image, uint16_t compression,
                      uint32_t page);
Status TiffReplacePage(std::vector<uint8_t>& file, const Image& image, uint16_t compression,
                       uint32_t page);
// The only page of a file is not deleted: a TIFF file holds at least one page.
Status TiffDeletePage(std::vector<uint8_t>& file, uint32_t page);
// Rewrites the file with its pages only, dropping space nothing refers to.
Status TiffPack(std::vector<uint8_t>& file);

uint32_t TiffPageCount(const uint8_t* data, size_t size);

struct TiffTag {
  uint16_t tag = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  uint32_t length = 0;  // bytes of the value
  int32_t value = 0;    // the first value as a number
  std::string text;     // ASCII values as stored; other values written out, comma separated
};

// The tags of a page, read from the directory itself (no codec involved).
Status ReadTiffTags(const uint8_t* data, size_t size, uint32_t page, std::vector<TiffTag>& tags);
// Every value of the page's directory lies inside the data (libtiff drops values that do not,
// which would make a cut-off palette page read as gray).
bool TiffDirectoryFits(const uint8_t* data, size_t size, uint32_t page);
Status ReadTiffTag(const uint8_t* data, size_t size, uint32_t page, uint16_t tag, TiffTag& out);

}  // namespace imagecore
