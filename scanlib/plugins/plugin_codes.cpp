#include "plugin_codes.h"

namespace {

// A count larger than the block would read past it.
constexpr int32_t kMaxCodes = 1024;

std::vector<int32_t> ReadCodes(uint16_t* list, int32_t count) {
  std::vector<int32_t> codes;
  if (!list || count <= 0) return codes;
  if (count > kMaxCodes) count = kMaxCodes;
  if (HGLOBAL block = GlobalHandle(list)) {
    const SIZE_T items = GlobalSize(block) / sizeof(uint16_t);
    if (items < static_cast<SIZE_T>(count)) count = static_cast<int32_t>(items);
  }
  for (int32_t i = 0; i < count; ++i) codes.push_back(list[i]);
  return codes;
}

}  // namespace

void FreeCodeBlock(uint16_t* list) {
  if (!list) return;
  HGLOBAL block = GlobalHandle(list);
  if (!block) return;
  for (int i = 0; i < 256 && GlobalUnlock(block); ++i) {
  }
  GlobalFree(block);
}

std::vector<int32_t> FileFormatsOf(const PluginEntry& entry) {
  uint16_t* list = nullptr;
  int32_t count = 0;
  if (!entry.GetFileExts) return {};
  entry.GetFileExts(&list, &count, 0);
  std::vector<int32_t> codes = ReadCodes(list, count);
  FreeCodeBlock(list);
  return codes;
}

std::vector<int32_t> CompressionModesOf(const PluginEntry& entry) {
  uint16_t* list = nullptr;
  int32_t count = 0;
  if (!entry.GetCompMode) return {};
  entry.GetCompMode(&list, &count, 0);
  std::vector<int32_t> codes = ReadCodes(list, count);
  FreeCodeBlock(list);
  return codes;
}
