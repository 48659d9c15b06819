// Image information of the pending image, as the scan library's page information wants it.
#include "connection.h"
#include "debug_log.h"
#include "transfer_math.h"

extern "C" int32_t __stdcall TWAINImageInfo(TWImageInfoRec* rec, uint32_t* maxSize) {
  EngineLogIn("TWImageInfo", nState);
  TW_IMAGEINFO info{};
  int32_t result = CallDSMEntry(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
  g_twain.LastResult = result;
  if (IsConnectionFailure(result)) g_twain.connectionBroken = true;
  TW_SETUPMEMXFER setup{};
  if (result == 0 && rec) {
    rec->XResolution = Fix32ToInt(info.XResolution.Whole, info.XResolution.Frac);
    rec->YResolution = Fix32ToInt(info.YResolution.Whole, info.YResolution.Frac);
    rec->ImageWidth = info.ImageWidth;
    rec->ImageLength = info.ImageLength;
    rec->BitsPerPixel = info.BitsPerPixel;
    rec->SamplesPerPixel = info.SamplesPerPixel;
    for (int i = 0; i < 8; ++i) rec->BitsPerSample[i] = info.BitsPerSample[i];
    rec->PixelType = info.PixelType == TWPT_PALETTE ? TWPT_RGB : info.PixelType;
    rec->Compression = info.Compression;
    result = CallDSMEntry(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup);
    rec->Preferred = setup.Preferred;
    g_twain.minBufSize = result == 0 ? setup.MinBufSize : 0;
    if (maxSize) *maxSize = setup.MaxBufSize;
  }
  EngineLogOut("TWImageInfo", result);
  EngineLogValue("XResolution", info.XResolution.Whole);
  EngineLogValue("YResolution", info.YResolution.Whole);
  EngineLogValue("ImageWidth", info.ImageWidth);
  EngineLogValue("ImageLength", info.ImageLength);
  EngineLogValue("SamplesPerPixel", info.SamplesPerPixel);
  EngineLogValue("BitsPerPixel", info.BitsPerPixel);
  EngineLogValue("Planar", info.Planar);
  EngineLogValue("PixelType", info.PixelType);
  EngineLogValue("Compression", info.Compression);
  EngineLogValue("Min Size", static_cast<int32_t>(setup.MinBufSize));
  return result;
}
