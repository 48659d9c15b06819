// Tag blocks on the C heap, for the platform-free build.
#include <cstdlib>

#include "tag_block.h"

void* AllocTagBlock(size_t bytes) { return std::calloc(bytes ? bytes : 1, 1); }
void FreeTagBlock(void* block) { std::free(block); }
