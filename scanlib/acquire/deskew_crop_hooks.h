// Deskew and crop during acquisition: the three hooks the page callback calls. The step itself
// belongs to the deskew service, which installs it; until then (and whenever cropdeskew2.dll
// is absent) the step is inactive and pages pass through untouched.
#pragma once
#include <cstdint>

#include "scan_page_info.h"

struct DeskewCropStep {
  bool (*Bound)();                      // cropdeskew2.dll's two entry points are bound
  int32_t (*Start)(int32_t pageCounter);
  // Collects the page's blocks; from 1 on, *current holds the processed page, *size its bytes
  // and the record its new width, length and (through the caller) row length.
  int32_t (*Page)(void* data, uint32_t* size, int32_t code, int32_t pageCounter,
                  ScanPageInfo* record, void** current);
  void (*End)();
  // True while this acquisition goes on without the step (its background could not be read):
  // pages are then made as they arrive. May be null.
  bool (*Bypassed)() = nullptr;
};

// The deskew service's step, or nullptr to take it away again.
void InstallDeskewCropStep(const DeskewCropStep* step);

// True when a step is installed, bound and not bypassed, BACKGROUNDLINES is non-zero and DESKEW or
// AUTOCROP is set.
bool DeskewCropActive();
int32_t DeskewCropStart(int32_t pageCounter);
int32_t DeskewCropPage(void* data, uint32_t* size, int32_t code, int32_t pageCounter,
                       ScanPageInfo* record, void** current);
void DeskewCropEnd();
