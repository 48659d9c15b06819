#include "tag_block.h"

#include "tag_types.h"

void ReleaseTagBlock(void** field) {
  if (!field || !*field) return;
  FreeTagBlock(*field);
  *field = nullptr;
}

bool AllocChoices(int type, int count, void** field) {
  ReleaseTagBlock(field);
  if (type < kTypeInt16 || type > kTypeStr255) return true;
  if (count < 0) count = 0;
  *field = AllocTagBlock(static_cast<size_t>(count) * static_cast<size_t>(TagTypeSize(type)));
  return *field != nullptr;
}
