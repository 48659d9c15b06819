// A small PDF writer for scanned pages: one image per page, written through a caller-given sink.
// Black-and-white pages are CCITT G4, gray pages Flate, colour pages DCT (or Flate on request).
// Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PdfSink {
  void* context = nullptr;
  // Appends n bytes; false when the bytes could not be written.
  bool (*write)(void* context, const void* data, size_t n) = nullptr;
};

// One page image. Rows are stored top row first unless bottomUp is set (as a DIB is).
struct PdfPageImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;        // 1, 8 (gray) or 24
  const uint8_t* pixels = nullptr;
  size_t stride = 0;           // bytes from one row to the next
  bool bottomUp = false;
  bool blackIsOne = true;      // 1-bit pages: a set bit is black
  bool bgr = true;             // 24-bit pages: blue first, as in a DIB
  double xDpi = 0;
  double yDpi = 0;
};

enum class PdfCompression { Auto, G4, Flate, Jpeg, None };

class PdfWriter {
 public:
  explicit PdfWriter(PdfSink sink);
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  // Adds one page; Auto picks G4 for 1-bit, Flate for gray and DCT for colour.
  bool AddPage(const PdfPageImage& image, PdfCompression compression = PdfCompression::Auto,
               int jpegQuality = 75);
  // Writes the page tree, catalogue, cross-reference table and trailer. A document with no
  // page is refused.
  bool Finish();
  // After a page failed midway: forgets it, so that the document can be finished with the
  // pages before it by writing on from LastPageEnd() (the caller puts its sink back there).
  void DropFailedPage();
  uint64_t LastPageEnd() const { return lastPageEnd_; }
  // Takes the last whole page out again (its bytes from LastPageEnd() after the call on are
  // to be written over); only the latest page can be taken out.
  bool DropLastPage();
  // The most the end of the document (page tree, catalogue, cross references, trailer) takes
  // with the pages written so far and one more.
  uint64_t EndBytesAtMost() const;

  int PageCount() const { return static_cast<int>(pageObjects_.size()); }
  const std::string& Error() const { return error_; }

 private:
  bool Emit(const std::string& text);
  bool EmitBytes(const void* data, size_t n);
  int BeginObject();
  bool Fail(const std::string& why);

  PdfSink sink_;
  uint64_t offset_ = 0;
  std::vector<uint64_t> objectOffsets_;  // index = object number - 1
  std::vector<int> pageObjects_;
  uint64_t lastPageEnd_ = 0;       // bytes written up to the end of the last whole page
  size_t lastPageObjects_ = 0;     // objects then
  uint64_t previousPageEnd_ = 0;   // the same before the last page
  size_t previousPageObjects_ = 0;
  bool started_ = false;
  bool finished_ = false;
  std::string error_;
};

// Writes a whole document to a file path (convenience for callers with pages in memory).
bool WritePdfFile(const std::string& path, const std::vector<PdfPageImage>& pages,
                  PdfCompression compression, std::string* error);
