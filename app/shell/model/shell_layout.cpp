#include "shell_layout.h"

#include <algorithm>

namespace tarnwick {

void ShellLayout::Start(int32_t clientWidth, Edition edition) {
  clientWidth = std::max<int32_t>(clientWidth, 0);
  panelWidth_ = edition == Edition::kSecond
                    ? std::max<int32_t>(clientWidth - kSecondEditionStripWidth - kSplitterWidth, 0)
                    : clientWidth / 2;
  minSize_ = clientWidth / 4;
}

PaneLayout ShellLayout::Arrange(int32_t clientWidth, int32_t clientHeight, int32_t toolbarHeight,
                                int32_t statusHeight) const {
  PaneLayout out;
  int32_t top = std::max<int32_t>(toolbarHeight, 0);
  int32_t height = std::max<int32_t>(clientHeight - top - std::max<int32_t>(statusHeight, 0), 0);
  int32_t width = std::max<int32_t>(clientWidth, 0);
  int32_t panel = std::min(panelWidth_, width);
  int32_t splitter = std::min(kSplitterWidth, width - panel);
  out.panel = {width - panel, top, panel, height};
  out.splitter = {out.panel.left - splitter, top, splitter, height};
  out.strip = {0, top, out.splitter.left, height};
  return out;
}

bool ShellLayout::MoveSplitter(int32_t x, int32_t clientWidth) {
  int32_t wanted = clientWidth - x - kSplitterWidth;
  int32_t most = clientWidth - kSplitterWidth - minSize_;
  int32_t width = std::max(std::min(wanted, most), minSize_);
  if (width == panelWidth_) return false;
  panelWidth_ = width;
  return true;
}

bool ShellLayout::SplitForScannedPage(int32_t clientWidth, bool stripHidden) {
  clientWidth = std::max<int32_t>(clientWidth, 0);
  const int32_t width = stripHidden ? clientWidth / 4 * 3 : clientWidth / 2;
  if (width == panelWidth_) return false;
  panelWidth_ = width;
  return true;
}

}  // namespace tarnwick
