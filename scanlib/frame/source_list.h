// The sources the source choice offers: the maker's driver's sources first, then the TWAIN
// sources, then the ISIS driver models, and which of them a request picks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ks_source_record.h"

struct SourceEntry {
  std::string text;       // as the list shows it
  int32_t kind;           // 0 maker's driver, 1 TWAIN, 2 ISIS
  int32_t index;          // position within its driver's listing
  KSSourceRecord record;  // the maker's record that listed it (maker's sources only)
};

constexpr const char* kInteractiveSource = "__Source__";

// Whether name asks for the list to be shown (compared without regard to case).
bool IsInteractiveRequest(const char* name);

// The entry a request selects, or -1.
//  - "__Source__": the first entry equal to the stored name (exactly).
//  - another name: the stored name, then each entry in order; the first text that contains the
//    requested name (case-sensitive) is looked up as the list does it (the first entry that
//    begins with that text, without regard to case). A stored name that no entry begins with
//    does not end the search: the entries are tested next.
int ChooseSource(const std::vector<SourceEntry>& entries, const std::string& requested,
                 const std::string& stored);

// The first entry that begins with text, without regard to case (the list's prefix search).
int FindSourcePrefix(const std::vector<SourceEntry>& entries, const std::string& text);

// Lists the sources of the bound driver libraries (KSGetDS, TWAINGetDS, then ISISDriverInfoById
// by index until it fails).
std::vector<SourceEntry> ListSources();
