// The annotation layer of the document viewer: marks the file-format library's annotation
// engine keeps over the shown page. The layer starts the engine for the viewer's window, draws
// it after the page, hands it mouse input and menu commands in the edit mode, turns its
// notifications into the viewer's events, and keeps a page's annotations in a ".ant" file or
// the caller's text around page changes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "annotation_port.h"
#include "qm_event.h"

namespace qm {

class QmDocumentImage;

enum class TLoadAnnoFrom { anFromFile, anFromStream };

using TOnAnnoClick = TQmEvent<QmDocumentImage, int32_t, bool>;
using TOnBeforeAnnotationDraw = TQmEvent<QmDocumentImage, int32_t, bool&, const std::string&>;
using TOnAfterAnnotationDraw = TQmEvent<QmDocumentImage, const std::string&>;
using TOnCustomAnnotationDraw =
    TQmEvent<QmDocumentImage, HDC, const std::string&, int32_t, int32_t, int32_t, int32_t>;
using TOnCustomAnnotationHardDraw =
    TQmEvent<QmDocumentImage, HBITMAP, const std::string&, int32_t, int32_t, int32_t, int32_t>;
using TLoadAnnoFile = TQmEvent<QmDocumentImage, std::string&>;
using TSaveAnnoFile = TQmEvent<QmDocumentImage, const std::string&>;
using TLoadAnnoStream = TQmEvent<QmDocumentImage, char*&>;
using TSaveAnnoStream = TQmEvent<QmDocumentImage, char**>;

// The block a stream save is given; handlers copy what they keep before it is freed.
constexpr size_t kAnnotationStreamBlock = 15000;
// Posted by the engine to the viewer's window when an annotation is clicked.
constexpr UINT kAnnotationClickMessage = WM_USER + 0x201;

class QmAnnotationLayer {
 public:
  // Without a port the layer does nothing and holds no annotations.
  QmAnnotationLayer(QmDocumentImage& viewer, AnnotationPort* port) : viewer_(viewer), port_(port) {}
  QmAnnotationLayer(const QmAnnotationLayer&) = delete;
  QmAnnotationLayer& operator=(const QmAnnotationLayer&) = delete;

  // Properties.
  bool AutoLoadAnno() const { return autoLoad_; }
  void SetAutoLoadAnno(bool value) { autoLoad_ = value; }
  bool AutoSaveAnno() const { return autoSave_; }
  void SetAutoSaveAnno(bool value) { autoSave_ = value; }
  const std::string& AnnoFileName() const { return fileName_; }
  void SetAnnoFileName(const std::string& value) { fileName_ = value; }
  TLoadAnnoFrom OnAnnoLoadSaveFromTo() const { return from_; }
  void SetOnAnnoLoadSaveFromTo(TLoadAnnoFrom value) { from_ = value; }
  int32_t AnnotationCount();
  // In the edit mode the mouse and the viewer's menu commands reach the engine; leaving it
  // drops a band the engine is drawing.
  bool EditMode() const { return editMode_; }
  void SetEditMode(bool value);

  // Operations; page is the TIFF page index. Failures of the engine raise.
  std::string AnnotationFileName() const;
  void LoadAnnotationFile(int16_t page, const std::string& name);
  void SaveAnnotationFile(int16_t page, const std::string& name);
  void LoadAnnotationStream(int16_t page, const char* text);
  void SaveAnnotationStream(int16_t page, char** buffer);
  void RemoveAnnotationPage(int16_t page, const std::string& name = std::string());
  void InsertAnnotationPage(int16_t page, const std::string& name = std::string());
  void AutoSaveAnnotations(int16_t page);  // before a page is left or replaced
  void AutoLoadAnnotations(int16_t page);  // after a page is shown
  void ClearAnnotations();
  void RubberBandOff();

  // The viewer's hooks. Those called from window messages report failures through the
  // viewer's OnPictorelError and never raise.
  void Start(HWND window);  // once, when the viewer's window exists
  void Stop();
  // After the page is painted on the paint box's DC (origin at the box's corner).
  void Draw(HDC dc, int32_t boxLeft, int32_t boxTop, float scalePercent);
  // x, y in the viewer's client coordinates.
  void Mouse(UINT message, int32_t x, int32_t y);
  void MenuCommand(WPARAM command);
  void Clicked(WPARAM selecting, LPARAM item);

  TOnAnnoClick OnAnnoClick;
  TQmEvent<QmDocumentImage> OnAnnoDone;
  TOnBeforeAnnotationDraw OnBeforeAnnotationDraw;
  TOnAfterAnnotationDraw OnAfterAnnotationDraw;
  TOnCustomAnnotationDraw OnCusAnDraw;
  TOnCustomAnnotationHardDraw OnCusAnHardDraw;
  TLoadAnnoFile OnBeforeLoadAnnoFromFile;
  TSaveAnnoFile OnAfterSavedAnnoToFile;
  TLoadAnnoStream OnBeforeLoadAnnoFromStream;
  TSaveAnnoStream OnAfterSavedAnnoToStream;

 private:
  static int32_t __stdcall AfterDraw(void* owner, const char* name);
  static int32_t __stdcall BeforeDraw(void* owner, int32_t passCode, int16_t* canDraw, const char* name);
  static int32_t __stdcall CustomHardDraw(void* owner, HBITMAP bitmap, const char* name, int32_t x,
                                          int32_t y, int32_t xx, int32_t yy);
  static int32_t __stdcall CustomDraw(void* owner, HDC dc, const char* name, int32_t x, int32_t y,
                                      int32_t xx, int32_t yy);
  static int32_t __stdcall Done(void* owner);
  bool Ready() const { return port_ != nullptr && started_; }
  void Report(const std::string& text);
  void* Key() const;

  QmDocumentImage& viewer_;
  AnnotationPort* port_;
  bool started_ = false;
  bool autoLoad_ = false;
  bool autoSave_ = false;
  bool editMode_ = false;
  std::string fileName_;
  TLoadAnnoFrom from_ = TLoadAnnoFrom::anFromFile;
};

}  // namespace qm
