#include "scripted_dsm.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rule {
  uint32_t dg;
  uint16_t dat, msg, rc, cc;
  uint32_t times;  // 0: for ever
  uint32_t skip;   // matching requests to let through first
};

struct State {
  std::vector<Rule> rules;
  uint16_t staleCc = 0;
  std::map<uint16_t, std::pair<uint16_t, std::vector<uint8_t>>> containers;
  std::vector<std::string> sources{"Scripted Scanner"};
  size_t nextSource = 0;
  std::deque<uint16_t> events;
  std::vector<ScriptedRequest> log;
  uint32_t pages = 0;
  TW_IMAGEINFO info{};
  uint32_t bytesPerPage = 0;
  uint32_t pageIndex = 0;  // page being transferred, from 0
  uint32_t sent = 0;       // bytes of it sent so far
  TW_SETUPMEMXFER limits{0, 65536, 65536};
  uint32_t nextAppId = 1;
  uint32_t pagesPerEvent = 0;
  std::vector<uint32_t> sizes;  // bytes of each page; bytesPerPage for pages beyond
};

State g;
// The test gate: the next request of gateDat waits (bounded) until the test opens the gate.
HANDLE g_gateOpen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
HANDLE g_gateReached = CreateEventA(nullptr, TRUE, FALSE, nullptr);
volatile LONG g_gateDat = -1;

uint32_t PageBytes(uint32_t page) { return page < g.sizes.size() ? g.sizes[page] : g.bytesPerPage; }

size_t RecordSize(uint16_t dat) {
  switch (dat) {
    case DAT_PARENT: return sizeof(HWND);
    case DAT_IDENTITY: return sizeof(TW_IDENTITY);
    case DAT_CAPABILITY: return sizeof(TW_CAPABILITY);
    case DAT_EVENT: return sizeof(TW_EVENT);
    case DAT_PENDINGXFERS: return sizeof(TW_PENDINGXFERS);
    case DAT_SETUPMEMXFER: return sizeof(TW_SETUPMEMXFER);
    case DAT_SETUPFILEXFER: return sizeof(TW_SETUPFILEXFER);
    case DAT_STATUS: return sizeof(TW_STATUS);
    case DAT_USERINTERFACE: return sizeof(TW_USERINTERFACE);
    case DAT_IMAGEINFO: return sizeof(TW_IMAGEINFO);
    case DAT_IMAGEMEMXFER: return sizeof(TW_IMAGEMEMXFER);
    default: return 0;
  }
}

void Record(uint32_t dg, uint16_t dat, uint16_t msg, TW_IDENTITY* dest, TW_MEMREF data) {
  ScriptedRequest r{};
  r.dg = dg;
  r.dat = dat;
  r.msg = msg;
  r.hasDest = dest != nullptr;
  r.destId = dest ? dest->Id : 0;
  if (data) {
    r.dataSize = static_cast<uint32_t>(RecordSize(dat));
    std::memcpy(r.data, data, r.dataSize);
    if (dat == DAT_CAPABILITY) {
      HGLOBAL h = static_cast<TW_CAPABILITY*>(data)->hContainer;
      if (h) {
        size_t n = std::min<size_t>(GlobalSize(h), sizeof r.container);
        const void* p = GlobalLock(h);
        if (p) std::memcpy(r.container, p, n);
        GlobalUnlock(h);
        r.containerSize = static_cast<uint32_t>(n);
      }
    }
  }
  g.log.push_back(r);
}

bool RuleAnswer(uint32_t dg, uint16_t dat, uint16_t msg, uint16_t* rc) {
  for (auto it = g.rules.begin(); it != g.rules.end(); ++it) {
    if (it->dg != dg || it->dat != dat || it->msg != msg) continue;
    if (it->skip > 0) {
      --it->skip;
      return false;
    }
    *rc = it->rc;
    g.staleCc = it->cc;
    if (it->times != 0 && --it->times == 0) g.rules.erase(it);
    return true;
  }
  return false;
}

TW_UINT16 Fail(uint16_t cc) {
  g.staleCc = cc;
  return TWRC_FAILURE;
}

TW_UINT16 Identity(uint16_t msg, TW_IDENTITY* id) {
  auto fill = [](TW_IDENTITY* out, size_t i) {
    *out = {};
    out->Id = 100 + static_cast<TW_UINT32>(i);
    out->ProtocolMajor = 1;
    out->ProtocolMinor = 9;
    out->SupportedGroups = DG_CONTROL | DG_IMAGE;
    lstrcpynA(out->Manufacturer, "Quandrix", sizeof out->Manufacturer);
    lstrcpynA(out->ProductFamily, "Scripted", sizeof out->ProductFamily);
    lstrcpynA(out->ProductName, g.sources[i].c_str(), sizeof out->ProductName);
  };
  switch (msg) {
    case MSG_GETFIRST:
      g.nextSource = 0;
      [[fallthrough]];
    case MSG_GETNEXT:
      if (g.nextSource >= g.sources.size()) return TWRC_ENDOFLIST;
      fill(id, g.nextSource++);
      return TWRC_SUCCESS;
    case MSG_OPENDS:
      for (size_t i = 0; i < g.sources.size(); ++i) {
        if (std::strncmp(g.sources[i].c_str(), id->ProductName, 34) == 0 ||
            id->ProductName[0] == 0) {
          fill(id, i);
          return TWRC_SUCCESS;
        }
      }
      return Fail(TWCC_NODS);
    default:
      return TWRC_SUCCESS;
  }
}

TW_UINT16 Capability(uint16_t msg, TW_CAPABILITY* cap) {
  if (msg != MSG_GET && msg != MSG_GETCURRENT) return TWRC_SUCCESS;
  auto it = g.containers.find(cap->Cap);
  if (it == g.containers.end()) return Fail(TWCC_CAPUNSUPPORTED);
  const std::vector<uint8_t>& bytes = it->second.second;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(bytes.size(), 1));
  if (!h) return Fail(TWCC_LOWMEMORY);
  std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
  cap->ConType = it->second.first;
  cap->hContainer = h;
  return TWRC_SUCCESS;
}

TW_UINT16 Pending(uint16_t msg, TW_PENDINGXFERS* p) {
  if (msg == MSG_ENDXFER) {
    if (g.pageIndex < g.pages) ++g.pageIndex;
    g.sent = 0;
  } else if (msg == MSG_RESET) {
    g.pageIndex = g.pages;
  }
  p->Count = static_cast<TW_UINT16>(g.pages - std::min(g.pageIndex, g.pages));
  return TWRC_SUCCESS;
}

TW_UINT16 MemXfer(TW_IMAGEMEMXFER* m) {
  if (g.pageIndex >= g.pages) return Fail(TWCC_SEQERROR);
  uint32_t n = std::min(m->Memory.Length, PageBytes(g.pageIndex) - g.sent);
  uint8_t* out = static_cast<uint8_t*>(m->Memory.TheMem);
  for (uint32_t i = 0; i < n; ++i) out[i] = ScriptPageByte(g.pageIndex, g.sent + i);
  g.sent += n;
  m->BytesWritten = n;
  m->Compression = TWCP_NONE;
  return g.sent >= PageBytes(g.pageIndex) ? TWRC_XFERDONE : TWRC_SUCCESS;
}

TW_UINT16 NativeXfer(TW_MEMREF data) {
  if (g.pageIndex >= g.pages) return Fail(TWCC_SEQERROR);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + g.bytesPerPage);
  if (!h) return Fail(TWCC_LOWMEMORY);
  uint8_t* p = static_cast<uint8_t*>(GlobalLock(h));
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof bih;
  bih.biWidth = g.info.ImageWidth;
  bih.biHeight = g.info.ImageLength;
  bih.biPlanes = 1;
  bih.biBitCount = static_cast<WORD>(g.info.BitsPerPixel);
  std::memcpy(p, &bih, sizeof bih);
  for (uint32_t i = 0; i < g.bytesPerPage; ++i) p[sizeof bih + i] = ScriptPageByte(g.pageIndex, i);
  GlobalUnlock(h);
  *static_cast<HGLOBAL*>(data) = h;
  return TWRC_XFERDONE;
}

TW_UINT16 Answer(TW_IDENTITY* origin, TW_IDENTITY* dest, uint32_t dg, uint16_t dat, uint16_t msg,
                 TW_MEMREF data) {
  if (dat == DAT_STATUS) {
    static_cast<TW_STATUS*>(data)->ConditionCode = g.staleCc;
    return TWRC_SUCCESS;
  }
  switch (dat) {
    case DAT_PARENT:
      if (msg == MSG_OPENDSM && origin && origin->Id == 0) origin->Id = g.nextAppId++;
      return TWRC_SUCCESS;
    case DAT_IDENTITY: return Identity(msg, static_cast<TW_IDENTITY*>(data));
    case DAT_CAPABILITY: return Capability(msg, static_cast<TW_CAPABILITY*>(data));
    case DAT_EVENT: {
      if (g.events.empty()) return TWRC_NOTDSEVENT;
      static_cast<TW_EVENT*>(data)->TWMessage = g.events.front();
      if (g.events.front() == MSG_XFERREADY && g.pagesPerEvent) {
        g.pages = g.pagesPerEvent;
        g.pageIndex = 0;
        g.sent = 0;
      }
      g.events.pop_front();
      return TWRC_DSEVENT;
    }
    case DAT_PENDINGXFERS: return Pending(msg, static_cast<TW_PENDINGXFERS*>(data));
    case DAT_SETUPMEMXFER: *static_cast<TW_SETUPMEMXFER*>(data) = g.limits; return TWRC_SUCCESS;
    case DAT_IMAGEINFO: {
      TW_IMAGEINFO* info = static_cast<TW_IMAGEINFO*>(data);
      *info = g.info;
      uint32_t row = (uint32_t(std::max(g.info.ImageWidth, 0)) * std::max<int>(g.info.BitsPerPixel, 0) + 7) / 8;
      if (!g.sizes.empty() && row) info->ImageLength = static_cast<TW_INT32>(PageBytes(g.pageIndex) / row);
      return TWRC_SUCCESS;
    }
    case DAT_IMAGEMEMXFER: return MemXfer(static_cast<TW_IMAGEMEMXFER*>(data));
    case DAT_IMAGENATIVEXFER: return NativeXfer(data);
    case DAT_IMAGEFILEXFER:
      if (g.pageIndex >= g.pages) return Fail(TWCC_SEQERROR);
      return TWRC_XFERDONE;
    default: return TWRC_SUCCESS;
  }
}

}  // namespace

extern "C" TW_UINT16 WINAPI DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg,
                                      TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  Record(dg, dat, msg, dest, data);
  if (InterlockedCompareExchange(&g_gateDat, -1, dat) == dat) {
    SetEvent(g_gateReached);
    WaitForSingleObject(g_gateOpen, 10000);
  }
  uint16_t rc;
  if (RuleAnswer(dg, dat, msg, &rc)) return rc;
  return Answer(origin, dest, dg, dat, msg, data);
}

extern "C" {

void __cdecl ScriptReset() { g = State{}; }

void __cdecl ScriptAnswer(uint32_t dg, uint16_t dat, uint16_t msg, uint16_t rc, uint16_t cc,
                            uint32_t times) {
  g.rules.push_back({dg, dat, msg, rc, cc, times, 0});
}

void __cdecl ScriptAnswerAfter(uint32_t dg, uint16_t dat, uint16_t msg, uint32_t skip, uint16_t rc,
                               uint16_t cc) {
  g.rules.push_back({dg, dat, msg, rc, cc, 1, skip});
}

void __cdecl ScriptPageSizes(const uint32_t* sizes, uint32_t count) {
  g.sizes.assign(sizes, sizes + count);
}

void __cdecl ScriptStaleCondition(uint16_t cc) { g.staleCc = cc; }

void __cdecl ScriptContainer(uint16_t cap, uint16_t conType, const void* bytes, uint32_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(bytes);
  g.containers[cap] = {conType, std::vector<uint8_t>(p, p + size)};
}

void __cdecl ScriptAddSource(const char* productName) { g.sources.push_back(productName); }
void __cdecl ScriptClearSources() { g.sources.clear(); }
void __cdecl ScriptQueueEvent(uint16_t twMessage) { g.events.push_back(twMessage); }

void __cdecl ScriptPages(uint32_t count, const TW_IMAGEINFO* info, uint32_t bytesPerPage) {
  g.pages = count;
  g.info = info ? *info : TW_IMAGEINFO{};
  g.bytesPerPage = bytesPerPage;
  g.pageIndex = 0;
  g.sent = 0;
}

void __cdecl ScriptMemLimits(uint32_t minSize, uint32_t maxSize, uint32_t preferred) {
  g.limits = {minSize, maxSize, preferred};
}

void __cdecl ScriptPagesPerEvent(uint32_t count) { g.pagesPerEvent = count; }

void __cdecl ScriptGate(uint16_t dat) {
  ResetEvent(g_gateOpen);
  ResetEvent(g_gateReached);
  InterlockedExchange(&g_gateDat, dat);
}

int32_t __cdecl ScriptGateWait(uint32_t milliseconds) {
  return WaitForSingleObject(g_gateReached, milliseconds) == WAIT_OBJECT_0;
}

void __cdecl ScriptGateRelease() { SetEvent(g_gateOpen); }

uint32_t __cdecl ScriptRequestCount() { return static_cast<uint32_t>(g.log.size()); }

int32_t __cdecl ScriptRequest(uint32_t index, ScriptedRequest* out) {
  if (index >= g.log.size() || !out) return 0;
  *out = g.log[index];
  return 1;
}

uint8_t __cdecl ScriptPageByte(uint32_t page, uint32_t offset) {
  return static_cast<uint8_t>((page * 31 + offset * 7 + offset / 251) & 0xFF);
}

}  // extern "C"
