// Shows the thumbnail strip on the test display for the screenshot check:
//   thumbnail_show OUTPUT-FOLDER
// 1. twelve pages scanned, page 3 clicked; writes strip_ready1.txt with the frame's screen
//    rectangle, then waits for strip_next.txt;
// 2. pages 13 to 40 scanned, page 39's file deleted, "last page"; writes strip_ready2.txt with
//    the frame's rectangle and page 39's, then waits for strip_done.txt.
#include <windows.h>

#include <cstdio>
#include <string>

#include "strip_fixture.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WaitFor(StripHost& host, const std::string& file) {
  for (int i = 0; i < 1200 && !Exists(file); ++i) host.Pump();
}

std::string ScreenRect(const qm::TQmControl& c) {
  RECT r;
  GetWindowRect(c.Handle(), &r);
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
         std::to_string(r.bottom - r.top);
}

void Report(const std::string& path, const std::string& text) {
  std::string temporary = path + ".part";
  FILE* f = std::fopen(temporary.c_str(), "wb");
  std::fputs(text.c_str(), f);
  std::fclose(f);
  MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string out = std::string(argv[1]) + "\\";
  StripHost host(650, 800, 150, out + "strip_pages\\");
  tarnwick::TKSImageThumbnail& strip = host.Strip();
  host.ScanPages(1, 12);
  strip.ImageClick(strip.Image(2));
  host.Pump();
  Report(out + "strip_ready1.txt", "frame " + ScreenRect(*strip.SelectedImage()) + "\n");
  WaitFor(host, out + "strip_next.txt");

  host.ScanPages(13, 40);
  DeleteFileA(host.PageFile(39).c_str());
  strip.GotoPage(tarnwick::TKSImageThumbnail::kLast);
  host.Pump();
  std::string report = "frame " + ScreenRect(*strip.SelectedImage()) + "\n";
  for (int i = 0; i < strip.ControlCount(); ++i)
    if (strip.Image(i)->Visible() && strip.Image(i)->Tag == 39) report += "blank " + ScreenRect(*strip.Image(i)) + "\n";
  report += "selected " + std::to_string(strip.SelectedPage()) + "\n";
  Report(out + "strip_ready2.txt", report);
  WaitFor(host, out + "strip_done.txt");
  return 0;
}
