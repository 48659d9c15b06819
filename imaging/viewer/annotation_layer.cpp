#include "annotation_layer.h"

#include <exception>
#include <vector>

#include "annotation_file_name.h"
#include "qm_document_image.h"
#include "wide_path.h"

namespace qm {

namespace {

bool FileThere(const std::string& name) {
  const DWORD a = GetFileAttributesW(WidePath(name).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Text(const char* name) { return name != nullptr ? name : ""; }

// The viewer the engine hands back to a notification, or null when it gave none.
QmDocumentImage* Owner(void* owner) { return static_cast<QmDocumentImage*>(owner); }

}  // namespace

void* QmAnnotationLayer::Key() const { return &viewer_; }

void QmAnnotationLayer::Report(const std::string& text) {
  if (viewer_.OnPictorelError)
    viewer_.OnPictorelError(&viewer_, int16_t(-1), text, text.c_str());
  else
    OutputDebugStringA(text.c_str());
}

int32_t QmAnnotationLayer::AnnotationCount() { return Ready() ? port_->Count(Key()) : 0; }

void QmAnnotationLayer::SetEditMode(bool value) {
  if (editMode_ && !value) RubberBandOff();
  editMode_ = value;
}

std::string QmAnnotationLayer::AnnotationFileName() const {
  return AnnotationFileNameFor(fileName_, viewer_.Document().FileName());
}

void QmAnnotationLayer::LoadAnnotationFile(int16_t page, const std::string& name) {
  if (!Ready() || !FileThere(name)) return;
  if (port_->LoadFile(Key(), page, name) < 0)
    Report("Could not read the annotations of page " + std::to_string(page + 1) + " from " + name);
}

void QmAnnotationLayer::SaveAnnotationFile(int16_t page, const std::string& name) {
  if (!Ready()) return;
  if (port_->SaveFile(Key(), page, name) < 0)
    Report("Could not save the annotations of page " + std::to_string(page + 1) + " to " + name);
}

void QmAnnotationLayer::LoadAnnotationStream(int16_t page, const char* text) {
  if (!Ready()) return;
  if (port_->LoadStream(Key(), page, text) < 0)
    Report("Could not read the annotations of page " + std::to_string(page + 1));
}

void QmAnnotationLayer::SaveAnnotationStream(int16_t page, char** buffer) {
  if (Ready()) port_->SaveStream(Key(), page, buffer);
}

void QmAnnotationLayer::RemoveAnnotationPage(int16_t page, const std::string& name) {
  const std::string file = name.empty() ? AnnotationFileName() : name;
  if (!Ready() || !FileThere(file)) return;
  if (port_->RemovePage(Key(), page, file) < 0) {
    Report("Could not remove page " + std::to_string(page + 1) + " from " + file);
    return;
  }
  OnAfterSavedAnnoToFile(&viewer_, file);
}

void QmAnnotationLayer::InsertAnnotationPage(int16_t page, const std::string& name) {
  const std::string file = name.empty() ? AnnotationFileName() : name;
  if (!Ready() || !FileThere(file)) return;
  if (port_->InsertPage(Key(), page, file) < 0) {
    Report("Could not insert page " + std::to_string(page + 1) + " into " + file);
    return;
  }
  OnAfterSavedAnnoToFile(&viewer_, file);
}

void QmAnnotationLayer::AutoSaveAnnotations(int16_t page) {
  if (!autoSave_ || !Ready()) return;
  if (from_ == TLoadAnnoFrom::anFromFile) {
    const std::string name = AnnotationFileName();
    if (port_->SaveFile(Key(), page, name) < 0) {
      Report("Could not save the annotations of page " + std::to_string(page + 1) + " to " + name);
      return;
    }
    OnAfterSavedAnnoToFile(&viewer_, name);
    return;
  }
  if (!OnAfterSavedAnnoToStream) return;
  std::vector<char> block(kAnnotationStreamBlock, '\0');
  char* text = block.data();
  // A page whose text did not fit is not handed over as empty: the caller keeps what it has.
  if (port_->SaveStream(Key(), page, &text) < 0) {
    Report("The annotations of page " + std::to_string(page + 1) + " could not be saved");
    return;
  }
  OnAfterSavedAnnoToStream(&viewer_, &text);
}

void QmAnnotationLayer::AutoLoadAnnotations(int16_t page) {
  if (!autoLoad_ || !Ready()) return;
  if (from_ == TLoadAnnoFrom::anFromFile) {
    std::string name = AnnotationFileName();
    OnBeforeLoadAnnoFromFile(&viewer_, name);
    // A page without a file has no annotations: the last page's must not stay over it.
    if (!FileThere(name)) {
      port_->Clear(Key());
      return;
    }
    LoadAnnotationFile(page, name);
    return;
  }
  if (!OnBeforeLoadAnnoFromStream) return;
  char* text = nullptr;
  OnBeforeLoadAnnoFromStream(&viewer_, text);
  if (text != nullptr && text[0] != '\0' && text[1] != '\0') LoadAnnotationStream(page, text);
}

void QmAnnotationLayer::ClearAnnotations() {
  if (Ready()) port_->Clear(Key());
}

void QmAnnotationLayer::RubberBandOff() {
  if (!Ready()) return;
  try {
    port_->RubberBandOff(Key());
  } catch (const std::exception& e) {
    Report(e.what());
  }
}

void QmAnnotationLayer::Start(HWND window) {
  if (port_ == nullptr || started_) return;
  const AnnotationCallbacks callbacks{&AfterDraw, &BeforeDraw, &CustomHardDraw, &CustomDraw, &Done};
  try {
    port_->Init(Key(), window, &viewer_, callbacks);
    started_ = true;
  } catch (const std::exception& e) {
    Report(e.what());
  }
}

void QmAnnotationLayer::Stop() {
  if (!Ready()) return;
  started_ = false;
  try {
    port_->Destroy(Key());
  } catch (const std::exception&) {
    // The viewer is going: nobody is left to tell.
  }
}

void QmAnnotationLayer::Draw(HDC dc, int32_t boxLeft, int32_t boxTop, float scalePercent) {
  if (!Ready() || scalePercent <= 0) return;
  const double s = scalePercent / 100.0;
  // The engine draws in the viewer's client coordinates, as the mouse reaches it.
  POINT old;
  OffsetViewportOrgEx(dc, -boxLeft, -boxTop, &old);
  try {
    port_->Draw(Key(), int32_t(-boxLeft / s), int32_t(-boxTop / s), dc, s);
  } catch (const std::exception& e) {
    Report(e.what());
  }
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void QmAnnotationLayer::Mouse(UINT message, int32_t x, int32_t y) {
  if (!Ready() || !editMode_) return;
  try {
    port_->MouseMon(Key(), message, MAKELPARAM(uint16_t(x), uint16_t(y)));
  } catch (const std::exception& e) {
    Report(e.what());
  }
}

void QmAnnotationLayer::MenuCommand(WPARAM command) {
  if (!Ready() || !editMode_) return;
  try {
    port_->MenuMsg(Key(), int32_t(command));
  } catch (const std::exception& e) {
    Report(e.what());
  }
}

void QmAnnotationLayer::Clicked(WPARAM selecting, LPARAM item) {
  if (viewer_.TabStop() && viewer_.HandleAllocated() && IsWindowVisible(viewer_.Handle()) &&
      IsWindowEnabled(viewer_.Handle()))
    SetFocus(viewer_.Handle());
  OnAnnoClick(&viewer_, int32_t(item), selecting == 1);
}

int32_t __stdcall QmAnnotationLayer::AfterDraw(void* owner, const char* name) {
  QmDocumentImage* v = Owner(owner);
  if (v == nullptr) return 0;
  v->Annotations().OnAfterAnnotationDraw(v, Text(name));
  return 1;
}

int32_t __stdcall QmAnnotationLayer::BeforeDraw(void* owner, int32_t passCode, int16_t* canDraw,
                                               const char* name) {
  QmDocumentImage* v = Owner(owner);
  if (v == nullptr) return 0;
  bool draw = canDraw != nullptr && *canDraw == 1;
  v->Annotations().OnBeforeAnnotationDraw(v, passCode, draw, Text(name));
  if (canDraw != nullptr) *canDraw = draw ? 1 : 0;
  return 1;
}

int32_t __stdcall QmAnnotationLayer::CustomHardDraw(void* owner, HBITMAP bitmap, const char* name,
                                                   int32_t x, int32_t y, int32_t xx, int32_t yy) {
  QmDocumentImage* v = Owner(owner);
  if (v == nullptr) return 0;
  v->Annotations().OnCusAnHardDraw(v, bitmap, Text(name), x, y, xx, yy);
  return 1;
}

int32_t __stdcall QmAnnotationLayer::CustomDraw(void* owner, HDC dc, const char* name, int32_t x,
                                               int32_t y, int32_t xx, int32_t yy) {
  QmDocumentImage* v = Owner(owner);
  if (v == nullptr) return 0;
  v->Annotations().OnCusAnDraw(v, dc, Text(name), x, y, xx, yy);
  return 1;
}

int32_t __stdcall QmAnnotationLayer::Done(void* owner) {
  QmDocumentImage* v = Owner(owner);
  if (v == nullptr) return 0;
  v->Annotations().OnAnnoDone(v);
  return 1;
}

}  // namespace qm
