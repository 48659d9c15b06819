// A page lying skewed on the scanner's backing plate. With the plate shown the scanner sees the
// whole frame around the paper: the paper, turned clockwise by the configured angle about the
// frame's centre, on the plate's colour. On a white plate the paper's edge casts a thin shadow,
// as it does on real scanners, so its outline stays visible. Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "sim_scanner.h"

namespace zebsim {

// The gray level of the plate: also what the scanner answers for its background lines.
constexpr uint8_t kBlackPlateLevel = 0x10, kWhitePlateLevel = 0xF0;
constexpr uint8_t kPaperShadowLevel = 0x60;

// The frame the scanner delivers in plate mode: the paper plus the margin on every side.
PageGeometry PlateFrameGeometry(const PageFormat& format, const PlateSetup& plate);

class PlatePage {
 public:
  PlatePage(const PageFormat& format, int pageNumber, const PlateSetup& plate, bool blackPlate);

  const PageGeometry& Frame() const { return frame_; }
  // Row `row` (0 = top) of the frame, in the format's pixel layout (as RenderRow writes rows).
  void Row(int row, uint8_t* out) const;

 private:
  uint8_t GrayAt(int x, int y, uint8_t rgb[3]) const;

  PageFormat format_;
  PageGeometry paper_, frame_;
  std::vector<uint8_t> upright_;  // the paper upright: one gray byte or three RGB bytes a pixel
  int samples_;
  double cos_, sin_;
  bool black_;
};

}  // namespace zebsim
