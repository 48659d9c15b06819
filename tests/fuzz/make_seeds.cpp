// Writes one small file per reader into <folder>/<reader>/ as the fuzzers' starting corpus.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs.h"
#include "convert.h"
#include "dib_layout.h"
#include "tiff_codec.h"

using namespace imagecore;

static void Save(const std::string& folder, const char* reader, const char* name,
                 const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(folder + "/" + reader);
  FILE* f = fopen((folder + "/" + reader + "/" + name).c_str(), "wb");
  if (!f) return;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

template <typename Write>
static std::vector<uint8_t> Encode(Write write) {
  std::vector<uint8_t> bytes;
  MemoryStream m(bytes);
  write(m.AsStream());
  return bytes;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string folder = argv[1];
  for (uint16_t bits : {1, 4, 8, 24}) {
    Image im;
    Allocate(im, 9, 5, bits);
    for (size_t i = 0; i < im.pixels.size(); ++i) im.pixels[i] = uint8_t(i * 37);
    std::string n = std::to_string(bits);
    Image eight;
    ConvertDepth(im, 8, false, eight);
    Save(folder, "bmp", n.c_str(), Encode([&](const Stream& s) { return WriteBmp(im, s); }));
    Save(folder, "pcx", n.c_str(), Encode([&](const Stream& s) { return WritePcx(im, s); }));
    Save(folder, "tga", n.c_str(), Encode([&](const Stream& s) { return WriteTga(eight, s); }));
    Save(folder, "gif", n.c_str(), Encode([&](const Stream& s) { return WriteGif(eight, s); }));
    Save(folder, "png", n.c_str(), Encode([&](const Stream& s) { return WritePng(im, bits == 8, s); }));
    Save(folder, "jpeg", n.c_str(), Encode([&](const Stream& s) { return WriteJpeg(im, 50, 0, s); }));
    for (uint16_t c : {kTiffNone, kTiffLzw, kTiffPackBits, kTiffG3, kTiffG4, kTiffJpeg}) {
      std::string name = n + "-" + std::to_string(c);
      Save(folder, "tiff", name.c_str(), Encode([&](const Stream& s) { return WriteTiff(im, c, s); }));
    }
    std::vector<uint8_t> dib(DibBlockSize(im));
    WriteDib(im, dib.data());
    Save(folder, "dib", n.c_str(), dib);
  }
  // A run-length coded 8-bit bitmap: 2 x 2, one run per row.
  std::vector<uint8_t> rle(54 + 1024, 0);
  rle[0] = 'B'; rle[1] = 'M'; rle[10] = uint8_t((54 + 1024) & 0xFF); rle[11] = uint8_t((54 + 1024) >> 8);
  rle[14] = 40; rle[18] = 2; rle[22] = 2; rle[26] = 1; rle[28] = 8; rle[30] = 1;
  for (uint8_t b : {2, 5, 0, 0, 2, 9, 0, 1}) rle.push_back(b);
  Save(folder, "bmp", "rle8", rle);
  // Kinds that come only from outside writers: an OS/2 1.x bitmap (12-byte header, three-byte
  // colour table), a gray and alpha TGA, a GIF without any colour table, a 2-bit PCX.
  std::vector<uint8_t> os2 = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, 12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 1, 0,
                              0, 0, 0, 255, 255, 255, 0xA0, 0, 0, 0, 0x40, 0, 0, 0};
  Save(folder, "bmp", "os2", os2);
  std::vector<uint8_t> tga(18, 0);
  tga[2] = 3; tga[12] = 3; tga[14] = 2; tga[16] = 16; tga[17] = 0x28;
  for (int i = 0; i < 6; ++i) { tga.push_back(uint8_t(i * 40)); tga.push_back(uint8_t(255 - i)); }
  Save(folder, "tga", "gray16", tga);
  Image two;
  Allocate(two, 9, 5, 1);
  for (size_t i = 0; i < two.pixels.size(); ++i) two.pixels[i] = uint8_t(i * 37);
  std::vector<uint8_t> gif = Encode([&](const Stream& s) { return WriteGif(two, s); });
  if (gif.size() > 19 && (gif[10] & 0x80)) {  // drop the global table of two entries
    gif[10] &= 0x7F;
    gif.erase(gif.begin() + 13, gif.begin() + 19);
    Save(folder, "gif", "no-table", gif);
  }
  std::vector<uint8_t> pcx = Encode([&](const Stream& s) { return WritePcx(two, s); });
  if (pcx.size() > 128) {
    pcx[3] = 2;  // the same lines read as two bits a pixel, eight pixels wide
    pcx[8] = 7;
    pcx[9] = 0;
    Save(folder, "pcx", "two-bit", pcx);
  }
  // A Photo CD pack cut short after the smallest image keeps the seed small.
  std::vector<uint8_t> pcd(0x2000 + 192 * 128 * 3 / 2, 0x80);
  std::memcpy(&pcd[0x800], "PCD_IPI", 7);
  Save(folder, "pcd", "base16", pcd);
  return 0;
}
