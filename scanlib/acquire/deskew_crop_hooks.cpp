#include "deskew_crop_hooks.h"

#include "tag_state.h"
#include "tag_table.h"

namespace {

const DeskewCropStep* gStep = nullptr;

}  // namespace

void InstallDeskewCropStep(const DeskewCropStep* step) { gStep = step; }

bool DeskewCropActive() {
  if (gStep == nullptr || gStep->Bound == nullptr || !gStep->Bound()) return false;
  if (gStep->Bypassed != nullptr && gStep->Bypassed()) return false;
  return CurrentInt(kRowBackgroundLines) != 0 &&
         (CurrentInt(kRowDeskew) != 0 || CurrentInt(kRowAutoCrop) != 0);
}

int32_t DeskewCropStart(int32_t pageCounter) {
  return gStep != nullptr && gStep->Start != nullptr ? gStep->Start(pageCounter) : 0;
}

int32_t DeskewCropPage(void* data, uint32_t* size, int32_t code, int32_t pageCounter,
                       ScanPageInfo* record, void** current) {
  if (gStep == nullptr || gStep->Page == nullptr) return 0;
  return gStep->Page(data, size, code, pageCounter, record, current);
}

void DeskewCropEnd() {
  if (gStep != nullptr && gStep->End != nullptr) gStep->End();
}
