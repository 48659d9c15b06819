// The batch memory transfer: images are read ahead into a ring of slots in one large buffer and
// handed to the callback from there.
//
// Every TWAIN request and every callback belongs to the caller's thread (the source does its
// work inside DSM_Entry on that thread, and the callback is the scan library's), so the reading
// ahead runs there too, interleaved with the delivery: a block is read whenever the ring has
// room, pieces are handed out as soon as their bytes are in. Each slot keeps its own image
// information, status and byte counts; a slot is written only after the callback has taken all
// of its previous image, so no byte is overwritten or lost, and no thread is ever suspended.
#include <initializer_list>
#include <algorithm>
#include <cstring>
#include <vector>

#include "connection.h"
#include "settings_store.h"
#include "strip_rows.h"
#include "transfer_math.h"

int32_t DoStripTransfer(TWAcquireCallback fn, void* data);

namespace {

HANDLE g_readStart, g_dataReady, g_nextImage, g_slotDrained;
bool g_batchMode = false;
HGLOBAL g_bufferBlock = nullptr;
uint8_t* g_buffer = nullptr;
uint32_t g_bufferSize = 0;

struct ReadBufferRec {
  TWImageInfoRec info{};
  uint8_t* start = nullptr;
  uint32_t written = 0;    // bytes read into the slot
  uint32_t delivered = 0;  // bytes handed to the callback
  int32_t status = 0;      // 0 reading, 1 complete, negative engine code
};

bool AllocateBuffer(uint32_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  uint8_t* p = h ? static_cast<uint8_t*>(GlobalLock(h)) : nullptr;
  if (!p) {
    if (h) GlobalFree(h);
    return false;
  }
  if (g_bufferBlock) {
    GlobalUnlock(g_bufferBlock);
    GlobalFree(g_bufferBlock);
  }
  g_bufferBlock = h;
  g_buffer = p;
  g_bufferSize = size;
  return true;
}

class BatchRun {
 public:
  BatchRun(TWAcquireCallback fn, uint32_t wanted, uint32_t memLength, uint32_t slotBytes,
           uint32_t slots)
      : fn_(fn), wanted_(wanted), memLength_(memLength), ring_(slots) {
    for (uint32_t i = 0; i < slots; ++i) ring_[i].start = g_buffer + size_t(i) * slotBytes;
    capacity_ = slotBytes;
    ring_[0].info = g_twain.imageInfo;
  }

  int32_t Run() {
    nState = 7;
    int32_t result = 0;
    for (;;) {
      // Read ahead one block (or prepare the next slot) for every piece handed out.
      if (!ended_) ReadStep();
      ReadBufferRec& slot = ring_[consumer_];
      const uint32_t left = slot.written - slot.delivered;
      const bool complete = slot.status != 0;
      if (!complete && left == 0) continue;
      const uint32_t n = std::min(wanted_, left);
      const bool lastPiece = complete && n == left;
      if (!lastPiece && n == 0) continue;
      uint32_t taken = n;
      if (fn_(slot.start + slot.delivered, &taken, lastPiece ? slot.status : 0) != 0) {
        result = -4;
        break;
      }
      slot.delivered += n == 0 ? 0 : std::clamp<uint32_t>(taken, 1, n);
      if (!complete || slot.delivered < slot.written) continue;
      // Every byte of the image went out.
      if (slot.status < 0) {
        result = slot.status;
        break;
      }
      while (writer_ == consumer_ && !ended_) ReadStep();
      if (writer_ == consumer_) break;  // that was the last image
      consumer_ = Next(consumer_);
      SetEvent(g_slotDrained);
      ReadBufferRec& next = ring_[consumer_];
      if (next.status < 0 && next.written == 0) {
        result = next.status;  // its image information was refused
        break;
      }
      int32_t answer = fn_(&next.info, &wanted_, 2);
      if (answer != 0) {
        result = answer;
        break;
      }
    }
    Finish();
    return result;
  }

 private:
  uint32_t Next(uint32_t i) const { return (i + 1) % ring_.size(); }

  // One request for the writer's slot: a block of data, or the next image's preparation.
  void ReadStep() {
    ReadBufferRec& slot = ring_[writer_];
    if (ended_) return;
    if (slot.status != 0) {
      PrepareNext();
      return;
    }
    uint32_t room = capacity_ - slot.written;
    if (room == 0) {
      // Larger than the first image: the buffer cannot hold it.
      slot.status = -9;
      ended_ = true;
      return;
    }
    TW_IMAGEMEMXFER mem{};
    mem.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    mem.Memory.Length = std::min(memLength_, room);
    mem.Memory.TheMem = slot.start + slot.written;
    const uint32_t rowBytes = TightRowBytes(slot.info);
    // A source whose least block, or padded row, is more than the slot has room for writes
    // into a block of ours; its rows are then copied in, packed.
    const uint32_t least = std::max(g_twain.minBufSize, paddedRow_);
    const bool ours = mem.Memory.Length < least;
    if (ours) {
      mem.Memory.Length = WholeRowsAtLeast(least, rowBytes);
      mem.Memory.TheMem = scratch_.Reserve(mem.Memory.Length);
      if (!mem.Memory.TheMem) {
        slot.status = -9;
        ended_ = true;
        return;
      }
    }
    int32_t c = CallDSMEntry(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &mem);
    if (mem.Compression == TWCP_NONE && mem.BytesPerRow > rowBytes) paddedRow_ = mem.BytesPerRow;
    uint32_t got = std::min(std::min(mem.BytesWritten, mem.Memory.Length), PackStripRows(mem, rowBytes));
    if (ours) {
      got = std::min(got, room);
      std::memcpy(slot.start + slot.written, mem.Memory.TheMem, got);
    }
    slot.written += got;
    SetEvent(g_dataReady);
    if (c == 0 && got == 0) c = -4;  // a source that sends nothing would keep us here
    if (c == 0) return;
    slot.status = c == 1 ? 1 : c;
    if (c != 1) {
      ended_ = true;
      return;
    }
    int32_t r = CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &g_twain.pending);
    nState = 6;
    endRefused_ = r != 0;
    if (r != 0 || g_twain.pending.Count == 0) ended_ = true;
  }

  // Starts the next image in the next slot, once the callback has taken the slot's last image.
  void PrepareNext() {
    uint32_t next = Next(writer_);
    if (next == consumer_) return;  // the ring is full: the consumer must drain first
    ReadBufferRec& slot = ring_[next];
    uint8_t* start = slot.start;
    slot = ReadBufferRec{};
    slot.start = start;
    int32_t r = TWAINImageInfo(&slot.info, nullptr);
    if (r == 0 && ImageBytes(slot.info.ImageWidth, slot.info.BitsPerPixel, slot.info.ImageLength) > capacity_)
      r = -9;
    writer_ = next;
    nState = 7;
    if (r != 0) {
      slot.status = r;
      ended_ = true;
    }
    SetEvent(g_nextImage);
  }

  void Finish() {
    if (nState == 7) {
      endRefused_ =
          CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &g_twain.pending) != 0;
      nState = 6;
    }
    ResetPendingTransfers(endRefused_);
  }

  TWAcquireCallback fn_;
  uint32_t wanted_;
  uint32_t memLength_;
  uint32_t capacity_ = 0;
  std::vector<ReadBufferRec> ring_;
  uint32_t writer_ = 0;
  uint32_t consumer_ = 0;
  bool ended_ = false;
  bool endRefused_ = false;
  uint32_t paddedRow_ = 0;  // the source's BytesPerRow once it pads its rows
  StripBlock scratch_;
};

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
  if (g_batchMode && !g_bufferBlock) {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    uint64_t avail = GlobalMemoryStatusEx(&m) ? m.ullAvailPhys : 0;
    // Without the buffer there is no read-ahead: strip by strip instead.
    if (!AllocateBuffer(BatchBufferSize(avail))) g_batchMode = false;
  }
}

void ReleaseBatchReading() {
  if (g_bufferBlock) {
    GlobalUnlock(g_bufferBlock);
    GlobalFree(g_bufferBlock);
  }
  g_bufferBlock = nullptr;
  g_buffer = nullptr;
  g_bufferSize = 0;
}

bool BatchModeActive() { return g_batchMode && g_buffer; }
uint32_t BatchBufferBytes() { return g_bufferSize; }

int32_t DoMemTransfer(TWAcquireCallback fn, void* data) {
  if (!BatchModeActive()) return DoStripTransfer(fn, data);
  EngineLogIn("DoMemTransfer", nState);
  if (nState != 6 && nState != 7) {
    EngineLogOut("DoMemTransfer", -3);
    return -3;
  }
  g_twain.pending = {};
  uint32_t maxSize = 0;
  int32_t code = TWAINImageInfo(&g_twain.imageInfo, &maxSize);
  if (code != 0) {
    EngineLogOut("DoMemTransfer", code);
    return code;
  }
  const TWImageInfoRec& info = g_twain.imageInfo;
  const uint64_t bytes = ImageBytes(info.ImageWidth, info.BitsPerPixel, info.ImageLength);
  if (bytes == 0 || bytes > 0x7FFFFFFF) {
    // The size is not known up front: the ring cannot be laid out.
    return DoStripTransfer(fn, data);
  }
  uint32_t wanted = 0;
  code = fn(&g_twain.imageInfo, &wanted, 2);
  if (code != 0) {
    EngineLogOut("DoMemTransfer", code);
    return code;
  }
  uint32_t slots = RingSlots(g_bufferSize, bytes);
  if (g_bufferSize / bytes < 2 && !AllocateBuffer(static_cast<uint32_t>(bytes * 2))) {
    g_batchMode = false;
    EngineLogOut("DoMemTransfer", -9);
    return -9;
  }
  SetEvent(g_readStart);
  BatchRun run(fn, wanted, MemoryLength(wanted, info.Preferred, maxSize),
               static_cast<uint32_t>(bytes), slots);
  code = run.Run();
  ResetEvent(g_readStart);
  EngineLogOut("DoMemTransfer", code);
  return code;
}
