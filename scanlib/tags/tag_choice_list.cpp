#include "tag_choice_list.h"

#include <cstring>

#include "convert_tag_value.h"
#include "tag_block.h"
#include "tag_table.h"
#include "tag_types.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLettersIgnoringCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

TagChoiceList::TagChoiceList(int row) : type_(kTagTable[row].Type), size_(TagTypeSize(type_)) {}

void TagChoiceList::AddBytes(const void* item) {
  const auto* p = static_cast<const uint8_t*>(item);
  bytes_.insert(bytes_.end(), p, p + size_);
}

void TagChoiceList::AddInt(int32_t v) {
  std::vector<uint8_t> item(static_cast<size_t>(size_), 0);
  WriteNumber(type_, v, item.data());
  AddBytes(item.data());
}

void TagChoiceList::AddUnique(int32_t v) {
  if (!Has(v)) AddInt(v);
}

void TagChoiceList::AddConverted(int itemType, const void* item) {
  std::vector<uint8_t> out(static_cast<size_t>(size_), 0);
  ConvertTagValue(out.data(), type_, itemType, item);
  if (IsTagStringType(type_)) out[static_cast<size_t>(size_) - 1] = 0;
  AddBytes(out.data());
}

bool TagChoiceList::Has(int32_t v) const {
  for (size_t i = 0; i < bytes_.size(); i += static_cast<size_t>(size_))
    if (ReadNumber(type_, bytes_.data() + i) == v) return true;
  return false;
}

bool TagChoiceList::HasText(const char* s) const {
  if (!s) return false;
  const size_t size = static_cast<size_t>(size_);
  for (size_t i = 0; i < bytes_.size(); i += size) {
    const char* item = reinterpret_cast<const char*>(bytes_.data() + i);
    // Items are terminated within their size; a longer text cannot equal one.
    const size_t len = strnlen(item, size);
    if (std::strlen(s) == len && SameLettersIgnoringCase(item, s, len)) return true;
  }
  return false;
}

int32_t TagChoiceList::Count() const {
  return size_ > 0 ? static_cast<int32_t>(bytes_.size() / static_cast<size_t>(size_)) : 0;
}

void TagChoiceList::Commit(TagState* r) const {
  if (!AllocChoices(type_, Count() > 0 ? Count() : 1, &r->Choices)) {
    r->Count = -1;
    return;
  }
  if (!bytes_.empty() && r->Choices) std::memcpy(r->Choices, bytes_.data(), bytes_.size());
  r->Count = Count();
}
