#include "fake_ks_driver.h"

#include <algorithm>
#include <cstring>

#include "driver_bindings.h"
#include "ks_source_record.h"
#include "tag_ids.h"
#include "tag_table.h"
#include "tag_types.h"

FakeKSDriver gFake;

namespace {

HGLOBAL Block(const void* data, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
  if (void* p = GlobalLock(h)) {
    if (size) std::memcpy(p, data, size);
    GlobalUnlock(h);
  }
  return h;
}

int32_t __stdcall FakeLoad(HWND) {
  ++gFake.loads;
  return 0;
}
int32_t __stdcall FakeFree() { return 0; }
int32_t __stdcall FakeGetDS(int32_t, KSSourceRecord*) { return 1; }
int32_t __stdcall FakeSetDriver(KSSourceRecord*, int32_t) { return 0; }

int32_t __stdcall FakeGetValue(int32_t tag, int32_t, void* value) {
  if (tag == kTagPaperPresent) std::memcpy(value, &gFake.paper, 2);
  else if (tag == kTagAskDriver) std::memcpy(value, &gFake.askDriver, 2);
  return 0;
}

int32_t __stdcall FakeSetValue(int32_t tag, int32_t type, void* value) {
  int32_t v = 0;
  if (type == kTypeFloat) {
    float f;
    std::memcpy(&f, value, 4);
    v = static_cast<int32_t>(f * 100.0f + (f >= 0 ? 0.5f : -0.5f));
  } else if (TagTypeSize(type) == 2) {
    int16_t s;
    std::memcpy(&s, value, 2);
    v = s;
  } else if (TagTypeSize(type) == 4) {
    std::memcpy(&v, value, 4);
  }
  gFake.sent.emplace_back(static_cast<uint16_t>(tag), v);
  auto r = gFake.refuse.find(static_cast<uint16_t>(tag));
  return r == gFake.refuse.end() ? 0 : r->second;
}

int32_t __stdcall FakeQuery(int32_t tag, int32_t type, HGLOBAL* slot) {
  const uint16_t t = static_cast<uint16_t>(tag);
  if (std::find(gFake.queryFails.begin(), gFake.queryFails.end(), t) != gFake.queryFails.end()) return 5;
  FakeAnswer a;
  auto it = gFake.answers.find(t);
  if (it != gFake.answers.end()) a = it->second;
  else if (IsTagStringType(type)) a = {1, {}, {"sim"}};
  else if (type == kTypeFloat) a = {0, {0.0, 100.0, 1.0}, {}};
  else a = {2, {0, 1}, {}};

  const size_t size = static_cast<size_t>(TagTypeSize(type));
  std::vector<uint8_t> data;
  if (IsTagStringType(type)) {
    for (const std::string& s : a.texts) {
      std::vector<uint8_t> item(size, 0);
      std::memcpy(item.data(), s.data(), std::min(s.size(), size - 1));
      data.insert(data.end(), item.begin(), item.end());
    }
  } else {
    for (double d : a.numbers) {
      uint8_t item[4] = {};
      if (type == kTypeFloat) {
        const float f = static_cast<float>(d);
        std::memcpy(item, &f, 4);
      } else if (size == 2) {
        const int16_t s = static_cast<int16_t>(d);
        std::memcpy(item, &s, 2);
      } else {
        const int32_t i = static_cast<int32_t>(d);
        std::memcpy(item, &i, 4);
      }
      data.insert(data.end(), item, item + size);
    }
  }
  KSQueryHeader header{static_cast<uint32_t>(a.count), Block(data.data(), data.size())};
  *slot = Block(&header, sizeof header);
  return 0;
}

int32_t __stdcall FakeAcquire(PageCallbackProc, void*) { return 0; }

FakeAnswer List(std::vector<double> items) { return {static_cast<int32_t>(items.size()), items, {}}; }
FakeAnswer Range(double min, double max, double step) { return {0, {min, max, step}, {}}; }

}  // namespace

void InstallFakeKSDriver() {
  gFake = FakeKSDriver{};
  gFake.answers = {
      {kTagScanType, List({1, 2})},
      {kTagXResolution, Range(50, 600, 25)},
      {kTagYResolution, List({100, 200, 300, 600})},
      {kTagPixelType, List({0, 1, 2})},
      {kTagBitsPerPixel, List({1, 8, 24})},
      {kTagBrightness, Range(0, 255, 1)},
      {kTagContrast, Range(-1000, 1000, 1)},
      {kTagHighlight, Range(0, 255, 1)},
      {kTagShadow, Range(0, 255, 1)},
      {kTagGamma, Range(0.1, 4.0, 0.1)},
      {kTagFilter, List({0, 1, 2, 3})},
      {kTagUnits, List({0, 1, 2})},
      {kTagFileFormat, List({0, 1, 2, 3})},
      {kTagDither, {2, {}, {"None", "Diffusion"}}},
      {kTagThreshold, Range(0, 255, 1)},
      {kTagPhysicalHeight, List({3300, 4200})},
      {kTagPhysicalWidth, List({2550})},
      {kTagProductName, {1, {}, {"SimScan 3000"}}},
      {kTagBackgroundLines, Range(0, 100, 1)},
      {kTagOverscan, Range(0, 10, 1)},
  };
  gKS = KSBinding{};
  gKS.KSLoad = FakeLoad;
  gKS.KSFree = FakeFree;
  gKS.KSGetDS = FakeGetDS;
  gKS.KSSetDriverById = FakeSetDriver;
  gKS.KSGetValue = FakeGetValue;
  gKS.KSSetValue = FakeSetValue;
  gKS.KSQueryData = FakeQuery;
  gKS.KSAcquire = FakeAcquire;
}

void RemoveFakeKSDriver() { gKS = KSBinding{}; }

std::vector<uint16_t> SentTags() {
  std::vector<uint16_t> tags;
  for (auto& s : gFake.sent) tags.push_back(s.first);
  return tags;
}
