#include "pdf_writer.h"

#include <cstdio>

#include "pdf_image_encode.h"

namespace {

// Numbers in the document are written in the C locale, whatever the process uses.
std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Int(long long v) { return std::to_string(v); }

constexpr int kCatalog = 1;
constexpr int kPages = 2;

}  // namespace

PdfWriter::PdfWriter(PdfSink sink) : sink_(sink) {}

bool PdfWriter::Fail(const std::string& why) {
  if (error_.empty()) error_ = why;
  return false;
}

bool PdfWriter::EmitBytes(const void* data, size_t n) {
  if (!sink_.write || !sink_.write(sink_.context, data, n)) return Fail("could not write the PDF file");
  offset_ += n;
  return true;
}

bool PdfWriter::Emit(const std::string& text) { return EmitBytes(text.data(), text.size()); }

int PdfWriter::BeginObject() {
  objectOffsets_.push_back(offset_);
  return static_cast<int>(objectOffsets_.size());
}

bool PdfWriter::AddPage(const PdfPageImage& image, PdfCompression compression, int jpegQuality) {
  if (finished_) return Fail("the document is already closed");
  if (!error_.empty()) return false;
  const int bpp = image.bitsPerPixel;
  if (image.width <= 0 || image.height <= 0 || !image.pixels ||
      (bpp != 1 && bpp != 8 && bpp != 24) ||
      image.stride < (static_cast<size_t>(image.width) * bpp + 7) / 8)
    return Fail("page image not supported");
  if (!started_) {
    // Objects 1 and 2 (catalogue and page tree) are written last; their numbers are reserved.
    if (!Emit("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n")) return false;
    objectOffsets_.assign(2, 0);
    started_ = true;
    // No page yet: a page that fails is dropped back to here.
    lastPageEnd_ = offset_;
    lastPageObjects_ = objectOffsets_.size();
  }
  if (compression == PdfCompression::Auto)
    compression = bpp == 1 ? PdfCompression::G4 : bpp == 8 ? PdfCompression::Flate : PdfCompression::Jpeg;
  if (compression == PdfCompression::G4 && bpp != 1) compression = PdfCompression::Flate;
  if (compression == PdfCompression::Jpeg && bpp == 1) compression = PdfCompression::G4;

  std::vector<uint8_t> rows = PdfRows(image);
  std::vector<uint8_t> stream;
  std::string filter, params;
  std::string why;
  switch (compression) {
    case PdfCompression::G4:
      if (!EncodeG4(rows, image.width, image.height, &stream, &why)) return Fail(why);
      filter = "/CCITTFaxDecode";
      params = "/DecodeParms << /K -1 /Columns " + Int(image.width) + " /Rows " + Int(image.height) +
               " /BlackIs1 false >> ";
      break;
    case PdfCompression::Jpeg:
      if (!EncodeJpeg(rows, image.width, image.height, bpp == 24 ? 3 : 1, jpegQuality, &stream, &why))
        return Fail(why);
      filter = "/DCTDecode";
      break;
    case PdfCompression::Flate:
      if (bpp == 1)
        for (auto& b : rows) b = static_cast<uint8_t>(~b);  // DeviceGray: 0 is black
      if (!EncodeFlate(rows, &stream, &why)) return Fail(why);
      filter = "/FlateDecode";
      break;
    default:
      if (bpp == 1)
        for (auto& b : rows) b = static_cast<uint8_t>(~b);
      stream = std::move(rows);
      break;
  }
  // G4 data decodes to 0 for black, which DeviceGray shows as black ink.
  const double xDpi = image.xDpi > 0 ? image.xDpi : 72.0;
  const double yDpi = image.yDpi > 0 ? image.yDpi : xDpi;
  const double wPt = image.width * 72.0 / xDpi;
  const double hPt = image.height * 72.0 / yDpi;

  const int imageObj = BeginObject();
  std::string head = Int(imageObj) + " 0 obj\n<< /Type /XObject /Subtype /Image /Width " +
                     Int(image.width) + " /Height " + Int(image.height) + " /ColorSpace " +
                     (bpp == 24 ? "/DeviceRGB" : "/DeviceGray") + " /BitsPerComponent " +
                     (bpp == 1 ? "1" : "8") + " " + (filter.empty() ? "" : "/Filter " + filter + " ") +
                     params + "/Length " + Int(static_cast<long long>(stream.size())) + " >>\nstream\n";
  if (!Emit(head) || !EmitBytes(stream.data(), stream.size()) || !Emit("\nendstream\nendobj\n"))
    return false;

  const int contentObj = BeginObject();
  std::string content = "q " + Num(wPt) + " 0 0 " + Num(hPt) + " 0 0 cm /Im0 Do Q\n";
  if (!Emit(Int(contentObj) + " 0 obj\n<< /Length " + Int(static_cast<long long>(content.size())) +
            " >>\nstream\n" + content + "endstream\nendobj\n"))
    return false;

  const int pageObj = BeginObject();
  if (!Emit(Int(pageObj) + " 0 obj\n<< /Type /Page /Parent " + Int(kPages) + " 0 R /MediaBox [0 0 " +
            Num(wPt) + " " + Num(hPt) + "] /Resources << /XObject << /Im0 " + Int(imageObj) +
            " 0 R >> >> /Contents " + Int(contentObj) + " 0 R >>\nendobj\n"))
    return false;
  pageObjects_.push_back(pageObj);
  previousPageEnd_ = lastPageEnd_;
  previousPageObjects_ = lastPageObjects_;
  lastPageEnd_ = offset_;
  lastPageObjects_ = objectOffsets_.size();
  return true;
}

bool PdfWriter::DropLastPage() {
  if (finished_ || pageObjects_.empty() || previousPageObjects_ == 0) return false;
  pageObjects_.pop_back();
  lastPageEnd_ = offset_ = previousPageEnd_;
  lastPageObjects_ = previousPageObjects_;
  objectOffsets_.resize(lastPageObjects_);
  previousPageObjects_ = 0;
  error_.clear();
  return true;
}

uint64_t PdfWriter::EndBytesAtMost() const {
  const uint64_t pages = pageObjects_.size() + 1, objects = objectOffsets_.size() + 3 * 1 + 1;
  return 512 + 24 * pages + 20 * objects;
}

void PdfWriter::DropFailedPage() {
  if (finished_ || lastPageObjects_ == 0) return;
  offset_ = lastPageEnd_;
  objectOffsets_.resize(lastPageObjects_);
  error_.clear();
}

bool PdfWriter::Finish() {
  if (finished_) return error_.empty();
  if (!error_.empty()) return false;
  if (pageObjects_.empty()) return Fail("the document has no page");
  std::string kids;
  for (int p : pageObjects_) kids += Int(p) + " 0 R ";
  objectOffsets_[kPages - 1] = offset_;
  if (!Emit(Int(kPages) + " 0 obj\n<< /Type /Pages /Kids [" + kids + "] /Count " + Int(PageCount()) +
            " >>\nendobj\n"))
    return false;
  objectOffsets_[kCatalog - 1] = offset_;
  if (!Emit(Int(kCatalog) + " 0 obj\n<< /Type /Catalog /Pages " + Int(kPages) + " 0 R >>\nendobj\n"))
    return false;
  const uint64_t xref = offset_;
  std::string table = "xref\n0 " + Int(static_cast<long long>(objectOffsets_.size() + 1)) +
                      "\n0000000000 65535 f \n";
  for (uint64_t off : objectOffsets_) {
    char line[24];
    std::snprintf(line, sizeof line, "%010llu 00000 n \n", static_cast<unsigned long long>(off));
    table += line;
  }
  table += "trailer\n<< /Size " + Int(static_cast<long long>(objectOffsets_.size() + 1)) + " /Root " +
           Int(kCatalog) + " 0 R >>\nstartxref\n" + Int(static_cast<long long>(xref)) + "\n%%EOF\n";
  if (!Emit(table)) return false;
  finished_ = true;
  return true;
}

namespace {

bool FileWrite(void* context, const void* data, size_t n) {
  return std::fwrite(data, 1, n, static_cast<FILE*>(context)) == n;
}

}  // namespace

bool WritePdfFile(const std::string& path, const std::vector<PdfPageImage>& pages,
                  PdfCompression compression, std::string* error) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    if (error) *error = "could not create " + path;
    return false;
  }
  PdfWriter writer(PdfSink{f, FileWrite});
  bool ok = true;
  for (const auto& page : pages) ok = ok && writer.AddPage(page, compression);
  ok = ok && writer.Finish();
  ok = std::fclose(f) == 0 && ok;
  if (!ok && error) *error = writer.Error().empty() ? "could not write " + path : writer.Error();
  if (!ok) std::remove(path.c_str());
  return ok;
}
