// TFormWindow: a dialog made from its template in the program's resources: single border and
// only a close box, centred on its owner, the client size given in pixels, the standard form
// font. A form object lasts the whole run; its window exists while it is shown.
#pragma once
#include <windows.h>

namespace tarnwick {

class TFormWindow {
 public:
  virtual ~TFormWindow();
  TFormWindow() = default;
  TFormWindow(const TFormWindow&) = delete;
  TFormWindow& operator=(const TFormWindow&) = delete;

  // IDOK or IDCANCEL (or -1 when the window could not be made).
  INT_PTR ShowModal(HWND owner);
  // Shows the window without waiting (the caller pumps messages and closes it).
  bool ShowModeless(HWND owner);
  void CloseModeless();
  HWND Handle() const { return handle_; }

 protected:
  virtual int TemplateId() const = 0;
  virtual SIZE ClientSize() const = 0;  // pixels; 0 keeps the template's
  virtual SIZE OuterSize() const { return SIZE{0, 0}; }
  virtual void FormCreate();            // the standard form font
  virtual void FormShow() {}
  virtual void FormClose(INT_PTR result) {}
  // Answers true when it took the command; IDOK and IDCANCEL end a modal show by default.
  virtual bool Command(int id, int code, HWND control) { return false; }
  virtual INT_PTR Message(UINT msg, WPARAM wParam, LPARAM lParam) { return FALSE; }
  void EndModal(INT_PTR result);
  void SetItemText(int id, const wchar_t* text);
  HWND Item(int id) const { return GetDlgItem(handle_, id); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void PlaceOnOwner();

  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  bool modal_ = false;
};

}  // namespace tarnwick
