#include "source_list.h"

#include <windows.h>

#include <cstring>

#include "debug_log.h"
#include "driver_calls.h"
#include "isis_driver_info.h"

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.data(),
                        static_cast<int>(prefix.size()), prefix.data(),
                        static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

int GetKSSource(std::vector<SourceEntry>* out) {
  LogIn("GetKSSource");
  int count = 0;
  KSSourceRecord rec{};
  for (int32_t msg = kKSGetFirst; CallKSGetDS(msg, &rec) == 0; msg = kKSGetNext) {
    rec.ListName[sizeof(rec.ListName) - 1] = '\0';
    out->push_back(SourceEntry{rec.ListName, 0, count, rec});
    ++count;
  }
  LogOut("GetKSSource", count);
  return count;
}

int GetTWAINSource(std::vector<SourceEntry>* out) {
  LogIn("GetTWAINSource");
  int count = 0;
  TW_IDENTITY id{};
  for (int32_t msg = 4; CallTWAINGetDS(msg, &id) == 0; msg = 5) {
    char name[sizeof(id.ProductName) + 1] = {};
    std::memcpy(name, id.ProductName, sizeof(id.ProductName));
    out->push_back(SourceEntry{name, 1, count, KSSourceRecord{}});
    ++count;
    id = TW_IDENTITY{};
  }
  LogOut("GetTWAINSource", count);
  return count;
}

int GetISISSource(std::vector<SourceEntry>* out) {
  LogIn("GetISISSource");
  int count = 0;
  IsisDriverInfo info{};
  // A bridge that lists without end still leaves a list the dialog can show.
  constexpr int kMostDrivers = 256;
  while (count < kMostDrivers && CallISISDriverInfoById(count, &info) == 0) {
    char name[sizeof(info.ModelName) + 1] = {};
    std::memcpy(name, info.ModelName, sizeof(info.ModelName));
    out->push_back(SourceEntry{name, 2, count, KSSourceRecord{}});
    ++count;
    info = IsisDriverInfo{};
  }
  LogOut("GetISISSource", count);
  return count;
}

}  // namespace

bool IsInteractiveRequest(const char* name) {
  return name && lstrcmpiA(name, kInteractiveSource) == 0;
}

int FindSourcePrefix(const std::vector<SourceEntry>& entries, const std::string& text) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (StartsWithNoCase(entries[i].text, text)) return static_cast<int>(i);
  return -1;
}

int ChooseSource(const std::vector<SourceEntry>& entries, const std::string& requested,
                 const std::string& stored) {
  if (IsInteractiveRequest(requested.c_str())) {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].text == stored) return static_cast<int>(i);
    return -1;
  }
  if (stored.find(requested) != std::string::npos) {
    int found = FindSourcePrefix(entries, stored);
    if (found >= 0) return found;
  }
  for (const SourceEntry& e : entries)
    if (e.text.find(requested) != std::string::npos) return FindSourcePrefix(entries, e.text);
  return -1;
}

std::vector<SourceEntry> ListSources() {
  std::vector<SourceEntry> entries;
  GetKSSource(&entries);
  GetTWAINSource(&entries);
  GetISISSource(&entries);
  return entries;
}
