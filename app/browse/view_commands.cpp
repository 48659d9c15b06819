// The View menu's and the toolbar's commands on the page in the viewer.
#include <windows.h>

#include "message_dialogs.h"
#include "tarnwick_form.h"
#include "tarnwick_ids.h"
#include "zoom_steps.h"

namespace tarnwick {

namespace {
constexpr COLORREF kWhite = 0xFFFFFF;
}

void TTarnwickForm::ibdocInvertClick() {
  if (!state.viewCommands) return;
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.InvertColors(); });
}

void TTarnwickForm::Invert1Click() {
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.InvertColors(); });
}

void TTarnwickForm::Mirror1Click(int command) {
  switch (command) {
    case IDM_HORIZONTAL1: ShowingErrors(handle_, [&] { QmDocumentImage1.MirrorBy(0, 1); }); break;
    case IDM_VERTICAL1: ShowingErrors(handle_, [&] { QmDocumentImage1.MirrorBy(1, 0); }); break;
    case IDM_HORZVERT1: ShowingErrors(handle_, [&] { QmDocumentImage1.MirrorBy(1, 1); }); break;
    default: break;
  }
}

void TTarnwickForm::N901Click() {
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.RotateBy(kWhite, 90); });
}

void TTarnwickForm::N1801Click() {
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.RotateBy(kWhite, 180); });
}

void TTarnwickForm::N2701Click() {
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.RotateBy(kWhite, 270); });
}

void TTarnwickForm::ibdocRotate90Click() {
  if (!state.viewCommands) return;
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.RotateBy(kWhite, -90); });
}

void TTarnwickForm::ibdocRotate180Click() {
  if (!state.viewCommands) return;
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.RotateBy(kWhite, 180); });
}

void TTarnwickForm::Scaling1Click(int command) {
  switch (command) {
    case IDM_N251: QmDocumentImage1.SetScalePercent(25); break;
    case IDM_N501: QmDocumentImage1.SetScalePercent(50); break;
    case IDM_N751: QmDocumentImage1.SetScalePercent(75); break;
    case IDM_N1001: QmDocumentImage1.SetScalePercent(100); break;
    case IDM_N2001: QmDocumentImage1.SetScalePercent(200); break;
    default: break;
  }
}

void TTarnwickForm::DesKew1Click() {
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.Deskew(0); });
}

void TTarnwickForm::ibdocBestFitClick() {
  if (!state.viewCommands) return;
  BusyCursor busy;
  ShowingErrors(handle_, [&] { QmDocumentImage1.BestFit(); });
}

void TTarnwickForm::ibdocPanZoomClick() {
  QmDocumentImage1.SetControlMode(QmDocumentImage1.ControlMode() == qm::TControlMode::cmPanning
                                      ? qm::TControlMode::cmNone
                                      : qm::TControlMode::cmPanning);
}

void TTarnwickForm::ibdocZoomInClick() {
  BusyCursor busy;
  QmDocumentImage1.SetScalePercent(ZoomedIn(QmDocumentImage1.ScalePercent()));
}

void TTarnwickForm::ibdocZoomOutClick() {
  BusyCursor busy;
  QmDocumentImage1.SetScalePercent(ZoomedOut(QmDocumentImage1.ScalePercent()));
}

void TTarnwickForm::ibdocResetZoomClick() {
  if (!state.viewCommands) return;
  BusyCursor busy;
  QmDocumentImage1.SetScalePercent(100);
}

}  // namespace tarnwick
