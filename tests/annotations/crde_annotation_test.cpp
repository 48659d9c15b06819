// The annotation engine of CRDE2001.DLL, loaded by name: a rectangle made with the mouse, drawn
// at the viewer's scale and offset through its callbacks, kept in an ".ant" file a fresh viewer
// reads back, pages removed and inserted, and the stream save bounded by its block.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Engine {
  HMODULE dll = LoadLibraryA("CRDE2001.DLL");
  template <typename T>
  T Get(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  }
  int32_t(__stdcall* IsAnnotation)(void*) = Get<decltype(IsAnnotation)>("IsAnnotation");
  int32_t(__stdcall* MouseMon)(void*, uint32_t, WPARAM, LPARAM) = Get<decltype(MouseMon)>("MouseMon");
  int32_t(__stdcall* Init)(void*, HWND, void*, void*, void*, void*, void*, void*, const char*) =
      Get<decltype(Init)>("InitAnnotation");
  int32_t(__stdcall* Destroy)(void*) = Get<decltype(Destroy)>("DestroyAnnotation");
  int32_t(__stdcall* Draw)(void*, double, int32_t, int32_t, int16_t, int16_t, int32_t, HDC) =
      Get<decltype(Draw)>("DrawAnnotationWholeDC");
  int32_t(__stdcall* Load)(void*, int32_t, const char*) = Get<decltype(Load)>("LoadAnnotation");
  int32_t(__stdcall* Save)(void*, int32_t, const char*) = Get<decltype(Save)>("SaveAnnotation");
  int32_t(__stdcall* StreamSave)(void*, int32_t, void**) = Get<decltype(StreamSave)>("StreamSaveAnnotation");
  int32_t(__stdcall* StreamLoad)(void*, int32_t, void*) = Get<decltype(StreamLoad)>("StreamLoadAnnotation");
  int32_t(__stdcall* Remove)(void*, int32_t, void*) = Get<decltype(Remove)>("RemoveAnnotation");
  int32_t(__stdcall* Insert)(void*, int32_t, void*) = Get<decltype(Insert)>("InsertAnnotation");
};

struct Calls {
  int before = 0, after = 0, done = 0;
  int16_t allow = 1;
};
Calls gCalls;

int32_t __stdcall AfterDraw(void*, const char*) { return ++gCalls.after, 1; }
int32_t __stdcall BeforeDraw(void*, int32_t, int16_t* canDraw, const char*) {
  ++gCalls.before;
  *canDraw = gCalls.allow;
  return 1;
}
int32_t __stdcall Done(void*) { return ++gCalls.done, 1; }

std::string TempFile(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

// A white 200 x 200 memory picture the engine draws into.
struct Canvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  uint32_t* pixels = nullptr;
  Canvas() {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 200;
    bi.bmiHeader.biHeight = -200;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
    SelectObject(dc, bitmap);
    std::fill(pixels, pixels + 200 * 200, 0xFFFFFFu);
  }
  ~Canvas() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  bool Red(int x, int y) const { return pixels[y * 200 + x] == 0xFF0000u; }
  int RedCount() const {
    int n = 0;
    for (int i = 0; i < 200 * 200; ++i) n += pixels[i] == 0xFF0000u;
    return n;
  }
};

class CrdeAnnotations : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(e.dll, nullptr);
    gCalls = Calls{};
    ant = TempFile("crde_annotation_test.ant");
    DeleteFileA(ant.c_str());
    ASSERT_EQ(e.Init(&viewer, nullptr, &viewer, reinterpret_cast<void*>(AfterDraw),
                     reinterpret_cast<void*>(BeforeDraw), nullptr, nullptr,
                     reinterpret_cast<void*>(Done), "c:\\windows\\qm_anno.ini"),
              1);
  }
  void TearDown() override {
    e.Destroy(&viewer);
    DeleteFileA(ant.c_str());
  }
  // A drag in device coordinates at the view of the last drawing.
  void DragRect(int x0, int y0, int x1, int y1) {
    e.MouseMon(&viewer, WM_LBUTTONDOWN, 0, MAKELONG(x0, y0));
    e.MouseMon(&viewer, WM_MOUSEMOVE, 0, MAKELONG((x0 + x1) / 2, (y0 + y1) / 2));
    e.MouseMon(&viewer, WM_LBUTTONUP, 0, MAKELONG(x1, y1));
  }
  std::string Text() {
    std::ifstream in(ant, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  Engine e;
  int viewer = 0, other = 0;
  std::string ant;
};

TEST_F(CrdeAnnotations, RectangleMadeAtHalfScaleIsKeptInImageCoordinates) {
  Canvas canvas;
  e.Draw(&viewer, 0.5, 20, 10, 0, 0, 0, canvas.dc);  // half size, scrolled by (20, 10) image px
  DragRect(10, 10, 60, 40);
  EXPECT_EQ(gCalls.done, 1);
  ASSERT_EQ(e.IsAnnotation(&viewer), 1);
  ASSERT_EQ(e.Save(&viewer, 0, ant.c_str()), 1);
  EXPECT_NE(Text().find("Item1=Rect,40,30,140,90,"), std::string::npos) << Text();

  // A fresh viewer reads it back and draws it where it was, at full size without offset.
  ASSERT_EQ(e.Load(&other, 0, ant.c_str()), 1);
  Canvas full;
  e.Draw(&other, 1.0, 0, 0, 0, 0, 0, full.dc);
  EXPECT_TRUE(full.Red(40, 30) && full.Red(139, 89) && full.Red(90, 30) && full.Red(40, 60));
  EXPECT_FALSE(full.Red(41, 31)) << "an outline, not a filled box";
  e.Destroy(&other);
}

TEST_F(CrdeAnnotations, BeforeDrawDecidesWhetherAnItemIsDrawn) {
  DragRect(10, 10, 50, 50);
  Canvas canvas;
  gCalls.allow = 0;
  e.Draw(&viewer, 1.0, 0, 0, 0, 0, 0, canvas.dc);
  EXPECT_EQ(gCalls.before, 1);
  EXPECT_EQ(gCalls.after, 0);
  EXPECT_EQ(canvas.RedCount(), 0);
  gCalls.allow = 1;
  e.Draw(&viewer, 1.0, 0, 0, 0, 0, 0, canvas.dc);
  EXPECT_EQ(gCalls.after, 1);
  EXPECT_GT(canvas.RedCount(), 100);
}

TEST_F(CrdeAnnotations, RemovingAPageRenumbersTheLaterSectionsOfTheFile) {
  for (int page = 0; page < 3; ++page) {
    DragRect(60 + page, 60, 10, 10);  // from outside the rectangles made before
    ASSERT_EQ(e.Save(&viewer, page, ant.c_str()), page + 1);
  }
  ASSERT_EQ(e.Remove(&viewer, 0, const_cast<char*>(ant.c_str())), 0);
  EXPECT_EQ(e.Load(&other, 0, ant.c_str()), 2) << "the old page 1";
  EXPECT_EQ(e.Load(&other, 1, ant.c_str()), 3) << "the old page 2";
  EXPECT_EQ(e.Load(&other, 2, ant.c_str()), 0);
  ASSERT_EQ(e.Insert(&viewer, 0, const_cast<char*>(ant.c_str())), 0);
  EXPECT_EQ(e.Load(&other, 0, ant.c_str()), 0);
  EXPECT_EQ(e.Load(&other, 1, ant.c_str()), 2);
  std::string missing = TempFile("no_such_file.ant");
  EXPECT_LT(e.Remove(&viewer, 0, missing.data()), 0);
  e.Destroy(&other);
}

TEST_F(CrdeAnnotations, StreamSaveStaysInsideItsBlockAndKeepsTheCallersPointer) {
  DragRect(60, 60, 10, 10);
  std::vector<char> block(15000, 'x');
  void* data = block.data();
  const int32_t written = e.StreamSave(&viewer, 0, &data);
  ASSERT_GT(written, 0);
  EXPECT_EQ(data, block.data());
  EXPECT_EQ(block[written], '\0');
  ASSERT_EQ(e.StreamLoad(&other, 0, block.data()), 1);
  // More rectangles than the block holds: refused, the block left empty, nothing past it.
  for (int i = 0; i < 600; ++i) DragRect(60, 60, 10 + i % 40, 10);
  std::vector<char> guarded(15000 + 16, 'g');
  data = guarded.data();
  EXPECT_LT(e.StreamSave(&viewer, 0, &data), 0);
  EXPECT_EQ(data, guarded.data());
  EXPECT_EQ(guarded[0], '\0');
  EXPECT_EQ(guarded[15000], 'g');
  e.Destroy(&other);
}

}  // namespace
