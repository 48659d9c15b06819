#include "scan_pass_setup.h"

#include <initializer_list>

#include "scan_loop_rules.h"
#include "scan_tables.h"

namespace tarnwick {

bool PaperInFeeder(ScanLibraryPort& lib) {
  int32_t answer = 0;
  if (lib.GetNumber(kTagPaperPresentId, &answer) != 0) return false;
  return answer == 1;
}

namespace {

void SetInt(ScanLibraryPort& lib, uint16_t tag, int32_t value) { lib.SetNumber(tag, value); }

uint16_t PixelTypeOf(int imageType) { return imageType == 1 ? 1 : imageType == 2 ? 2 : 0; }
uint16_t BitsOf(int imageType) { return imageType == 1 ? 8 : imageType == 2 ? 24 : 1; }

}  // namespace

ScanPassSetup SendScanPassSettings(ScanLibraryPort& lib, const ScanPassSettings& s,
                                   const ScannerMaxArea& scannerArea) {
  ScanPassSetup out;
  TScanPropRec& p = out.Prop;
  p.TransMode = 1;
  p.ScanMethod = 0;
  p.ShowUI = s.ShowUI ? 1 : 0;
  p.Filter = static_cast<uint16_t>(s.Filter);
  p.PixelType = PixelTypeOf(s.ImageType);
  p.BitsPerPixel = BitsOf(s.ImageType);
  const bool blackAndWhite = p.PixelType == 0;
  if (blackAndWhite) lib.SetText(kTagDitherId, "None");

  out.Size = s.PaperListCount == 1 ? 4 : s.Size;
  const PaperInches paper = PaperSize(out.Size);
  p.Size.DefPaper = 0;
  p.Size.Unit = 0;
  p.Size.Left = 0.0f;
  p.Size.Top = 0.0f;
  p.Size.Width = paper.Width;
  p.Size.Length = paper.Length;

  // The device's own name: the stored driver name is no tag the library answers.
  out.ProductName = lib.GetText(kTagProductNameId);
  if (out.ProductName.size() > 33) out.ProductName.resize(33);
  ScannerMaxArea max = scannerArea;
  if (max.Width == 0.0f || max.Width > 12.0f) {
    const PaperInches model = ModelMaxArea(out.ProductName.c_str());
    max.Width = model.Width;
    max.Height = model.Length;
  }
  if (max.Width != 0.0f && p.Size.Width > max.Width) p.Size.Width = max.Width;
  if (max.Height != 0.0f && p.Size.Length > max.Height) p.Size.Length = max.Height;

  out.Dpi = ResolutionDpi(s.Resolution);
  p.XRes = out.Dpi;
  p.YRes = out.Dpi;

  if (s.ScanMethod == 0) {
    p.ScanMethod = 1;
    SetInt(lib, kTagFeederTypeId, s.Duplex ? 1 : 0);
  } else {
    p.ScanMethod = 2;
  }
  SetInt(lib, kTagInvertId, s.Invert ? 1 : 0);
  SetInt(lib, kTagAutoCropId, s.AutoCrop ? 1 : 0);
  SetInt(lib, kTagIndicatorsId, 1);
  p.Brightness = 0;
  p.Contrast = 0;
  lib.SetProp(p);

  const int32_t brightness = s.Brightness * 10;
  const int32_t contrast = s.Contrast * 10;
  if (!BrightnessPerChannel(s.ForEdition, s.ImageType)) {
    SetInt(lib, kTagBrightnessId, brightness);
    SetInt(lib, kTagContrastId, contrast);
  } else {
    SetInt(lib, kTagColorMatchId, 1);
    for (int32_t channel : {0, 1, 3, 2}) {
      SetInt(lib, kTagFilterId, channel);
      SetInt(lib, kTagBrightnessId, brightness);
      SetInt(lib, kTagContrastId, contrast);
    }
    // The loop leaves FILTER at its last channel; the library keeps the tag's value, so the next
    // capability query would take that channel for the operator's drop-out choice.
    SetInt(lib, kTagFilterId, s.Filter);
  }
  return out;
}

}  // namespace tarnwick
