// Where the main window's panes go: the thumbnail strip on the left, the splitter, and Panel1
// with the viewer on the right, between the toolbar and the status bar. Panel1 keeps its width
// when the window is resized; the splitter changes it, keeping both sides at least a quarter of
// the client width they had when the window was made.
#pragma once
#include <cstdint>

#include "edition.h"

namespace tarnwick {

struct PaneRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PaneRect&) const = default;
};

struct PaneLayout {
  PaneRect strip, splitter, panel;
};

class ShellLayout {
 public:
  static constexpr int32_t kSplitterWidth = 3;

  // The second edition's strip at creation.
  static constexpr int32_t kSecondEditionStripWidth = 377;
  // At creation: Panel1 half the client width (the second edition: what the 377-pixel strip
  // and the splitter leave), minimum size a quarter of it.
  void Start(int32_t clientWidth, Edition edition = kBuiltEdition);
  PaneLayout Arrange(int32_t clientWidth, int32_t clientHeight, int32_t toolbarHeight,
                     int32_t statusHeight) const;
  // The splitter dragged so that its left edge is at x; answers whether Panel1 changed.
  bool MoveSplitter(int32_t x, int32_t clientWidth);
  // A scanned page shown: with the strip hidden Panel1 takes three quarters of the client
  // width, else half; answers whether Panel1 changed.
  bool SplitForScannedPage(int32_t clientWidth, bool stripHidden);
  int32_t PanelWidth() const { return panelWidth_; }
  int32_t MinSize() const { return minSize_; }

 private:
  int32_t panelWidth_ = 0;
  int32_t minSize_ = 0;
};

}  // namespace tarnwick
