// The data source's one entry point.
#include "ds_source.h"

namespace {
DsSource g_source;
}

extern "C" TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat,
                                     TW_UINT16 msg, TW_MEMREF data) {
  return g_source.Entry(origin, dg, dat, msg, data);
}
