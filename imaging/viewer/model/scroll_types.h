// Values shared by the scroll bar logic and the window that shows the bars. The numbers are the
// platform's own (SM_*, SIF_*, SB_*, WSB_PROP_*, FSB_*) so the window side passes them straight on.
#pragma once
#include <cstdint>

namespace qm {

enum class TScrollBarKind { sbHorizontal = 0, sbVertical = 1 };
enum class TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A colour: RGB in the low three bytes, or a system colour index with the top byte 0xFF.
using TColor = int32_t;
constexpr TColor clBtnHighlight = static_cast<TColor>(0xFF000014);

constexpr int kSmCxVScroll = 2;
constexpr int kSmCyHScroll = 3;
constexpr int kSmCyVScroll = 20;
constexpr int kSmCxHScroll = 21;

constexpr uint32_t kSifRange = 0x1, kSifPage = 0x2, kSifPos = 0x4, kSifTrackPos = 0x10;
constexpr uint32_t kSifAll = kSifRange | kSifPage | kSifPos | kSifTrackPos;

enum ScrollCode {
  kSbLineUp = 0, kSbLineDown = 1, kSbPageUp = 2, kSbPageDown = 3, kSbThumbPosition = 4,
  kSbThumbTrack = 5, kSbTop = 6, kSbBottom = 7, kSbEndScroll = 8
};

// Flat scroll bar properties, horizontal / vertical.
constexpr uint32_t kWsbPropCyVScroll = 0x1, kWsbPropCxHScroll = 0x2, kWsbPropCyHScroll = 0x4,
                   kWsbPropCxVScroll = 0x8, kWsbPropCxHThumb = 0x10, kWsbPropCyVThumb = 0x20,
                   kWsbPropVBkgColor = 0x40, kWsbPropHBkgColor = 0x80, kWsbPropVStyle = 0x100,
                   kWsbPropHStyle = 0x200;
constexpr int kFsbRegularMode = 0, kFsbEncartaMode = 1, kFsbFlatMode = 2;

struct QmScrollInfo {
  uint32_t mask = 0;
  int32_t min = 0;
  int32_t max = 0;
  uint32_t page = 0;
  int32_t pos = 0;
  int32_t trackPos = 0;
};

// One child as the container sees it when it measures how far its content reaches.
struct ChildExtent {
  int32_t left = 0, top = 0, width = 0, height = 0;
  TAlign align = TAlign::alNone;
  bool visible = true;
};

struct QmRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const QmRect&) const = default;
};

}  // namespace qm
