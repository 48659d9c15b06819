// The batch read-ahead: events made at load, the BATCHSCAN setting, the memory transfer entry.
#include <initializer_list>

#include "connection.h"
#include "settings_store.h"

int32_t DoStripTransfer(TWAcquireCallback fn, void* data);

namespace {
HANDLE g_readStart, g_dataReady, g_nextImage, g_slotDrained;
bool g_batchMode = false;
}  // namespace

void CreateBatchEvents() {
  if (g_readStart) return;
  g_readStart = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_dataReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_nextImage = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_slotDrained = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void CloseBatchEvents() {
  for (HANDLE* h : {&g_readStart, &g_slotDrained, &g_dataReady, &g_nextImage}) {
    if (*h) CloseHandle(*h);
    *h = nullptr;
  }
}

void PrepareBatchReading() {
  int32_t batch = 0;
  long status = ReadSetting(kScanDataKey, "BATCHSCAN", &batch, kSettingInt, sizeof batch);
  g_batchMode = status == 0 && batch != 0;
}

void ReleaseBatchReading() {}

int32_t DoMemTransfer(TWAcquireCallback fn, void* data) { return DoStripTransfer(fn, data); }
