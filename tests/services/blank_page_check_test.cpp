// The blank-page verdict on DIBs: what it answers, what it reads, and DIBs that lie.
#include <gtest/gtest.h>

#include "blank_page_check.h"
#include "test_dibs.h"

using pixels::CheckBlankPageBits;
using testdibs::Bilevel;
using testdibs::Put32;

namespace {

auto kWhite = [](int, int) { return false; };

TEST(BlankPageCheck, WhiteLetterPageAt300DpiIsBlankAndTextIsNot) {
  const auto white = Bilevel(2550, 3300, kWhite);
  pixels::BlankPageFigures f;
  EXPECT_EQ(CheckBlankPageBits(white.data(), white.size(), 10, &f), pixels::kPageBlank);
  EXPECT_EQ(f.rawBytes, 1056000u);
  EXPECT_EQ(f.threshold, 30u);
  EXPECT_EQ(f.xResolution, 300);
  EXPECT_GT(f.ratio, 30u);
  EXPECT_LT(f.codedBytes, 1000u);

  const auto text = Bilevel(2550, 3300, testdibs::TextInk);
  EXPECT_EQ(CheckBlankPageBits(text.data(), text.size(), 116, &f), pixels::kPageNotBlank);
  // With BLANKHOLD 0 every page that codes smaller than its raw size counts as blank.
  EXPECT_EQ(CheckBlankPageBits(text.data(), text.size(), 0, &f), pixels::kPageBlank);
}

TEST(BlankPageCheck, ReadsTheCallersRowsWithoutChangingThem) {
  const auto page = Bilevel(2550, 200, testdibs::TextInk);
  const auto before = page;
  CheckBlankPageBits(page.data(), page.size(), 116);
  EXPECT_EQ(page, before);
}

TEST(BlankPageCheck, SameVerdictAndCountWhateverThePaletteAndPadding) {
  // Ink as 1 with a reversed palette, or padding bits that are not paper, code the same.
  pixels::BlankPageFigures a, b, c;
  const auto usual = Bilevel(2550, 300, testdibs::TextInk);
  const auto reversed = Bilevel(2550, 300, testdibs::TextInk, 300, true);
  const auto darkPadding = Bilevel(2550, 300, testdibs::TextInk, 300, false, 0x00);
  CheckBlankPageBits(usual.data(), usual.size(), 116, &a);
  CheckBlankPageBits(reversed.data(), reversed.size(), 116, &b);
  CheckBlankPageBits(darkPadding.data(), darkPadding.size(), 116, &c);
  EXPECT_EQ(a.codedBytes, b.codedBytes);
  EXPECT_EQ(a.codedBytes, c.codedBytes);
}

TEST(BlankPageCheck, RefusesWhatIsNotAOneBitImageInsideItsBlock) {
  const auto base = Bilevel(2550, 100, kWhite);
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> spoil;
    int32_t expected;
  };
  const Case cases[] = {
      {"eight bits", [](auto& d) { d[14] = 8; }, pixels::kPageNotOneBit},
      {"no rows", [](auto& d) { Put32(&d[8], 0); }, pixels::kPageNotOneBit},
      {"rows past the block", [](auto& d) { Put32(&d[8], 101); }, pixels::kPageNotOneBit},
      {"header past the block", [](auto& d) { Put32(&d[0], 0x10000000); }, pixels::kPageNotOneBit},
      {"colours past the block", [](auto& d) { Put32(&d[32], 0x40000000); Put32(&d[8], 90); },
       pixels::kPageBlank},  // more than 2 entries are read as 2
      {"no image size", [](auto& d) { Put32(&d[20], 0); }, pixels::kPageBlank},
      {"image size larger than the block", [](auto& d) { Put32(&d[20], 0x7FFFFFFF); },
       pixels::kPageBlank},
      {"top-down", [](auto& d) { Put32(&d[8], uint32_t(-100)); }, pixels::kPageBlank},
  };
  for (const Case& c : cases) {
    auto d = base;
    c.spoil(d);
    EXPECT_EQ(CheckBlankPageBits(d.data(), d.size(), 10), c.expected) << c.name;
  }
  EXPECT_EQ(CheckBlankPageBits(base.data(), 47, 10), pixels::kPageNotOneBit);
  EXPECT_EQ(CheckBlankPageBits(nullptr, 0, 10), pixels::kPageNotOneBit);
}

TEST(BlankPageCheck, RowsFollowALargerHeaderAndTheDeclaredColours) {
  // A 124-byte header: the rows are read after it, not after 40 bytes; a page of ink whose
  // first 84 bytes of rows would be read as header bytes otherwise.
  auto white = Bilevel(2550, 100, kWhite);
  std::vector<uint8_t> v5(white.size() + 84, 0);
  std::copy(white.begin(), white.begin() + 40, v5.begin());
  Put32(&v5[0], 124);
  std::copy(white.begin() + 40, white.end(), v5.begin() + 124);
  pixels::BlankPageFigures a, b;
  EXPECT_EQ(CheckBlankPageBits(white.data(), white.size(), 10, &a), pixels::kPageBlank);
  EXPECT_EQ(CheckBlankPageBits(v5.data(), v5.size(), 10, &b), pixels::kPageBlank);
  EXPECT_EQ(a.codedBytes, b.codedBytes);
}

TEST(BlankPageCheck, NoResolutionIsTakenAs72Dpi) {
  auto d = Bilevel(2550, 100, kWhite);
  Put32(&d[24], 0);
  pixels::BlankPageFigures f;
  CheckBlankPageBits(d.data(), d.size(), 100, &f);
  EXPECT_EQ(f.xResolution, 72);
  EXPECT_EQ(f.threshold, 72u);
}

}  // namespace
