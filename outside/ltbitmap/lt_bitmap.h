// The bitmap record of the LTKRN12n/LTFIL12n/LTDIS12n/LTIMG12n imaging libraries, shared with
// pdf.dll and with every caller: one packed layout, the same in each of them. The caller owns
// the record; its pixel block belongs to the libraries (L_FreeBitmap gives it back).
// No Windows header: the platform-free code and the native tests use the record too.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct LtRgbQuad {  // the byte order of a DIB colour-table entry
  uint8_t Blue, Green, Red, Reserved;
};

struct LtBitmapHandle {
  uint32_t StructSize;      // sizeof(LtBitmapHandle) once initialised; anything else is no bitmap
  int32_t Width;            // pixels
  int32_t Height;           // pixels
  int32_t BitsPerPixel;     // 1, 4, 8, 16, 24 or 32
  int32_t BytesPerLine;     // bytes of one row, padded to four as in a DIB
  int32_t XResolution;      // dots per inch
  int32_t YResolution;
  int32_t ViewPerspective;  // kLtTopLeft or kLtBottomLeft: which row Data holds first
  uint32_t ColorCount;      // palette entries in use (1 to 8 bits)
  uint32_t Masks[3];        // red, green, blue masks of 16- and 32-bit pixels
  uint32_t DataSize;        // bytes at Data: BytesPerLine x Height
  LtRgbQuad Palette[256];
  uint8_t* Data;            // rows, blue first for 24 bits; null for an empty bitmap
};
#pragma pack(pop)

static_assert(offsetof(LtBitmapHandle, Width) == 4);
static_assert(offsetof(LtBitmapHandle, BitsPerPixel) == 12);
static_assert(offsetof(LtBitmapHandle, BytesPerLine) == 16);
static_assert(offsetof(LtBitmapHandle, XResolution) == 20);
static_assert(offsetof(LtBitmapHandle, YResolution) == 24);
static_assert(offsetof(LtBitmapHandle, ViewPerspective) == 28);
static_assert(offsetof(LtBitmapHandle, ColorCount) == 32);
static_assert(offsetof(LtBitmapHandle, Masks) == 36);
static_assert(offsetof(LtBitmapHandle, DataSize) == 48);
static_assert(offsetof(LtBitmapHandle, Palette) == 52);
static_assert(offsetof(LtBitmapHandle, Data) == 1076);
static_assert(sizeof(LtBitmapHandle) == 1076 + sizeof(void*));

// View perspectives (L_ChangeBitmapViewPerspective): 0 top row first, as a page is read and
// as pdf.dll takes it; 1 bottom row first, as a bottom-up DIB holds it.
constexpr int32_t kLtTopLeft = 0;
constexpr int32_t kLtBottomLeft = 1;

// Results: 1 success, negative failures.
constexpr int32_t kLtSuccess = 1;
constexpr int32_t kLtFailure = -1;        // an unexpected failure inside the library
constexpr int32_t kLtNoMemory = -2;
constexpr int32_t kLtNoBitmap = -3;       // the record is not initialised, or holds no image
constexpr int32_t kLtBadArgument = -4;
constexpr int32_t kLtBadDib = -5;         // the DIB header describes no image this library holds
constexpr int32_t kLtOpenFailed = -6;
constexpr int32_t kLtReadFailed = -7;
constexpr int32_t kLtWriteFailed = -8;
constexpr int32_t kLtUnknownFormat = -9;  // no reader knows the file, or no writer the format code
constexpr int32_t kLtNotAppendable = -10; // the file to receive a page is not a sound TIFF
constexpr int32_t kLtBadDepth = -11;      // the format cannot hold the bits per pixel asked

// L_SaveFile format codes.
constexpr int32_t kLtFileTiff = 3;        // uncompressed
constexpr int32_t kLtFileTiffCcitt = 25;  // CCITT modified Huffman (1-D)
constexpr int32_t kLtFileTiffG3 = 27;
constexpr int32_t kLtFileTiffG4 = 29;
constexpr int32_t kLtFileJpeg = 10;

// L_SaveFile flags: with kLtSaveAppend a TIFF format adds the bitmap as the next page of an
// existing TIFF file (a missing file is made new). Other bits are accepted and have no effect.
constexpr uint32_t kLtSaveAppend = 0x04;

// The imaging libraries export stdcall functions under their plain names. Declared with this,
// a function's object-file name is that plain name too (no @n decoration), so callers resolve
// it through an ordinary import library built from the .def file.
#define LT_NAME_TEXT2(x) #x
#define LT_NAME_TEXT(x) LT_NAME_TEXT2(x)
#define LT_PLAIN_NAME(name) __asm__(LT_NAME_TEXT(__USER_LABEL_PREFIX__) #name)
