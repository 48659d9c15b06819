#include "page_services_client.h"

#include <cstring>

#include "test_files.h"

namespace {

std::vector<HGLOBAL>* gPages = nullptr;

int32_t __stdcall KeepPage(void* data, uint32_t*, int32_t code) {
  if (code == 1 && data && gPages) gPages->push_back(*static_cast<HGLOBAL*>(data));
  return 0;
}

}  // namespace

bool PageServices::Load() {
  module = LoadLibraryA("pavlot.dll");
  return module && Bind(module, "ZebLoad", &ZebLoad) && Bind(module, "ZebFree", &ZebFree) &&
         Bind(module, "ZebSetValue", &ZebSetValue) && Bind(module, "ZebAcquire", &ZebAcquire) &&
         Bind(module, "ZebSaveAs", &ZebSaveAs) && Bind(module, "ZebFileCreate", &ZebFileCreate) &&
         Bind(module, "ZebFileSave", &ZebFileSave) && Bind(module, "ZebFileClose", &ZebFileClose) &&
         Bind(module, "ZebBlankPage", &ZebBlankPage);
}

void PageServices::Unload() {
  if (module) FreeLibrary(module);
  module = nullptr;
}

int32_t PageServices::Set16(uint16_t tag, int32_t value) {
  int16_t v = static_cast<int16_t>(value);
  return ZebSetValue(tag, &v);
}

int32_t PageServices::Set32(uint16_t tag, int32_t value) { return ZebSetValue(tag, &value); }

std::vector<HGLOBAL> ScanPages(PageServices& pavlot) {
  std::vector<HGLOBAL> pages;
  gPages = &pages;
  pavlot.ZebAcquire(KeepPage);
  gPages = nullptr;
  return pages;
}

std::vector<uint8_t> BytesOf(HGLOBAL block) {
  std::vector<uint8_t> bytes(GlobalSize(block));
  const void* p = GlobalLock(block);
  if (p && !bytes.empty()) std::memcpy(bytes.data(), p, bytes.size());
  GlobalUnlock(block);
  return bytes;
}

HGLOBAL BlockOf(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

void FreeBlock(HGLOBAL block) {
  if (block) GlobalFree(block);
}

std::string OutputFolder() {
  const std::string folder = FolderOfThisProgram() + "page_services\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

uint64_t HeapBusyBytes() {
  HANDLE heap = GetProcessHeap();
  uint64_t busy = 0;
  PROCESS_HEAP_ENTRY entry{};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
  HeapUnlock(heap);
  return busy;
}
