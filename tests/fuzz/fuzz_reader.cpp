// libFuzzer entry for one reader, chosen when building (FUZZ_READER). Every input must end in
// a status code; the sanitizers catch any read past the data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs.h"
#include "dib_layout.h"
#include "tiff_codec.h"

using namespace imagecore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadOnlyMemory memory(data, size);
  Stream in = memory.AsStream();
  Image image;
  Status status = kFailed;
  (void)in;
#if FUZZ_READER == 1
  status = ReadBmp(in, image);
#elif FUZZ_READER == 2
  status = ReadPcx(in, image);
#elif FUZZ_READER == 3
  status = ReadTga(in, image);
#elif FUZZ_READER == 4
  status = ReadPcd(in, int(size % 3) + 1, image);
#elif FUZZ_READER == 5
  status = ReadGif(in, image);
#elif FUZZ_READER == 6
  status = ReadPng(in, image);
#elif FUZZ_READER == 7
  status = ReadJpeg(in, image);
#elif FUZZ_READER == 8
  for (uint32_t page = 0; page < 2; ++page) {
    ReadOnlyMemory again(data, size);
    if (ReadTiffPage(again.AsStream(), page, image) == kOk) status = kOk;
    std::vector<TiffTag> tags;
    ReadTiffTags(data, size, page, tags);
  }
  std::vector<uint8_t> file(data, data + size);
  TiffPack(file);
#elif FUZZ_READER == 9
  status = DibToImage(data, size, image);
#endif
  if (status == kOk && image.width * image.height < 100000) {
    std::vector<uint8_t> block(DibBlockSize(image));
    WriteDib(image, block.data());
  }
  return 0;
}
