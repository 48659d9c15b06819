// Fake imaging bindings and a recording viewer window for the viewer's logic: DIB blocks are
// numbered records, files are a table, and every call that matters is counted.
#pragma once
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging_port.h"
#include "viewer_host.h"

namespace qm_test {

struct ViewerError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct FakeDib {
  qm::DibFacts facts;
  std::vector<uint8_t> rows;
};

struct FakeFile {
  std::string format = "TIFF";
  qm::DibFacts page;  // what a read gives
  int16_t pageCount = 1;
  int64_t size = 1234;
  std::vector<qm::TagReport> tags;
  int32_t photometric = 0;
};

class FakeImaging : public qm::ImagingPort {
 public:
  std::map<std::string, FakeFile> files;
  std::map<qm::DibRef, FakeDib> dibs;
  qm::DibRef next = 100;
  bool readFails = false;
  bool grayFails = false;
  int grayCalls = 0;
  int resizeCalls = 0;
  std::vector<std::string> calls;
  std::string operation;
  qm::DibFacts streamPage{640, 480, 1, 3937, 3937};
  int16_t streamPageCount = 3;
  // Page maintenance and edits: failures on demand, what was asked recorded.
  bool deleteFails = false, writeFails = false, rotateFails = false;
  bool strictPages = false;  // page information of a page past the end fails, as the library's does
  std::string dllError = "the library failed";
  std::vector<size_t> invertedBytes;
  std::vector<int> writeBits;
  double skewAngle = 3.0;
  std::vector<qm::TagReport> streamTags{{256, 4, 640, "", "IMAGEWIDTH", true}};

  qm::DibRef Make(qm::DibFacts f) {
    qm::DibRef r = next++;
    size_t row = (size_t(f.width) * f.bitCount + 31) / 32 * 4;
    size_t rows = size_t(f.height < 0 ? -int64_t(f.height) : int64_t(f.height));
    dibs[r] = FakeDib{f, std::vector<uint8_t>(row * rows, 0x0F)};
    return r;
  }
  size_t Live() const { return dibs.size(); }

  bool FileExists(const std::string& n) override { return files.count(n) > 0; }
  int64_t FileSize(const std::string& n) override { return files.count(n) ? files[n].size : -1; }
  qm::DibRef ReadTiffFile(const std::string& n, int, int16_t) override {
    calls.push_back("ReadTiffFile " + n);
    return readFails ? 0 : Make(files.at(n).page);
  }
  qm::DibRef ReadTiffStream(const qm::TiffStream&, int, int16_t) override {
    calls.push_back("ReadTiffStream");
    return readFails ? 0 : Make(streamPage);
  }
  bool GetFileInfo(const std::string& n, qm::ImageFileFacts& f) override {
    const FakeFile& file = files.at(n);
    f.format = file.format;
    f.width = file.page.width;
    f.height = file.page.height;
    f.bitsPerPixel = file.page.bitCount;
    f.description = "RGB";
    return true;
  }
  qm::DibRef ReadImageFile(const std::string& format, const std::string& n, int, bool) override {
    calls.push_back("Read " + format + " " + n);
    return readFails ? 0 : Make(files.at(n).page);
  }
  void GetImageFileInfo(const std::string& n, int16_t page, qm::TiffPageFacts& f) override {
    const FakeFile& file = files.at(n);
    if (strictPages && (page < 0 || page >= file.pageCount)) throw ViewerError("no such page");
    f.width = file.page.width;
    f.height = file.page.height;
    f.bitsPerPixel = int16_t(file.page.bitCount);
    f.pageCount = file.pageCount;
    f.compression = "NONE";
  }
  void GetInfoStream(const qm::TiffStream&, int16_t, qm::TiffPageFacts& f) override {
    f.width = streamPage.width;
    f.height = streamPage.height;
    f.bitsPerPixel = int16_t(streamPage.bitCount);
    f.pageCount = streamPageCount;
    f.compression = "FAXCCITT4";
  }
  void ReturnTags(const std::string& n, int16_t, const qm::TagSink& sink) override {
    calls.push_back("ReturnTags " + n);
    for (auto& t : files.at(n).tags)
      if (!sink(t)) break;
  }
  void ReturnTagsStream(const qm::TiffStream&, int16_t, const qm::TagSink& sink) override {
    calls.push_back("ReturnTagsStream");
    for (auto& t : streamTags)
      if (!sink(t)) break;
  }
  bool ReadTag(const std::string& n, int16_t, uint16_t, int32_t& v) override {
    calls.push_back("ReadTag " + n);
    v = files.at(n).photometric;
    return true;
  }
  bool ReadTagStream(const qm::TiffStream&, int16_t, uint16_t, int32_t& v) override {
    calls.push_back("ReadTagStream");
    v = 0;
    return true;
  }
  qm::DibFacts Facts(qm::DibRef d) override { return dibs.at(d).facts; }
  void SetPixelsPerMetre(qm::DibRef d, int32_t x, int32_t y) override {
    dibs.at(d).facts.xPixelsPerMetre = x;
    dibs.at(d).facts.yPixelsPerMetre = y;
  }
  void InvertPixelRows(qm::DibRef d, size_t bytes) override {
    invertedBytes.push_back(bytes);
    auto& rows = dibs.at(d).rows;
    for (size_t i = 0; i < bytes && i < rows.size(); ++i) rows[i] = uint8_t(~rows[i]);
  }
  qm::DibRef Duplicate(qm::DibRef d) override {
    qm::DibRef r = next++;
    dibs[r] = dibs.at(d);
    return r;
  }
  void Free(qm::DibRef d) override {
    if (!dibs.erase(d)) throw std::logic_error("freed twice or never made");
  }
  qm::DibRef ScaleToGray(qm::DibRef d, int mode, int32_t w, int32_t h) override {
    ++grayCalls;
    calls.push_back("ScaleToGray " + std::to_string(mode) + " " + std::to_string(w) + "x" +
                    std::to_string(h));
    if (grayFails && mode != 0) return 0;
    qm::DibFacts f = dibs.at(d).facts;
    return Make({w, h, mode == 0 ? 1 : 8, f.xPixelsPerMetre, f.yPixelsPerMetre});
  }
  qm::DibRef Resize(qm::DibRef d, int32_t w, int32_t h, int bits) override {
    ++resizeCalls;
    qm::DibFacts f = dibs.at(d).facts;
    return Make({w, h, bits, f.xPixelsPerMetre, f.yPixelsPerMetre});
  }
  int ScreenBitDepth() override { return 24; }

  bool DeletePage(const std::string& n, int16_t page) override {
    calls.push_back("DeletePage " + n + " " + std::to_string(page));
    if (deleteFails) return false;
    files.at(n).pageCount--;
    return true;
  }
  bool DeletePageStream(const qm::TiffStream& tiff, int16_t page, qm::TiffStream& result) override {
    calls.push_back("DeletePageStream " + std::to_string(page));
    if (deleteFails) return false;
    result = qm::TiffStream(tiff.begin(), tiff.end() - 1);
    streamPageCount--;
    return true;
  }
  bool PackTiff(const std::string& n) override {
    calls.push_back("PackTiff " + n);
    return !writeFails;
  }
  bool PackTiffStream(const qm::TiffStream& tiff, qm::TiffStream& result) override {
    if (writeFails) return false;
    result = qm::TiffStream(tiff.begin(), tiff.begin() + tiff.size() / 2);
    return true;
  }
  bool ReplaceTiffPage(const std::string& n, int, int16_t, qm::DibRef, int bits) override {
    writeBits.push_back(bits);
    return !writeFails;
  }
  bool ReplaceTiffPageStream(const qm::TiffStream& tiff, int, int16_t, qm::DibRef, int bits,
                             qm::TiffStream& result) override {
    writeBits.push_back(bits);
    if (writeFails) return false;
    result = tiff;
    result.push_back(0xAB);
    return true;
  }
  bool WriteTiffFile(const std::string& n, int, bool append, qm::DibRef dib, int bits) override {
    calls.push_back(std::string(append ? "Append " : "Write ") + n);
    writeBits.push_back(bits);
    if (writeFails) return false;
    bool existed = files.count(n) > 0;
    FakeFile& f = files[n];
    f.page = dibs.at(dib).facts;
    f.pageCount = append && existed ? int16_t(f.pageCount + 1) : int16_t(1);
    return true;
  }
  bool InsertTiffPage(const std::string& n, int, int16_t page, qm::DibRef dib, int bits) override {
    calls.push_back("Insert " + n + " " + std::to_string(page));
    if (writeFails) return false;
    FakeFile& f = files[n];
    f.page = dibs.at(dib).facts;
    f.pageCount++;
    return true;
  }
  int TiffWriteBitDepth(int option) override { return 100 + option; }
  qm::DibRef Rotate(qm::DibRef d, uint32_t fill, double angle) override {
    calls.push_back("Rotate " + std::to_string(fill) + " " + std::to_string(angle));
    if (rotateFails) return 0;
    qm::DibFacts f = dibs.at(d).facts;
    if (angle == 90 || angle == 270 || angle == -90) std::swap(f.width, f.height);
    return Make(f);
  }
  qm::DibRef Mirror(qm::DibRef d, int a, int b) override {
    calls.push_back("Mirror " + std::to_string(a) + " " + std::to_string(b));
    return Make(dibs.at(d).facts);
  }
  bool Invert(qm::DibRef) override {
    calls.push_back("Invert");
    return true;
  }
  double MeasureSkew(qm::DibRef, int, int, double, double, double) override { return skewAngle; }
  size_t PixelBytes(qm::DibRef d) override { return dibs.at(d).rows.size(); }
  void LastDllError(int16_t& code, std::string& text) override {
    code = 7;
    text = dllError;
  }
  void SetOperationText(const std::string& t) override { operation = t; }
  std::string OperationText() override { return operation; }
  [[noreturn]] void Raise(const std::string& m) override { throw ViewerError(m); }
};

class RecordingHost : public qm::ViewerHost {
 public:
  std::vector<qm::InfoReport> infos;
  std::vector<qm::TiffTagRecord> tags;
  std::vector<std::pair<int16_t, std::string>> progress;
  int finished = 0, shown = 0, repaints = 0, layouts = 0;
  qm::QmSize paintBox, controlSize, outer{504, 404};
  bool cancelTags = false;
  bool handlerAssigned = false;
  std::string handlerName = "D:\\OWN.TIF";

  bool Progress(int16_t p, const std::string& t) override {
    progress.push_back({p, t});
    return false;
  }
  void Info(const qm::InfoReport& i) override { infos.push_back(i); }
  bool Tag(const qm::TiffTagRecord& t) override {
    tags.push_back(t);
    return cancelTags;
  }
  void FinishedLoadSave() override { ++finished; }
  void ShowDibBetweenScan() override { ++shown; }
  bool ScanFileNameHandler(std::string& name, int16_t&) override {
    if (!handlerAssigned) return false;
    name = handlerName;
    return true;
  }
  void ApplyLayout(qm::QmSize s) override {
    ++layouts;
    paintBox = s;
  }
  void SetControlSize(qm::QmSize s) override { controlSize = s; }
  qm::QmSize OuterSize() override { return outer; }
  void Repaint() override { ++repaints; }
  bool handleDllErrors = false;
  std::vector<std::string> dllErrors;
  std::vector<int16_t> deleted, inserted;
  bool DllErrorHandled(int16_t, const std::string& text) override {
    if (!handleDllErrors) return false;
    dllErrors.push_back(text);
    return true;
  }
  void PageDeleted(int16_t page) override { deleted.push_back(page); }
  void PageInserted(int16_t page) override { inserted.push_back(page); }
};

}  // namespace qm_test
