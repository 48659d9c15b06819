// A file-format plug-in for the host's tests. Each build is one plug-in: its extension text,
// formats and compression modes come from compile definitions, and the entry points it lacks
// are left out of its export list. Every call that writes or reads a file is appended to the
// environment variable PLUGIN_FIXTURE_LOG as one line "<dll>:<entry>(<arguments>)", so the
// test sees which plug-in the library chose and what it passed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "file_plugin.h"

namespace {

const std::vector<uint16_t> kFormats = {FIXTURE_FORMATS};
const std::vector<uint16_t> kModes = {FIXTURE_MODES};
// Every list block handed out. A block ends with a stamp of its own, because a freed handle is
// handed out again by the next allocation: a handle still valid but without its stamp belongs to
// someone else now.
struct HandedOut {
  HGLOBAL block;
  size_t stampOffset;
  uint32_t stamp;
};
std::vector<HandedOut> g_blocks;
uint32_t g_nextStamp = 0x5EED0000u;

void Log(const std::string& line) {
  char old[8192] = {};
  GetEnvironmentVariableA("PLUGIN_FIXTURE_LOG", old, sizeof old);
  const std::string text = std::string(old) + FIXTURE_NAME ":" + line + "\n";
  SetEnvironmentVariableA("PLUGIN_FIXTURE_LOG", text.c_str());
}

std::string Options(const FileSaveOptions* o) {
  if (!o) return "none";
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d,%d", int(o->Compressed), int(o->Jpeg), int(o->Quality));
  return text;
}

std::string Text(const char* s) { return s ? s : "null"; }

// Writes `codes` after `have` items already in *list, in a new locked block.
void HandOut(uint16_t** list, int32_t* count, int32_t have, const std::vector<uint16_t>& codes) {
  if (have < 0 || !*list) have = 0;
  const size_t stampOffset = (have + codes.size()) * sizeof(uint16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, stampOffset + sizeof(uint32_t));
  auto* items = static_cast<uint16_t*>(GlobalLock(block));
  if (have > 0) std::memcpy(items, *list, have * sizeof(uint16_t));
  std::memcpy(items + have, codes.data(), codes.size() * sizeof(uint16_t));
  const uint32_t stamp = ++g_nextStamp;
  std::memcpy(reinterpret_cast<char*>(items) + stampOffset, &stamp, sizeof stamp);
  g_blocks.push_back({block, stampOffset, stamp});
  *list = items;
  *count = static_cast<int32_t>(codes.size());
}

}  // namespace

extern "C" {

int32_t __stdcall GetFileExtStr(char* text) {
  lstrcpynA(text, FIXTURE_EXT, kFileExtTextSize);
  return 0;
}

int32_t __stdcall GetFileExts(uint16_t** list, int32_t* count, int32_t) {
  *list = nullptr;
  HandOut(list, count, 0, kFormats);
  return 0;
}

int32_t __stdcall GetCompMode(uint16_t** list, int32_t* count, int32_t have) {
  HandOut(list, count, have, kModes);
  return 0;
}

int32_t __stdcall FileCreate(const char* name, ScanPageInfo* page, const FileSaveOptions* options) {
  Log("FileCreate(" + Text(name) + "," + std::to_string(page ? page->Compression : -1) + "," +
      Options(options) + ")");
  return 0;
}

int32_t __stdcall FileSave(const void*, int32_t rowBytes, int32_t rowCount, int32_t received, int32_t) {
  Log("FileSave(" + std::to_string(rowBytes) + "," + std::to_string(rowCount) + "," + std::to_string(received) + ")");
  return 0;
}

int32_t __stdcall FileClose(int32_t keepOpen) {
  Log("FileClose(" + std::to_string(keepOpen) + ")");
  return 0;
}

int32_t __stdcall OpenImageFile(const char* name, int32_t* pageCount, intptr_t, intptr_t) {
  Log("OpenImageFile(" + Text(name) + ")");
  if (pageCount) *pageCount = 2;
  return 0;
}

// With PLUGIN_FIXTURE_PAGE set, each page is a white 1-bit Letter page at 300 dpi, and the
// information record's bytes 42 and 43 as handed in are logged; "notest" also leaves the 16-bit
// field at byte 40 at 1 (a page its plug-in says is not for the blank test).
HGLOBAL WhitePage() {
  const int w = 2550, h = 3300, stride = (w + 31) / 32 * 4;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + 8 + size_t(stride) * h);
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(p);
  bih->biSize = 40;
  bih->biWidth = w;
  bih->biHeight = h;
  bih->biPlanes = 1;
  bih->biBitCount = 1;
  bih->biSizeImage = DWORD(stride) * h;
  bih->biXPelsPerMeter = bih->biYPelsPerMeter = 11811;
  p[44] = p[45] = p[46] = 255;  // entry 1 white
  std::memset(p + 48, 0xFF, size_t(stride) * h);
  GlobalUnlock(block);
  return block;
}

int32_t __stdcall GetImageData(HGLOBAL* dib, ScanPageInfo* info, intptr_t, intptr_t) {
  char page[16] = {};
  if (!GetEnvironmentVariableA("PLUGIN_FIXTURE_PAGE", page, sizeof page)) {
    Log("GetImageData");
    if (dib) *dib = nullptr;
    return 0;
  }
  auto* bytes = reinterpret_cast<uint8_t*>(info);
  Log("GetImageData(" + (bytes ? std::to_string(bytes[42]) + "," + std::to_string(bytes[43]) : std::string("null")) + ")");
  if (bytes && std::string(page) == "notest") bytes[40] = 1;
  if (dib) *dib = WhitePage();
  return 0;
}

int32_t __stdcall SetPageIndex(int32_t index, intptr_t) {
  Log("SetPageIndex(" + std::to_string(index) + ")");
  return 0;
}

int32_t __stdcall CloseImageFile() {
  Log("CloseImageFile");
  return 0;
}

int32_t __stdcall FileSaveAs(const char* source, HGLOBAL dib, const char* target, intptr_t option,
                             intptr_t reserved, const FileSaveOptions* options) {
  // A conversion passes its packed value by address; a page save passes its value itself.
  const std::string value = source && option ? std::to_string(*reinterpret_cast<const int32_t*>(option))
                                             : std::to_string(option);
  Log("FileSaveAs(" + Text(source) + "," + (dib ? "dib" : "nodib") + "," + Text(target) + "," + value +
      "," + std::to_string(reserved) + "," + Options(options) + ")");
  return 0;
}

// List blocks handed out and not yet given back (a freed block's size reads 0).
int32_t __stdcall FixtureLiveBlocks() {
  int32_t live = 0;
  for (const HandedOut& h : g_blocks) {
    if (GlobalSize(h.block) < h.stampOffset + sizeof(uint32_t)) continue;
    const char* bytes = static_cast<const char*>(GlobalLock(h.block));
    uint32_t stamp = 0;
    if (bytes) std::memcpy(&stamp, bytes + h.stampOffset, sizeof stamp);
    GlobalUnlock(h.block);
    if (stamp == h.stamp) ++live;
  }
  return live;
}

}  // extern "C"
