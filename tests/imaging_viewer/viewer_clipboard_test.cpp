// Which clipboard blocks the viewer takes, which keys cut, copy and paste, and how a page is
// sized for the printer.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "viewer_clipboard.h"

using namespace qm;

namespace {

// A packed DIB: header, colour table, rows; fields then changed by each case.
std::vector<uint8_t> Dib(int32_t w, int32_t h, uint16_t bits) {
  uint32_t colors = bits <= 8 ? 1u << bits : 0;
  size_t rows = size_t(h < 0 ? -h : h) * ((size_t(w) * bits + 31) / 32 * 4);
  std::vector<uint8_t> b(40 + 4 * colors + rows, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
  put32(0, 40);
  put32(4, uint32_t(w));
  put32(8, uint32_t(h));
  put16(12, 1);
  put16(14, bits);
  return b;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }

}  // namespace

TEST(ViewerClipboard, BlocksFromAnyProgramAreChecked) {
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
    ClipboardDibFault fault;
  };
  std::vector<Case> cases;
  cases.push_back({"bilevel page", Dib(100, 50, 1), ClipboardDibFault::kNone});
  cases.push_back({"top-down colour page", Dib(33, -20, 24), ClipboardDibFault::kNone});
  auto truncated = Dib(100, 50, 8);
  truncated.resize(truncated.size() - 1);
  cases.push_back({"truncated rows", truncated, ClipboardDibFault::kRowsBeyondBlock});
  auto header = Dib(4, 4, 24);
  header.resize(40);
  cases.push_back({"header only", header, ClipboardDibFault::kRowsBeyondBlock});
  cases.push_back({"shorter than a header", std::vector<uint8_t>(20, 0), ClipboardDibFault::kTooSmall});
  auto v5 = Dib(10, 10, 24);
  Put32(v5, 0, 124);
  cases.push_back({"version 5 header", v5, ClipboardDibFault::kHeaderSize});
  auto depth = Dib(10, 10, 24);
  depth[14] = 3;
  cases.push_back({"3 bits", depth, ClipboardDibFault::kDepth});
  auto rle = Dib(10, 10, 8);
  Put32(rle, 16, 1);
  cases.push_back({"run-length", rle, ClipboardDibFault::kCompression});
  auto fields = Dib(10, 10, 32);
  Put32(fields, 16, 3);
  cases.push_back({"bit fields", fields, ClipboardDibFault::kCompression});
  auto table = Dib(10, 10, 4);
  Put32(table, 32, 17);
  cases.push_back({"17 colours at 4 bits", table, ClipboardDibFault::kColorTable});
  auto wide = Dib(10, 10, 1);
  Put32(wide, 4, 0x7FFFFFFF);
  cases.push_back({"huge width", wide, ClipboardDibFault::kRowsBeyondBlock});
  auto flat = Dib(10, 10, 1);
  Put32(flat, 8, 0);
  cases.push_back({"no height", flat, ClipboardDibFault::kDimensions});
  auto lowest = Dib(10, 10, 1);
  Put32(lowest, 8, 0x80000000u);
  cases.push_back({"lowest height", lowest, ClipboardDibFault::kDimensions});
  for (const Case& c : cases)
    EXPECT_EQ(CheckClipboardDib(c.block.data(), c.block.size()), c.fault) << c.what;
  EXPECT_EQ(CheckClipboardDib(nullptr, 100), ClipboardDibFault::kTooSmall);
  EXPECT_STRNE(ClipboardDibFaultText(ClipboardDibFault::kRowsBeyondBlock), "");
}

TEST(ViewerClipboard, Keys) {
  const uint16_t insert = 0x2D, del = 0x2E;
  EXPECT_EQ(ClipboardKeyFor(insert, kShiftFlag), ClipboardKey::kPaste);
  EXPECT_EQ(ClipboardKeyFor(insert, kShiftFlag | kCtrlFlag), ClipboardKey::kPaste);  // Shift first
  EXPECT_EQ(ClipboardKeyFor(insert, kCtrlFlag), ClipboardKey::kCopy);
  EXPECT_EQ(ClipboardKeyFor(insert, 0), ClipboardKey::kNone);
  EXPECT_EQ(ClipboardKeyFor(del, kShiftFlag), ClipboardKey::kCut);
  EXPECT_EQ(ClipboardKeyFor(del, kCtrlFlag), ClipboardKey::kNone);
  EXPECT_EQ(ClipboardCharFor(3), ClipboardKey::kCopy);
  EXPECT_EQ(ClipboardCharFor(22), ClipboardKey::kPaste);
  EXPECT_EQ(ClipboardCharFor(24), ClipboardKey::kCut);
  EXPECT_EQ(ClipboardCharFor('c'), ClipboardKey::kNone);
}

TEST(ViewerClipboard, PrintSizeAndGrayCopy) {
  // Width 0: the page at its own pixel size, decided before any gray copy is made.
  PrintPlan own = PlanPrint(TScaleToGray::S_Gray_Anti_256, 1, {1700, 2200}, 0, 3000);
  EXPECT_TRUE(own.gray);
  EXPECT_EQ(own.width, 1700);
  EXPECT_EQ(own.height, 2200);
  PrintPlan page = PlanPrint(TScaleToGray::S_Gray_None, 1, {1700, 2200}, 4800, 6600);
  EXPECT_FALSE(page.gray);
  EXPECT_EQ(page.width, 4800);
  EXPECT_FALSE(PlanPrint(TScaleToGray::S_Gray_Anti_16, 8, {10, 10}, 5, 5).gray);
  EXPECT_TRUE(PlanPrint(TScaleToGray::S_Gray_Anti_16, 2, {10, 10}, 5, 5).gray);
  EXPECT_EQ(PlanPrint(TScaleToGray::S_Gray_None, 24, {10, -30}, -1, 5).height, 30);
}
