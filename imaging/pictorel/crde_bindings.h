// Wrappers of the image-file library CRDE2001.DLL. Each binds its entry point on first use,
// names the operation in OperationText, calls inside the exception guard and records the
// library's error (LastDllError) on failure. When the library cannot be loaded at all the
// ErrorInvalid "Can't load ..." reaches the caller. Pages count from 0; handles are page DIBs
// (returned ones are new and belong to the caller).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "crde2001.h"

// The file opens for reading and holds at least 30 bytes; raises ErrorInvalid when it cannot
// be opened.
bool FileLongEnough(const std::string& file);

struct QmFileInfo {
  std::string format;       // "BMP", "PNG", "GIF", "PCX", "JPEG", "PCD", "TGA", "TIFF"
  std::string description;  // colour representation
  int width = 0, height = 0, bits = 0;
};
bool GetFileInfo(const std::string& file, QmFileInfo& info);

struct QmPageInfo {
  int width = 0, height = 0, compression = 0, pages = 0, bits = 0;
  std::string compressionName;
};
bool GetImageFileInfo(const std::string& file, int page, QmPageInfo& info);
bool GetInfoStream(const void* data, int32_t size, int page, QmPageInfo& info);

// Readers: bits is the depth wanted (0 as stored); null on failure.
HGLOBAL ReadBmpFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress);
HGLOBAL ReadPngFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress);
HGLOBAL ReadPcxFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress);
HGLOBAL ReadGifFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress);
HGLOBAL ReadJpgFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress);
HGLOBAL ReadPcdFile(const std::string& file, int bits, bool dither, int step, void* sender,
                    QmProgressProc progress);
HGLOBAL ReadTgaFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress);
HGLOBAL ReadTiffFile(const std::string& file, int bits, bool dither, int page, void* sender,
                     QmProgressProc progress);
HGLOBAL ReadTiffStream(const void* data, int32_t size, int bits, bool dither, int page, void* sender,
                       QmProgressProc progress);

// Writers: bits as FormatBitDepth gives it; the caller keeps the handle.
bool WriteBmpFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress);
bool WritePcxFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress);
bool WriteGifFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress);
bool WriteTgaFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress);
bool WritePngFile(const std::string& file, int bits, int interlace, HGLOBAL dib, void* sender,
                  QmProgressProc progress);
bool WriteJpgFile(const std::string& file, int32_t quality, int32_t smoothing, int bits, HGLOBAL dib,
                  void* sender, QmProgressProc progress);
// append true adds a page, false writes a new file.
bool WriteTiffFile(const std::string& file, int compression, int bits, bool append, HGLOBAL dib,
                   void* sender, QmProgressProc progress);
bool InsertTiffPage(const std::string& file, int compression, int bits, int page, HGLOBAL dib,
                    void* sender, QmProgressProc progress);
bool ReplaceTiffPage(const std::string& file, int compression, int bits, int page, HGLOBAL dib,
                     void* sender, QmProgressProc progress);
// data and size describe a TIFF in a global block; the block may grow or move.
bool ReplaceTiffPageStream(HGLOBAL& data, int32_t& size, int compression, int bits, int page,
                           HGLOBAL dib, void* sender, QmProgressProc progress);
bool PackTiff(const std::string& file, void* sender, QmProgressProc progress);
bool PackTiffStream(HGLOBAL& data, int32_t& size, void* sender, QmProgressProc progress);
bool DeletePage(const std::string& file, int page);
bool DeletePageStream(void* data, int32_t size, int page);

// length is the value's size in bytes; values of 5 bytes or more come as text.
bool ReadTag(const std::string& file, int page, uint16_t tag, int& length, int32_t& value,
             std::string& text);
bool ReadTagStream(const void* data, int32_t size, int page, uint16_t tag, int& length,
                   int32_t& value, std::string& text);
bool ReturnTags(const std::string& file, int page, void* sender, QmTagProc callback);
bool ReturnTagsStream(const void* data, int32_t size, int page, void* sender, QmTagProc callback);

// Depth conversions: new handles, null after a failure.
HGLOBAL CopyDib(HGLOBAL dib);
HGLOBAL Dib1To4(HGLOBAL dib);
HGLOBAL Dib1To8(HGLOBAL dib);
HGLOBAL Dib1To24(HGLOBAL dib);
HGLOBAL Dib4To8(HGLOBAL dib);
HGLOBAL Dib4To24(HGLOBAL dib);
HGLOBAL Dib16To24(HGLOBAL dib);
HGLOBAL Dib32To24(HGLOBAL dib);
// Own code: colour-table lookups (an index past the table gives black). Raises ErrorInvalid
// "Input image is empty" or "Input image is not 8 bit". The result is locked once.
HGLOBAL Dib8To24(HGLOBAL dib);
