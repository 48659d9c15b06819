#include "save_options.h"

#include "tag_state.h"

FileSaveOptions SaveOptionsFor(int32_t compression, int32_t quality) {
  const bool jpeg = compression == kCompressionJpeg;
  return FileSaveOptions{jpeg ? 0 : 1, jpeg ? 1 : 0, quality};
}

FileSaveOptions CurrentSaveOptions() {
  return SaveOptionsFor(CurrentInt(kRowCompression), CurrentInt(kRowCompressQuality));
}
