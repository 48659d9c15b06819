// A window as the scroll logic sees it: an outer size, an optional border, bars that show the way
// the platform's scroll bars do, and a clock that only moves when somebody sleeps.
#pragma once
#include <vector>

#include "scroll_port.h"

namespace qm_test {

class FakeScrollPort : public qm::ScrollPort {
 public:
  int32_t outerWidth = 300, outerHeight = 200;
  bool border = false;
  int32_t barSize = 17;
  bool shown[2] = {false, false};
  std::vector<qm::ChildExtent> children;
  qm::QmScrollInfo lastInfo[2];
  int32_t thumb[2] = {0, 0};
  bool trackPosWorks = true;
  int32_t trackPos = 0;
  int setScrollPosCalls = 0;
  std::vector<std::pair<int32_t, int32_t>> scrolls;
  std::vector<std::pair<uint32_t, intptr_t>> props;
  std::vector<uint32_t> sleeps;
  int repaints = 0;
  uint32_t now = 1000;

  int Index(qm::TScrollBarKind k) const { return k == qm::TScrollBarKind::sbHorizontal ? 0 : 1; }

  bool WindowExists() const override { return true; }
  bool Loading() const override { return false; }
  int32_t ClientWidth() const override {
    return outerWidth - (border ? 2 : 0) - (shown[1] ? barSize : 0);
  }
  int32_t ClientHeight() const override {
    return outerHeight - (border ? 2 : 0) - (shown[0] ? barSize : 0);
  }
  bool HasBorderOrThickFrame() const override { return border; }
  bool BarShown(qm::TScrollBarKind k) const override { return shown[Index(k)]; }
  int32_t SystemMetric(int) const override { return barSize; }
  bool AutoScrollEnabled() const override { return true; }
  std::vector<qm::ChildExtent> Children() const override { return children; }
  uint32_t ColorToRgb(qm::TColor c) const override { return c < 0 ? 0xFFFFFF : uint32_t(c); }

  void SetScrollInfo(qm::TScrollBarKind k, const qm::QmScrollInfo& info, bool) override {
    int i = Index(k);
    lastInfo[i] = info;
    // The platform hides a bar whose page covers its whole range.
    shown[i] = info.max > info.min && uint32_t(info.max - info.min) >= info.page;
    thumb[i] = info.pos;
  }
  bool GetTrackPos(qm::TScrollBarKind, int32_t& pos) override {
    pos = trackPos;
    return trackPosWorks;
  }
  int32_t GetScrollPos(qm::TScrollBarKind k) override { return thumb[Index(k)]; }
  void SetScrollPos(qm::TScrollBarKind k, int32_t pos, bool) override {
    ++setScrollPosCalls;
    thumb[Index(k)] = pos;
  }
  void SetScrollProp(uint32_t prop, intptr_t value, bool) override { props.push_back({prop, value}); }
  void ScrollBy(int32_t dx, int32_t dy) override {
    scrolls.push_back({dx, dy});
    for (auto& c : children) {
      c.left += dx;
      c.top += dy;
    }
  }
  void RepaintNow() override { ++repaints; }
  uint32_t TickCount() override { return now; }
  void SleepMs(uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
};

}  // namespace qm_test
