// The viewer's plain settings: stored for the forms that set them, with their ranges enforced.
#pragma once
#include <algorithm>
#include <cstdint>

#include "viewer_types.h"

namespace qm {

class ViewerSettings {
 public:
  int32_t ScanDpi() const { return scanDpi_; }
  void SetScanDpi(int32_t v) { scanDpi_ = std::clamp(v, 30, 3600); }
  int32_t ScanBright() const { return scanBright_; }
  void SetScanBright(int32_t v) { scanBright_ = std::clamp(v, -1000, 1000); }
  int32_t ScanContrast() const { return scanContrast_; }
  void SetScanContrast(int32_t v) { scanContrast_ = std::clamp(v, -1000, 1000); }
  int32_t MagnifyScale() const { return magnifyScale_; }
  void SetMagnifyScale(int32_t v) { magnifyScale_ = std::clamp(v, 1, 1000); }

  bool ImageDither = false;
  TSaveResolution ImageWriteRes = TSaveResolution::sMonoChrome;
  TTiffCompression TifSaveCompress = TTiffCompression::sNONE;
  TTwainColorres ScanColorres = TTwainColorres::t_TW_BW;
  bool ScanUseAdf = true, ScanShowUI = true, ScanDuplex = false, ScanShowBetweenScan = false;
  double sScanTop = 0, sScanLeft = 0, sScanWidth = 8.49, sScanHeight = 11.0;
  TTifSaveOpt TifSaveOptions = TTifSaveOpt::tiffAppend;
  int16_t TifInsertAt = 0;
  int32_t MagnifyWidth = 200, MagnifyHeight = 100, MagnifyXOffset = 2, MagnifyYOffset = 2;
  TControlMode ControlMode = TControlMode::cmNone;
  TMouseButton RubberBandBtn = TMouseButton::mbLeft;
  TScaleToGray PrintScaleDoc = TScaleToGray::S_Gray_None;
  int16_t DeskewSubsampling = 1;
  double DeskewRange = 90.0, DeskewAngle_res = 0.1, DeskewLine_res = 4.0;
  uint8_t DeskewGrayValue = 0;
  bool P_Begin_End_Doc = true;
  bool AutoLoadAnno = false, AutoSaveAnno = false;

 private:
  int32_t scanDpi_ = 200;
  int32_t scanBright_ = 0;
  int32_t scanContrast_ = 0;
  int32_t magnifyScale_ = 200;
};

}  // namespace qm
