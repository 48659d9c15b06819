#include "fake_pavlot.h"

#include <cstdio>
#include <cstring>

#include "scan_tags.h"

namespace tarnwick {

namespace {

FakeScanner gScanner;
int gModule;  // the fake module's handle is its address

std::string Hex(uint32_t tag) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", tag);
  return text;
}

void Log(const std::string& line) { gScanner.calls.push_back(line); }

// The value the caller hands in, read in the tag's own size.
int32_t ValueOf(uint32_t tag, const void* value) {
  gScanner.bytesSet[static_cast<uint16_t>(tag)] = ScanTagBytes(static_cast<uint16_t>(tag));
  if (ScanTagBytes(static_cast<uint16_t>(tag)) == 2) {
    int16_t v;
    std::memcpy(&v, value, 2);
    return v;
  }
  int32_t v;
  std::memcpy(&v, value, 4);
  return v;
}

// Notes an answer buffer that was not zeroed for the tag's size, then writes exactly the tag's
// bytes, as the library does.
void Answer(uint32_t tag, void* out, const void* value, int bytes) {
  const auto* b = static_cast<const uint8_t*>(out);
  for (int i = 0; i < bytes; ++i)
    if (b[i] != 0) {
      gScanner.dirtyBuffers.push_back(Hex(tag));
      break;
    }
  std::memcpy(out, value, bytes);
}

int32_t ZEB_API FakeFree() {
  Log("ZebFree");
  ++gScanner.zebFrees;
  return 0;
}

int32_t ZEB_API FakeLoad(void* owner) {
  Log("ZebLoad");
  ++gScanner.zebLoads;
  gScanner.owner = owner;
  return gScanner.loadStatus;
}

int32_t ZEB_API FakeSetProp(TScanPropRec) {
  Log("SetProp");
  return 0;
}

int32_t ZEB_API FakeAcquire(ScanPageProc) {
  Log("Acquire");
  ++gScanner.acquires;
  if (gScanner.duringAcquire) gScanner.duringAcquire();
  return gScanner.acquireStatus;
}

int32_t ZEB_API FakeSelectSource() {
  Log("SelectSource");
  return 0;
}

int32_t ZEB_API FakeSetValue(uint32_t tag, void* value) {
  if (KindOfScanTag(static_cast<uint16_t>(tag)) == ScanTagKind::Text) {
    const char* text = static_cast<const char*>(value);
    gScanner.textsSet[static_cast<uint16_t>(tag)] = std::string(text, strnlen(text, 33));
    Log("SetValue " + Hex(tag) + " \"" + gScanner.textsSet[static_cast<uint16_t>(tag)] + "\"");
    return 0;
  }
  const int32_t v = ValueOf(tag, value);
  Log("SetValue " + Hex(tag) + " " + std::to_string(v));
  if (tag == scan_tag::kScanType && gScanner.refusedScanTypes.count(v)) return -8;
  if (tag == scan_tag::kFeederType && v == 1 && gScanner.duplexRefused) return -8;
  return 0;
}

int32_t ZEB_API FakeGetValue(uint32_t tag, void* out) {
  Log("GetValue " + Hex(tag));
  switch (tag) {
    case scan_tag::kFilter: Answer(tag, out, &gScanner.filter, 2); return 0;
    case scan_tag::kPaperPresent:
      if (!gScanner.paperAnswers.empty()) {
        const int16_t answer = gScanner.paperAnswers.front();
        gScanner.paperAnswers.pop_front();
        Answer(tag, out, &answer, 2);
        return 0;
      }
      if (gScanner.paperPresent < 0) return -7;
      Answer(tag, out, &gScanner.paperPresent, 2);
      return 0;
    case scan_tag::kUnits: Answer(tag, out, &gScanner.units, 2); return 0;
    case scan_tag::kProductName: {
      if (gScanner.productName.empty()) return -7;
      char text[33] = {};
      gScanner.productName.copy(text, 32);
      Answer(tag, out, text, 33);
      return 0;
    }
    case scan_tag::kPhysicalWidth:
    case scan_tag::kPhysicalHeight: {
      if (!gScanner.areaAnswered) return -7;
      const float v = tag == scan_tag::kPhysicalWidth ? gScanner.width : gScanner.height;
      Answer(tag, out, &v, 4);
      return 0;
    }
  }
  return -7;
}

int32_t ZEB_API FakeGetTagFlag(uint32_t tag, int32_t* flag) {
  Log("GetTagFlag " + Hex(tag));
  *flag = tag == scan_tag::kXResolution ? gScanner.resolutionFlag : kTagFlagList;
  return 0;
}

int32_t ZEB_API FakeGetTagChoice(uint32_t tag, int32_t index, void* out) {
  Log("GetTagChoice " + Hex(tag) + " " + std::to_string(index));
  if (tag == scan_tag::kScanType) {
    const int16_t v = 2;
    if (index < 0 || index > 1) return -7;
    Answer(tag, out, &v, 2);
    return 0;
  }
  if (tag != scan_tag::kXResolution) return -7;
  int32_t v;
  if (gScanner.resolutionFlag == kTagFlagList) {
    if (index < 0 || index >= static_cast<int32_t>(gScanner.resolutions.size())) return -7;
    v = gScanner.resolutions[index];
  } else if (gScanner.resolutionFlag == kTagFlagRange) {
    if (index < 1 || index > 3) return -7;
    v = index == 1 ? gScanner.rangeMin : index == 2 ? gScanner.rangeMax : gScanner.rangeStep;
  } else {
    return -7;
  }
  Answer(tag, out, &v, 4);
  return 0;
}

int32_t ZEB_API FakeSetTagChoice(uint32_t, int32_t, int32_t) { return 0; }

void* Entry(const std::string& name) {
  ScanEntryPoints e;
  e.ZebFree = FakeFree;
  e.ZebLoad = FakeLoad;
  e.ZebSetProp = FakeSetProp;
  e.ZebAcquire = FakeAcquire;
  e.ZebSelectSource = FakeSelectSource;
  e.ZebSetValue = FakeSetValue;
  e.ZebGetValue = FakeGetValue;
  e.ZebGetTagFlag = FakeGetTagFlag;
  e.ZebGetTagChoice = FakeGetTagChoice;
  e.ZebSetTagChoice = FakeSetTagChoice;
  for (int i = 0; i < kScanEntryCount; ++i)
    if (name == kScanEntryNames[i]) return *ScanEntrySlot(e, static_cast<ScanEntry>(i));
  return nullptr;
}

}  // namespace

FakeScanner& Scanner() { return gScanner; }

FakePavlotLoader::FakePavlotLoader(std::set<std::string> m, bool p)
    : missing(std::move(m)), present(p) {
  gScanner = FakeScanner{};
}

void* FakePavlotLoader::Load(const char* file) {
  loadedFile = file;
  if (!present) return nullptr;
  ++loads;
  return &gModule;
}

void* FakePavlotLoader::Resolve(void* module, const char* name) {
  if (module != &gModule || missing.count(name)) return nullptr;
  return Entry(name);
}

void FakePavlotLoader::Unload(void* module) {
  if (module == &gModule) ++unloads;
}

}  // namespace tarnwick
