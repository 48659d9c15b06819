#include "delivery_fixture.h"

#include <cstring>

#include "acquire_memory.h"
#include "driver_flags.h"
#include "page_callback.h"
#include "page_file_writer.h"
#include "tag_state.h"
#include "tag_table.h"

// The flags the driver adapters keep; this test is the adapter.
int32_t DriverDelivers = 0;
int32_t FeederInUse = 0;
int32_t OwnDevice = 0;

namespace {

DeliveryTest* gTest = nullptr;
std::vector<AppEvent>* gEvents = nullptr;
int32_t* gAnswer = nullptr;

}  // namespace

int32_t __stdcall RecordApplication(void* data, uint32_t* size, int32_t code) {
  AppEvent e{code, size ? *size : 0u, {}, {}, {}};
  if (code == kPageEventInfo) {
    std::memcpy(&e.info, data, sizeof e.info);
  } else if (code == 1 && gAcq.transferMode == kTransferFile) {
    e.text = static_cast<const char*>(data);
  } else if (code == 1 && gAcq.transferMode == kTransferDib) {
    HGLOBAL dib = *static_cast<HGLOBAL*>(data);
    EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u) << "handed over unlocked";
    const auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
    e.dib.assign(p, p + GlobalSize(dib));
    GlobalUnlock(dib);
    EXPECT_EQ(GlobalFree(dib), nullptr);
  }
  gEvents->push_back(e);
  return code == 1 ? *gAnswer : 0;
}

void DeliveryTest::SetUp() {
  gTest = this;
  gEvents = &events;
  gAnswer = &answerToPage;
  for (TagState& s : g_tagStates) s = TagState{};
  g_tagStates[kRowFileName].Current = reinterpret_cast<uintptr_t>(fileNameTag);
  DriverDelivers = 0;
  FeederInUse = 0;
}

void DeliveryTest::TearDown() {
  DropOwnedPageDib();
  EXPECT_EQ(AcquireBlocksHeld(), 0) << "the library keeps no block";
  FailAcquireAllocAfter(-1);
  gAcq = Acquisition{};
  for (TagState& s : g_tagStates) s = TagState{};
  gTest = nullptr;
}

void DeliveryTest::Prepare(int32_t transferMode, uint32_t bufferBytes, bool withCallback) {
  gAcq = Acquisition{};
  gAcq.transferMode = transferMode;
  gAcq.pageProc = withCallback ? RecordApplication : nullptr;
  buffer.assign(bufferBytes, 0);
  gAcq.buffer = buffer.data();
  gAcq.bufferBytes = bufferBytes;
  ResetPageFiles();
}

ScanPageInfo DeliveryTest::Page(int16_t pixelType, int32_t bits, int32_t width, int32_t length) {
  ScanPageInfo p{};
  p.XResolution = p.YResolution = 300;
  p.ImageWidth = width;
  p.ImageLength = length;
  p.BitsPerPixel = bits;
  p.SamplesPerPixel = pixelType == 2 && bits >= 24 ? 3 : 1;
  p.PixelType = pixelType;
  return p;
}

int32_t DeliveryTest::Info(const ScanPageInfo& page, uint32_t* asked) {
  ScanPageInfo copy = page;
  uint32_t size = 0;
  const int32_t rc = PageCallback(&copy, &size, kPageEventInfo);
  if (asked) *asked = size;
  return rc;
}

int32_t DeliveryTest::Block(const std::vector<uint8_t>& bytes, int32_t code) {
  std::vector<uint8_t> copy = bytes;
  uint32_t size = static_cast<uint32_t>(copy.size());
  return PageCallback(copy.empty() ? buffer.data() : copy.data(), &size, code);
}

std::vector<uint8_t> DeliveryTest::Rows(uint32_t first, uint32_t count, uint32_t rowLength) {
  std::vector<uint8_t> out;
  for (uint32_t r = first; r < first + count; ++r) out.insert(out.end(), rowLength, static_cast<uint8_t>(r + 1));
  return out;
}
