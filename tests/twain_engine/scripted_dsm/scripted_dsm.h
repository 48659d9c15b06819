// A data source manager for tests: it records every request with its triple and payload and
// answers what the test scripted, so the engine's error paths can be driven on purpose.
#pragma once
#include <cstdint>

#include "twain_types.h"

struct ScriptedRequest {
  uint32_t dg;
  uint16_t dat;
  uint16_t msg;
  int32_t hasDest;
  uint32_t destId;
  uint32_t dataSize;       // bytes of the request's record copied into data
  uint8_t data[300];       // the record as the engine passed it in
  uint32_t containerSize;  // DAT_CAPABILITY: bytes of the container passed in
  uint8_t container[300];
};

// The test controls are plain C calls, so a test links them by name on every build.
extern "C" {
// Back to the defaults: no rules, no queued events, one source "Scripted Scanner", no pages.
void __cdecl ScriptReset();
// The next `times` requests of this triple (0: every one) answer rc; a following DAT_STATUS
// answers cc. A rule for DAT_STATUS itself makes the status request fail.
void __cdecl ScriptAnswer(uint32_t dg, uint16_t dat, uint16_t msg, uint16_t rc, uint16_t cc,
                            uint32_t times);
// One answer rc (condition cc) for the request of this triple after `skip` have gone through.
void __cdecl ScriptAnswerAfter(uint32_t dg, uint16_t dat, uint16_t msg, uint32_t skip, uint16_t rc,
                               uint16_t cc);
// Bytes of each page (pages of different lengths; ImageLength follows them).
void __cdecl ScriptPageSizes(const uint32_t* sizes, uint32_t count);
// The condition code DAT_STATUS reports when no rule set one (a stale code from long ago).
void __cdecl ScriptStaleCondition(uint16_t cc);
// The container MSG_GET of cap answers (bytes copied into a fresh global block each time).
void __cdecl ScriptContainer(uint16_t cap, uint16_t conType, const void* bytes, uint32_t size);
void __cdecl ScriptAddSource(const char* productName);
void __cdecl ScriptClearSources();
// The next MSG_PROCESSEVENT answers TWRC_DSEVENT with this message (MSG_XFERREADY, ...).
void __cdecl ScriptQueueEvent(uint16_t twMessage);
// Pages the source holds for the next transfers: image information and bytes per page.
void __cdecl ScriptPages(uint32_t count, const TW_IMAGEINFO* info, uint32_t bytesPerPage);
// Every MSG_XFERREADY handed out brings this many fresh pages (0: the pages of ScriptPages only).
void __cdecl ScriptPagesPerEvent(uint32_t count);
// Limits of DAT_SETUPMEMXFER.
void __cdecl ScriptMemLimits(uint32_t minSize, uint32_t maxSize, uint32_t preferred);
// The test gate: the next request with this data argument type is held (10 s at most) until
// ScriptGateRelease, so a test can act while the engine is inside the request.
void __cdecl ScriptGate(uint16_t dat);
int32_t __cdecl ScriptGateWait(uint32_t milliseconds);  // 1 when a request reached the gate
void __cdecl ScriptGateRelease();
uint32_t __cdecl ScriptRequestCount();
int32_t __cdecl ScriptRequest(uint32_t index, ScriptedRequest* out);
// The byte at offset i of page p as the scripted source sends it.
uint8_t __cdecl ScriptPageByte(uint32_t page, uint32_t offset);
}
