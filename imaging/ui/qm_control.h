// TQmControl: a window with published properties (bounds, alignment, visibility, colour) and
// events. Each control registers its own window procedure target; children are TQmControls too.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "qm_event.h"
#include "scroll_types.h"

namespace qm {

class TQmControl;
using TNotifyEvent = TQmEvent<TQmControl>;
// Button (0 left, 1 right, 2 middle), key state flags (MK_*), x, y.
using TMouseEvent = TQmEvent<TQmControl, int, WPARAM, int, int>;
// Shift state flags of key events.
enum TShiftFlag : int { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
// Virtual key (the handler may set it to 0 to swallow it), shift state flags.
using TKeyEvent = TQmEvent<TQmControl, WORD&, int>;
using TKeyPressEvent = TQmEvent<TQmControl, char&>;

struct TQmCreateParams {
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  std::string caption;
};

class TQmControl {
 public:
  TQmControl();
  virtual ~TQmControl();
  TQmControl(const TQmControl&) = delete;
  TQmControl& operator=(const TQmControl&) = delete;

  // Makes the window; a control without parent gets a top-level frame window.
  void CreateHandle(HWND parentWindow);
  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  TQmControl* Parent() const { return parent_; }
  // Adopts a child; its window is made once this control has one.
  void InsertControl(TQmControl* child);
  void RemoveControl(TQmControl* child);
  const std::vector<TQmControl*>& Controls() const { return children_; }

  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  int32_t ClientWidthNow() const;
  int32_t ClientHeightNow() const;
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  // A control larger than any window may be: its window covers only the part inside the
  // parent's client area, and painting and mouse positions are shifted to the whole control.
  void SetClippedToParent(bool value);
  bool ClippedToParent() const { return clipped_; }
  void Invalidate(bool erase = true);
  void Repaint();  // paints at once
  // Screen-cursor index shown while the pointer is over the control; 0 the class's arrow.
  int ControlCursor() const { return cursor_; }
  void SetControlCursor(int index) { cursor_ = index; }
  // A device context for drawing on the control outside its paint, in control coordinates
  // (the window's shift inside a clipped control applied); give it back with ReleaseCanvas.
  HDC GetCanvas();
  void ReleaseCanvas(HDC dc);
  int32_t OriginX() const { return originX_; }  // control position of the window's left edge
  int32_t OriginY() const { return originY_; }

  TNotifyEvent OnClick, OnDblClick, OnResize;
  TMouseEvent OnMouseDown, OnMouseMove, OnMouseUp;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  virtual void CreateParams(TQmCreateParams& params);
  virtual void CreateWnd();  // after the window exists
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void Paint(HDC dc) {}
  virtual void Resized();
  // Places aligned children inside the given client rectangle.
  virtual void AlignControls(RECT area);
  virtual RECT AlignArea();
  virtual void MouseDown(int button, WPARAM keys, int x, int y) { OnMouseDown(this, button, keys, x, y); }
  virtual void MouseMove(WPARAM keys, int x, int y) { OnMouseMove(this, 0, keys, x, y); }
  virtual void MouseUp(int button, WPARAM keys, int x, int y) { OnMouseUp(this, button, keys, x, y); }
  // The framework's key handling fires the events; overrides add their own after it.
  virtual void KeyDown(WORD& key, int shift) { OnKeyDown(this, key, shift); }
  virtual void KeyPress(char& key) { OnKeyPress(this, key); }
  HBRUSH BackgroundBrush();
  void Realign();
  void PlaceWindow();

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static void RegisterClasses();

  HWND handle_ = nullptr;
  std::string name_;
  TQmControl* parent_ = nullptr;
  std::vector<TQmControl*> children_;
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool tabStop_ = false;
  bool aligning_ = false;
  bool clipped_ = false;
  int32_t originX_ = 0, originY_ = 0;
  int cursor_ = 0;
  TColor color_ = static_cast<TColor>(0xFF000000 | COLOR_BTNFACE);
  HBRUSH brush_ = nullptr;
};

// The window colour of a TColor (system colours resolved).
COLORREF ColorToRgb(TColor color);
// Shift state flags from the keyboard state now.
int KeyboardShiftState();

}  // namespace qm
