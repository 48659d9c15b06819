// The strip-by-strip memory, native and file transfers, run on the caller's thread.
#include <cstring>
#include <string>

#include "cap_table.h"
#include "connection.h"
#include "strip_rows.h"
#include "transfer_math.h"

void ResetPendingTransfers(bool endRefused) {
  const int32_t reset = CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &g_twain.pending);
  nState = 5;
  // After a refused end of transfer and a refused reset the source is still in its transfer.
  const bool stuck = endRefused && reset != 0;
  if (g_twain.UIControl && !stuck) return;
  if (TWDisableDS() != 0) AbandonSource();
}

namespace {

// The end of one image in every routine; c is the transfer's code with a cancel folded in.
// Answers the routine's code and whether another image follows.
int32_t EndOfImage(int32_t c, bool* another) {
  int32_t code = c;
  if (c == 1) {
    int32_t r = CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &g_twain.pending);
    nState = 6;
    if (g_twain.pending.Count == 0 || r != 0) ResetPendingTransfers(r != 0);
    code = r;
  } else {
    const int32_t r = CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &g_twain.pending);
    nState = 6;
    ResetPendingTransfers(r != 0);
  }
  *another = nState == 6 && g_twain.pending.Count != 0;
  return code;
}

// Before the next image of a run: its information, or the failure to read it as the run's code.
bool ReadNextImageInfo(int32_t* code, uint32_t* maxSize) {
  int32_t r = TWAINImageInfo(&g_twain.imageInfo, maxSize);
  if (r != 0) *code = r;
  return r == 0;
}

// Reads a boolean capability's current value by the container the source answered.
bool CurrentFlag(uint16_t cap) {
  void* block = nullptr;
  int32_t type = TWAINGetValue(cap, CapIndex(cap).itemType, &block);
  bool flag = false;
  if (block) {
    const uint8_t* p = static_cast<const uint8_t*>(block);
    uint16_t v = 0;
    switch (type) {
      case TWON_ONEVALUE: std::memcpy(&v, p + 2, 2); break;
      case TWON_ENUMERATION: {
        uint32_t n, cur;
        std::memcpy(&n, p + 2, 4);
        std::memcpy(&cur, p + 6, 4);
        if (cur < n) std::memcpy(&v, p + 14 + cur * 2, 2);
        break;
      }
      case TWON_RANGE: {
        uint32_t cur;
        std::memcpy(&cur, p + 18, 4);
        v = static_cast<uint16_t>(cur);
        break;
      }
      default: break;
    }
    flag = v != 0;
    HGLOBAL h = GlobalHandle(block);
    while (GlobalUnlock(h)) {
    }
    GlobalFree(h);
  }
  return flag;
}

}  // namespace

// Numbering of page files across one acquisition, so a second scan in the same session does not
// overwrite the first one's files.
uint32_t g_pageFileCounter = 1;

int32_t DoStripTransfer(TWAcquireCallback fn, void* data) {
  EngineLogIn("DoMemTransfer", nState);
  if (nState != 6 && nState != 7) {
    EngineLogOut("DoMemTransfer", -3);
    return -3;
  }
  g_twain.pending = {};
  TW_IMAGEMEMXFER mem{};
  uint32_t maxSize = 0;
  int32_t code = TWAINImageInfo(&g_twain.imageInfo, &maxSize);
  // Strips go into the caller's buffer: without one the source would write to nowhere.
  if (code == 0 && !data) code = -9;
  bool another = code == 0;
  StripBlock block;
  while (another) {
    uint32_t wanted = 0;
    code = fn(&g_twain.imageInfo, &wanted, 2);
    if (code != 0) break;
    mem.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    mem.Memory.Length = MemoryLength(wanted, g_twain.imageInfo.Preferred, maxSize);
    const uint32_t rowBytes = TightRowBytes(g_twain.imageInfo);
    void* target = data;
    if (mem.Memory.Length < g_twain.minBufSize) {
      // The caller's block is smaller than the source takes: strips go into one of ours.
      mem.Memory.Length = WholeRowsAtLeast(g_twain.minBufSize, rowBytes);
      target = block.Reserve(mem.Memory.Length);
      if (!target) {
        code = -9;
        break;
      }
    }
    nState = 7;
    int32_t c = 0;
    while (c == 0 && nState == 7) {
      mem.Memory.TheMem = target;
      mem.BytesWritten = 0;
      c = CallDSMEntry(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &mem);
      // A source that answers "more" without writing anything would keep us here for ever.
      if (c == 0 && mem.BytesWritten == 0) c = -4;
      uint32_t written = PackStripRows(mem, rowBytes);
      if (fn(target, &written, c) != 0) c = -4;
    }
    code = EndOfImage(c, &another);
    if (another && !ReadNextImageInfo(&code, &maxSize)) break;
  }
  EngineLogOut("DoMemTransfer", code);
  return code;
}

int32_t DoNativeTransfer(TWAcquireCallback fn, void* data) {
  EngineLogIn("DoNativeTransfer", nState);
  if (nState != 6 && nState != 7) {
    EngineLogOut("DoNativeTransfer", -3);
    return -3;
  }
  uint32_t maxSize = 0;
  int32_t code = TWAINImageInfo(&g_twain.imageInfo, &maxSize);
  bool another = code == 0;
  while (another) {
    uint32_t wanted = 0;
    code = fn(&g_twain.imageInfo, &wanted, 2);
    if (code != 0) break;
    int32_t c = CallDSMEntry(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, data);
    nState = 7;
    uint32_t scratch = 0;
    if (fn(data, &scratch, c) != 0) c = -4;
    code = EndOfImage(c, &another);
    if (another && !ReadNextImageInfo(&code, &maxSize)) break;
  }
  EngineLogOut("DoNativeTransfer", code);
  return code;
}

int32_t DoFileTransfer(TWAcquireCallback fn, void* data) {
  EngineLogIn("DoFileTransfer", nState);
  if (nState != 6 && nState != 7) {
    EngineLogOut("DoFileTransfer", -3);
    return -3;
  }
  const bool duplex = CurrentFlag(CAP_DUPLEXENABLED);
  const bool feeder = CurrentFlag(CAP_FEEDERENABLED);
  const std::string base = PageFileBase(data ? static_cast<const char*>(data) : "");
  uint32_t maxSize = 0;
  int32_t code = TWAINImageInfo(&g_twain.imageInfo, &maxSize);
  bool another = code == 0;
  while (another) {
    uint32_t wanted = 0;
    code = fn(&g_twain.imageInfo, &wanted, 2);
    if (code != 0) break;
    TW_SETUPFILEXFER setup{};
    std::string name = base + PageFileSuffix(g_pageFileCounter, duplex, feeder);
    lstrcpynA(setup.FileName, name.c_str(), sizeof setup.FileName);
    setup.Format = TWFF_BMP;
    setup.VRefNum = 0;
    code = CallDSMEntry(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup);
    if (code != 0) break;
    int32_t c = CallDSMEntry(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
    // The callback gets the file the source wrote, not the template.
    uint32_t baseLength = static_cast<uint32_t>(base.size());
    if (fn(setup.FileName, &baseLength, c) != 0) c = -4;
    ++g_pageFileCounter;
    code = EndOfImage(c, &another);
    if (another && !ReadNextImageInfo(&code, &maxSize)) break;
  }
  EngineLogOut("DoFileTransfer", code);
  return code;
}
