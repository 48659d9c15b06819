// The viewer and the clipboard of the test display: copy and paste give back the page, a block
// put there by another program is checked before it is shown, the clipboard is closed after
// every paste, a cut whose copy failed keeps the page, and the keys do what they say.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_imaging_port.h"

using namespace qm;
using namespace qm_test;

namespace {

struct ClipWindow {
  TestImagingPort imaging;
  TQmControl frame;
  QmDocumentImage viewer{imaging};
  std::vector<std::string> errors;
  ClipWindow() {
    frame.SetBounds(1400, 0, 560, 480);
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, 504, 404);
    frame.CreateHandle(nullptr);
    viewer.OnPictorelError = [this](QmDocumentImage*, int16_t, const std::string& text, const char*) {
      errors.push_back(text);
    };
  }
  void Show(int32_t w, int32_t h, int bits) {
    HGLOBAL page = MakeDib(w, h, bits, 300, 300);
    auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(page));
    uint8_t* p = DibBits(hdr);
    size_t bytes = DibRowBytes(w, bits) * size_t(h);
    for (size_t i = 0; i < bytes; ++i) p[i] = uint8_t(i * 37 + i / 101);
    GlobalUnlock(page);
    viewer.ShowScannedDib(page, "scan");
    ReleasePageBlock(page);
  }
  // The whole block of the page shown.
  std::vector<uint8_t> Block() const {
    HGLOBAL h = viewer.GetDibHandle();
    auto* p = static_cast<const uint8_t*>(GlobalLock(h));
    std::vector<uint8_t> bytes(p, p + GlobalSize(h));
    GlobalUnlock(h);
    return bytes;
  }
};

// Puts a block on the clipboard as another program would.
void PutOnClipboard(HWND owner, const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_DIB, block));
  CloseClipboard();
}

bool ClipboardClosed(HWND other) {
  if (!OpenClipboard(other)) return false;
  CloseClipboard();
  return true;
}

void PressWithShift(HWND window, WORD key, BYTE modifier) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[modifier] = 0x80;
  SetKeyboardState(state);
  SendMessageA(window, WM_KEYDOWN, key, 0);
  state[modifier] = 0;
  SetKeyboardState(state);
}

}  // namespace

TEST(ViewerClipboardWindow, CopyThenPasteGivesBackThePage) {
  for (int bits : {1, 8, 24}) {
    ClipWindow w;
    w.Show(301, 207, bits);
    std::vector<uint8_t> page = w.Block();
    w.viewer.CopyToClipboard();
    w.viewer.ClearImage();
    EXPECT_FALSE(w.viewer.HasImage());
    w.viewer.PasteFromClipboard();
    ASSERT_TRUE(w.viewer.HasImage()) << bits;
    std::vector<uint8_t> back = w.Block();
    ASSERT_GE(back.size(), page.size());
    EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.begin() + page.size()), page) << bits;
    EXPECT_EQ(w.viewer.FPaint().Width(), 301);
    EXPECT_TRUE(ClipboardClosed(w.frame.Handle()));
  }
}

TEST(ViewerClipboardWindow, ATruncatedBlockIsRefusedAndThePageStays) {
  ClipWindow w;
  w.Show(200, 100, 8);
  std::vector<uint8_t> page = w.Block();
  std::vector<uint8_t> truncated = page;
  truncated.resize(truncated.size() / 2);
  PutOnClipboard(w.frame.Handle(), truncated);
  try {
    w.viewer.PasteFromClipboard();
    ADD_FAILURE() << "a truncated block was taken";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "The clipboard image is truncated");
  }
  EXPECT_EQ(w.Block(), page);
  EXPECT_TRUE(ClipboardClosed(w.frame.Handle()));

  // Shift+Insert reports the refusal instead of throwing into the message loop.
  PressWithShift(w.viewer.Handle(), VK_INSERT, VK_SHIFT);
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.Block(), page);
}

TEST(ViewerClipboardWindow, ACutWhoseCopyFailedKeepsThePage) {
  ClipWindow w;
  w.Show(120, 80, 1);
  // Another window holds the clipboard open: the copy cannot be placed.
  ASSERT_TRUE(OpenClipboard(w.frame.Handle()));
  EXPECT_THROW(w.viewer.CutToClipboard(), std::exception);
  CloseClipboard();
  EXPECT_TRUE(w.viewer.HasImage());
  w.viewer.CutToClipboard();
  EXPECT_FALSE(w.viewer.HasImage());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
}

TEST(ViewerClipboardWindow, KeysCopyCutAndPaste) {
  ClipWindow w;
  w.Show(64, 32, 1);
  std::vector<uint8_t> page = w.Block();
  SendMessageA(w.viewer.Handle(), WM_CHAR, 24, 0);  // Ctrl+X
  EXPECT_FALSE(w.viewer.HasImage());
  SendMessageA(w.viewer.Handle(), WM_CHAR, 22, 0);  // Ctrl+V
  ASSERT_TRUE(w.viewer.HasImage());
  w.viewer.ClearImage();
  PressWithShift(w.viewer.Handle(), VK_INSERT, VK_SHIFT);
  ASSERT_TRUE(w.viewer.HasImage());
  std::vector<uint8_t> back = w.Block();
  ASSERT_GE(back.size(), page.size());
  EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.begin() + page.size()), page);
  PressWithShift(w.viewer.Handle(), VK_DELETE, VK_SHIFT);
  EXPECT_FALSE(w.viewer.HasImage());
  EXPECT_TRUE(w.errors.empty());
}
