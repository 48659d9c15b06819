// The viewer's annotation layer over CRDE2001.DLL in a real window on the test display: items
// drawn where the page is at every scale and scroll, made with the mouse only in the edit mode,
// clicked and deleted through the viewer's window, and kept in ".ant" files or the caller's
// text when pages change.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_files.h"
#include "test_imaging_port.h"

using namespace qm;
using namespace qm_test;

namespace {

std::string ReadText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}

// A white 1-bit page written as a TIFF.
std::string WhitePage(const std::string& name, int32_t w, int32_t h) {
  const std::string path = TempPath(name);
  HGLOBAL dib = MakeDib(w, h, 1, 200, 200);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  memset(DibBits(hdr), 0xFF, DibRowBytes(w, 1) * size_t(h));
  GlobalUnlock(dib);
  EXPECT_TRUE(WriteTiffOfDib(path, dib));
  ReleasePageBlock(dib);
  return path;
}

std::string AntOf(const std::string& tif) { return tif.substr(0, tif.rfind('.')) + ".ant"; }

struct Shot {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top-down
  uint32_t At(int32_t x, int32_t y) const { return pixels[size_t(y) * width + x] & 0xFFFFFF; }
  bool Red(int32_t x, int32_t y) const { return At(x, y) == 0xFF0000; }
  bool White(int32_t x, int32_t y) const { return At(x, y) == 0xFFFFFF; }
  void Save(const std::string& path) const {
    BITMAPFILEHEADER f{};
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = -height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    f.bfType = 0x4D42;
    f.bfOffBits = sizeof f + sizeof h;
    f.bfSize = DWORD(f.bfOffBits + pixels.size() * 4);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&f), sizeof f);
    out.write(reinterpret_cast<const char*>(&h), sizeof h);
    out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size() * 4));
  }
};

struct Window {
  TQmControl frame;
  QmDocumentImage viewer;  // the program's: CRDE2001.DLL reads pages and keeps annotations
  std::vector<std::string> errors;
  Window() {
    frame.SetBounds(20, 20, 480, 380);
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, 420, 320);
    frame.CreateHandle(nullptr);
    ShowWindow(frame.Handle(), SW_SHOWNORMAL);
    SetWindowPos(frame.Handle(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE);
    viewer.OnPictorelError = [this](QmDocumentImage*, int16_t, const std::string& text,
                                    const char*) { errors.push_back(text); };
  }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  // The viewer's client area as the display shows it.
  Shot Capture() {
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    Sleep(200);
    Pump();
    RECT r;
    GetClientRect(viewer.Handle(), &r);
    POINT origin{0, 0};
    ClientToScreen(viewer.Handle(), &origin);
    Shot shot;
    shot.width = r.right;
    shot.height = r.bottom;
    shot.pixels.resize(size_t(shot.width) * shot.height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = shot.width;
    bi.bmiHeader.biHeight = -shot.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    memcpy(shot.pixels.data(), bits, shot.pixels.size() * 4);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return shot;
  }
  // A drag with the left button on the paint box, in its own coordinates.
  void Drag(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    HWND box = viewer.FPaint().Handle();
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
    Pump();
  }
};

// The rectangle's outline at (l, t)-(r, b) in client pixels, with white inside.
void ExpectOutline(const Shot& s, int32_t l, int32_t t, int32_t r, int32_t b) {
  const int32_t mx = (l + r) / 2, my = (t + b) / 2;
  EXPECT_TRUE(s.Red(l, my)) << l << "," << my << " " << std::hex << s.At(l, my);
  EXPECT_TRUE(s.Red(mx, t)) << mx << "," << t << " " << std::hex << s.At(mx, t);
  EXPECT_TRUE(s.Red(r - 1, my)) << r - 1 << "," << my << " " << std::hex << s.At(r - 1, my);
  EXPECT_TRUE(s.Red(mx, b - 1)) << mx << "," << b - 1 << " " << std::hex << s.At(mx, b - 1);
  EXPECT_TRUE(s.White(mx, my));
  EXPECT_TRUE(s.White(l - 3, my));
}

}  // namespace

TEST(ViewerAnnotations, DrawnOverThePageAtEveryScaleAndScroll) {
  const std::string tif = WhitePage("qm_anno_draw.tif", 800, 600);
  WriteText(AntOf(tif), "[Page 0]\nCount=1\nItem1=Rect,200,100,300,160,255,Mark\n");
  Window w;
  w.viewer.Annotations().SetAutoLoadAnno(true);
  int before = 0, after = 0;
  std::string drawn;
  bool allow = true;
  w.viewer.Annotations().OnBeforeAnnotationDraw = [&](QmDocumentImage* v, int32_t, bool& canDraw,
                                                      const std::string&) {
    EXPECT_EQ(v, &w.viewer);
    EXPECT_TRUE(canDraw);
    canDraw = allow;
    ++before;
  };
  w.viewer.Annotations().OnAfterAnnotationDraw = [&](QmDocumentImage*, const std::string& name) {
    drawn = name;
    ++after;
  };
  w.viewer.LoadTiffPage(tif, 0, 1);
  ASSERT_TRUE(w.viewer.HasImage());
  EXPECT_EQ(w.viewer.AnnotationCount(), 1);

  Shot s = w.Capture();
  ExpectOutline(s, 200, 100, 300, 160);
  EXPECT_GT(before, 0);
  EXPECT_GT(after, 0);
  EXPECT_EQ(drawn, "Mark");

  w.viewer.HorzScrollBar().SetPosition(100);
  w.viewer.VertScrollBar().SetPosition(50);
  ASSERT_EQ(w.viewer.FPaint().Left(), -100);
  ExpectOutline(w.Capture(), 100, 50, 200, 110);

  w.viewer.SetScalePercent(50);
  w.viewer.HorzScrollBar().SetPosition(0);
  w.viewer.VertScrollBar().SetPosition(0);
  s = w.Capture();
  // Kept beside the other screenshots for a person to look at.
  s.Save(FolderOfThisProgram() + "..\\viewer_annotation_50.bmp");
  ExpectOutline(s, 100, 50, 150, 80);

  // A handler that refuses the drawing keeps the item off the page.
  allow = false;
  after = 0;
  s = w.Capture();
  EXPECT_TRUE(s.White(100, 65));
  EXPECT_EQ(after, 0);
  EXPECT_TRUE(w.errors.empty());
}

TEST(ViewerAnnotations, TheMouseEditsOnlyInTheEditMode) {
  const std::string tif = WhitePage("qm_anno_edit.tif", 400, 300);
  DeleteFileA(AntOf(tif).c_str());
  Window w;
  QmAnnotationLayer& layer = w.viewer.Annotations();
  int done = 0;
  layer.OnAnnoDone = [&](QmDocumentImage*) { ++done; };
  w.viewer.LoadTiffPage(tif, 0, 1);

  w.Drag(60, 60, 160, 140);
  EXPECT_EQ(w.viewer.AnnotationCount(), 0);  // the viewer's own mouse modes have the mouse

  layer.SetEditMode(true);
  w.Drag(60, 60, 160, 140);
  EXPECT_EQ(w.viewer.AnnotationCount(), 1);
  EXPECT_EQ(done, 1);
  ExpectOutline(w.Capture(), 60, 60, 160, 140);

  // A click on the item is reported through the viewer's window.
  int32_t clicked = 0;
  bool selecting = false;
  layer.OnAnnoClick = [&](QmDocumentImage*, int32_t item, bool s) {
    clicked = item;
    selecting = s;
  };
  HWND box = w.viewer.FPaint().Handle();
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  w.Pump();
  EXPECT_EQ(clicked, 1);
  EXPECT_TRUE(selecting);

  // The viewer's menu commands reach the engine: its delete command removes the selection.
  SendMessageA(w.viewer.Handle(), WM_COMMAND, 0x7F01, 0);
  EXPECT_EQ(w.viewer.AnnotationCount(), 0);
  EXPECT_EQ(done, 2);

  // Leaving the edit mode mid-drag drops the band: the release makes nothing.
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 90));
  layer.SetEditMode(false);
  layer.SetEditMode(true);
  SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(120, 90));
  EXPECT_EQ(w.viewer.AnnotationCount(), 0);

  // A page reached by stepping, and an emptied viewer, keep no marks of the page before.
  w.Drag(60, 60, 160, 140);
  ASSERT_EQ(w.viewer.AnnotationCount(), 1);
  w.viewer.FirstPage();
  EXPECT_EQ(w.viewer.AnnotationCount(), 0);
  w.Drag(60, 60, 160, 140);
  ASSERT_EQ(w.viewer.AnnotationCount(), 1);
  w.viewer.ClearImage();
  EXPECT_EQ(w.viewer.AnnotationCount(), 0);
  EXPECT_TRUE(w.errors.empty());
}

TEST(ViewerAnnotations, PagesKeepTheirAnnotationsInTheirFiles) {
  const std::string a = WhitePage("qm_anno_a.tif", 400, 300), b = WhitePage("qm_anno_b.tif", 400, 300);
  DeleteFileA(AntOf(a).c_str());
  DeleteFileA(AntOf(b).c_str());
  Window w;
  QmAnnotationLayer& layer = w.viewer.Annotations();
  std::vector<std::string> saved;
  layer.OnAfterSavedAnnoToFile = [&](QmDocumentImage*, const std::string& name) {
    saved.push_back(name);
  };
  layer.SetEditMode(true);

  // Without automatic saving nothing is written when the page changes.
  w.viewer.LoadTiffPage(a, 0, 1);
  w.Drag(20, 20, 80, 60);
  w.viewer.LoadTiffPage(b, 0, 1);
  EXPECT_EQ(GetFileAttributesA(AntOf(a).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(saved.empty());

  // The engine still holds a's item over b: it is b's now, and b's file gets it on the way.
  layer.SetAutoSaveAnno(true);
  layer.SetAutoLoadAnno(true);
  w.viewer.LoadTiffPage(a, 0, 1);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0], AntOf(b));
  EXPECT_EQ(w.viewer.AnnotationCount(), 0);  // no file for a: b's items are not shown over it
  saved.clear();
  w.Drag(20, 20, 80, 60);
  w.Drag(100, 100, 150, 150);
  EXPECT_EQ(layer.AnnotationFileName(), AntOf(a));
  w.viewer.LoadTiffPage(b, 0, 1);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0], AntOf(a));
  EXPECT_NE(ReadText(AntOf(a)).find("Count=2"), std::string::npos);
  EXPECT_EQ(w.viewer.AnnotationCount(), 1);  // b's own page

  w.viewer.LoadTiffPage(a, 0, 1);
  EXPECT_EQ(w.viewer.AnnotationCount(), 2);
  EXPECT_EQ(saved.back(), AntOf(b));

  // A fresh viewer reads what the first one kept.
  {
    Window fresh;
    fresh.viewer.Annotations().SetAutoLoadAnno(true);
    std::string asked;
    fresh.viewer.Annotations().OnBeforeLoadAnnoFromFile = [&](QmDocumentImage*, std::string& name) {
      asked = name;
    };
    fresh.viewer.LoadTiffPage(a, 0, 1);
    EXPECT_EQ(asked, AntOf(a));
    EXPECT_EQ(fresh.viewer.AnnotationCount(), 2);
    // A handler may name another file.
    fresh.viewer.Annotations().OnBeforeLoadAnnoFromFile = [&](QmDocumentImage*, std::string& name) {
      name = AntOf(b);
    };
    fresh.viewer.LoadTiffPage(a, 0, 1);
    EXPECT_EQ(fresh.viewer.AnnotationCount(), 1);
  }

  // Removing a page: nothing for a missing file, else its section goes and the event fires.
  saved.clear();
  layer.RemoveAnnotationPage(0, TempPath("qm_anno_missing.ant"));
  EXPECT_TRUE(saved.empty());
  layer.RemoveAnnotationPage(0);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0], AntOf(a));
  EXPECT_EQ(ReadText(AntOf(a)).find("[Page 0]"), std::string::npos);
  layer.InsertAnnotationPage(0);
  EXPECT_EQ(saved.size(), 2u);
  EXPECT_TRUE(w.errors.empty());
}

TEST(ViewerAnnotations, PagesKeepTheirAnnotationsInTheCallersText) {
  const std::string a = WhitePage("qm_anno_sa.tif", 400, 300), b = WhitePage("qm_anno_sb.tif", 400, 300);
  Window w;
  QmAnnotationLayer& layer = w.viewer.Annotations();
  layer.SetOnAnnoLoadSaveFromTo(TLoadAnnoFrom::anFromStream);
  layer.SetAutoSaveAnno(true);
  layer.SetAutoLoadAnno(true);
  layer.SetEditMode(true);
  std::string kept;
  layer.OnAfterSavedAnnoToStream = [&](QmDocumentImage*, char** text) { kept = *text; };
  std::string offered;
  int asked = 0;
  layer.OnBeforeLoadAnnoFromStream = [&](QmDocumentImage*, char*& text) {
    EXPECT_EQ(text, nullptr);
    ++asked;
    text = offered.empty() ? nullptr : &offered[0];
  };

  w.viewer.LoadTiffPage(a, 0, 1);
  EXPECT_EQ(asked, 1);
  w.Drag(20, 20, 80, 60);
  w.viewer.LoadTiffPage(b, 0, 1);
  EXPECT_NE(kept.find("Count=1"), std::string::npos);
  EXPECT_NE(kept.find("Rect,20,20,80,60"), std::string::npos);

  // A text of one character is no page: what the engine holds stays.
  offered = "x";
  w.viewer.LoadTiffPage(a, 0, 1);
  EXPECT_EQ(w.viewer.AnnotationCount(), 1);
  offered = kept;
  w.viewer.ClearImage();
  w.viewer.LoadTiffPage(a, 0, 1);
  EXPECT_EQ(w.viewer.AnnotationCount(), 1);
  EXPECT_TRUE(w.errors.empty());
}

TEST(ViewerAnnotations, KeptInImageCoordinatesAndShownAlikeByAFreshViewer) {
  const std::string a = WhitePage("qm_anno_ia.tif", 600, 400), b = WhitePage("qm_anno_ib.tif", 600, 400);
  DeleteFileA(AntOf(a).c_str());
  Shot made;
  {
    Window w;
    w.viewer.Annotations().SetAutoSaveAnno(true);
    w.viewer.Annotations().SetEditMode(true);
    w.viewer.LoadTiffPage(a, 0, 1);
    w.viewer.SetScalePercent(50);
    w.Capture();  // the engine follows the mouse by the view it last drew
    w.Drag(20, 20, 80, 60);
    made = w.Capture();
    ExpectOutline(made, 20, 20, 80, 60);
    w.viewer.LoadTiffPage(b, 0, 1);
  }
  EXPECT_NE(ReadText(AntOf(a)).find("Rect,40,40,160,120,"), std::string::npos) << ReadText(AntOf(a));

  Window fresh;
  fresh.viewer.Annotations().SetAutoLoadAnno(true);
  fresh.viewer.LoadTiffPage(a, 0, 1);
  fresh.viewer.SetScalePercent(50);
  Shot shown = fresh.Capture();
  ASSERT_EQ(shown.pixels.size(), made.pixels.size());
  size_t differing = 0;
  for (size_t i = 0; i < made.pixels.size(); ++i)
    differing += (made.pixels[i] & 0xFFFFFF) != (shown.pixels[i] & 0xFFFFFF);
  EXPECT_EQ(differing, 0u);
}
