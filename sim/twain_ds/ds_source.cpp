#include "ds_source.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ds_image.h"

namespace {

constexpr uint32_t kPreferredBuffer = 64 * 1024;
constexpr uint32_t kMaxBuffer = 1024 * 1024;

}  // namespace

void DsSource::Identity(TW_IDENTITY* out) {
  TW_UINT32 id = out->Id;
  *out = {};
  out->Id = id;
  out->Version.MajorNum = 1;
  out->Version.MinorNum = 0;
  out->Version.Language = 37;
  out->Version.Country = TWCY_USA;
  lstrcpynA(out->Version.Info, "1.0", sizeof out->Version.Info);
  out->ProtocolMajor = 1;
  out->ProtocolMinor = 9;
  out->SupportedGroups = DG_CONTROL | DG_IMAGE;
  lstrcpynA(out->Manufacturer, "Quandrix", sizeof out->Manufacturer);
  lstrcpynA(out->ProductFamily, "Simulated scanners", sizeof out->ProductFamily);
  lstrcpynA(out->ProductName, "Quandrix Sim TWAIN", sizeof out->ProductName);
}

bool DsSource::GlassInUse() const {
  return config_.sim.flatbed || caps_.Current(CAP_FEEDERENABLED) == 0;
}

zebsim::SimFeeder& DsSource::Active() { return GlassInUse() ? *glass_ : *feeder_; }

TW_UINT16 DsSource::Fail(TW_UINT16 cc) {
  condition_ = cc;
  return TWRC_FAILURE;
}

TW_UINT16 DsSource::Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                          TW_MEMREF data) {
  if (dat == DAT_STATUS) {
    if (!data) return Fail(TWCC_BADVALUE);
    static_cast<TW_STATUS*>(data)->ConditionCode = condition_;
    static_cast<TW_STATUS*>(data)->Reserved = 0;
    condition_ = TWCC_SUCCESS;
    return TWRC_SUCCESS;
  }
  if (dat == DAT_IDENTITY) {
    if (!data) return Fail(TWCC_BADVALUE);
    switch (msg) {
      case MSG_GET: Identity(static_cast<TW_IDENTITY*>(data)); return TWRC_SUCCESS;
      case MSG_OPENDS: return Open(static_cast<TW_IDENTITY*>(data));
      case MSG_CLOSEDS:
        // Closing is taken in any open state: a transfer in progress is dropped, its sheet
        // staying in the feeder.
        if (state_ < 4) return Fail(TWCC_SEQERROR);
        state_ = 3;
        pageReady_ = false;
        event_ = MSG_NULL;
        return TWRC_SUCCESS;
      default: return Fail(TWCC_BADPROTOCOL);
    }
  }
  if (state_ < 4) return Fail(TWCC_SEQERROR);
  if (dat != DAT_EVENT && !data && dat != DAT_IMAGEFILEXFER) return Fail(TWCC_BADVALUE);
  condition_ = TWCC_SUCCESS;
  return dg == DG_IMAGE ? Image(dat, msg, data) : Control(dat, msg, data);
}

TW_UINT16 DsSource::Open(TW_IDENTITY* id) {
  if (state_ != 3) return Fail(TWCC_SEQERROR);
  config_ = LoadDsConfig();
  caps_ = DsCapabilities();
  if (config_.resolution > 0)
    for (uint16_t id : {ICAP_XRESOLUTION, ICAP_YRESOLUTION}) {
      DsCap* c = caps_.Find(id);
      for (size_t i = 0; i < c->items.size(); ++i)
        if (Fix32Value(c->items[i]) == config_.resolution) c->current = c->defaultValue = static_cast<uint32_t>(i);
    }
  if (!config_.productName.empty()) caps_.Find(0x1213)->strings = {config_.productName};
  if (!config_.lightPaths.empty())
    caps_.Find(ICAP_LIGHTPATH)->items.assign(config_.lightPaths.begin(), config_.lightPaths.end());
  caps_.SetCurrentValue(CAP_FEEDERENABLED, config_.sim.flatbed ? 0 : 1);
  caps_.SetCurrentValue(CAP_FEEDERLOADED, config_.sim.flatbed ? 0 : 1);
  caps_.SetCurrentValue(CAP_DUPLEXENABLED, config_.sim.duplex ? 1 : 0);
  if (config_.sim.flatbed) caps_.SetSettable(CAP_FEEDERENABLED, false);
  if (config_.pixelUnits) {
    DsCap* units = caps_.Find(ICAP_UNITS);
    for (size_t i = 0; i < units->items.size(); ++i)
      if (units->items[i] == TWUN_PIXELS) units->current = units->defaultValue = static_cast<uint32_t>(i);
  }
  feeder_ = std::make_unique<zebsim::SimFeeder>(config_.sim);
  zebsim::SimConfig glass = config_.sim;
  glass.flatbed = true;
  glass_ = std::make_unique<zebsim::SimFeeder>(glass);
  failureUsed_ = false;
  Identity(id);
  state_ = 4;
  return TWRC_SUCCESS;
}

bool DsSource::DepthOfPixelType(const TW_CAPABILITY& cap) const {
  if (!cap.hContainer || GlobalSize(cap.hContainer) < 4) return false;
  uint16_t depth = 0;
  std::memcpy(&depth, static_cast<const uint8_t*>(GlobalLock(cap.hContainer)) + 2, 2);
  GlobalUnlock(cap.hContainer);
  const uint32_t pt = caps_.Current(ICAP_PIXELTYPE);
  return depth == (pt == TWPT_BW ? 1 : pt == TWPT_GRAY ? 8 : 24);
}

bool DsSource::RefusedValue(const TW_CAPABILITY& cap) const {
  if (cap.ConType != TWON_ONEVALUE || !cap.hContainer || GlobalSize(cap.hContainer) < 4) return false;
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(cap.hContainer));
  uint16_t type;
  std::memcpy(&type, p, 2);
  uint32_t value = 0;
  const size_t bytes = type == TWTY_INT8 || type == TWTY_UINT8 ? 1
                       : type == TWTY_INT32 || type == TWTY_UINT32 || type == TWTY_FIX32 ? 4 : 2;
  std::memcpy(&value, p + 2, std::min(bytes, static_cast<size_t>(GlobalSize(cap.hContainer)) - 2));
  GlobalUnlock(cap.hContainer);
  for (const auto& r : config_.refuseValue)
    if (r.first == cap.Cap && r.second == value) return true;
  return false;
}

TW_UINT16 DsSource::Control(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  switch (dat) {
    case DAT_CAPABILITY: {
      TW_CAPABILITY* cap = static_cast<TW_CAPABILITY*>(data);
      if (std::count(config_.unsupported.begin(), config_.unsupported.end(), cap->Cap))
        return Fail(TWCC_CAPUNSUPPORTED);
      if (msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT) {
        // The paper sensor sees what the feeder holds now.
        if (cap->Cap == CAP_FEEDERLOADED)
          caps_.SetCurrentValue(CAP_FEEDERLOADED,
                                !config_.sim.flatbed && feeder_->PaperPresent() ? 1 : 0);
        // A source whose depths follow the pixel type lists the current one's depth alone.
        const bool alone =
            std::count(config_.oneValue.begin(), config_.oneValue.end(), cap->Cap) != 0 ||
            (config_.depthsOfPixelType && cap->Cap == ICAP_BITDEPTH);
        if (!caps_.Container(cap->Cap, alone ? MSG_GETCURRENT : msg, cap))
          return Fail(TWCC_CAPUNSUPPORTED);
        return TWRC_SUCCESS;
      }
      if (msg == MSG_SET) {
        if (state_ != 4) return Fail(TWCC_SEQERROR);
        if (std::count(config_.refuse.begin(), config_.refuse.end(), cap->Cap) ||
            RefusedValue(*cap))
          return Fail(config_.refuseCondition);
        if (config_.pixelUnits && caps_.Current(ICAP_UNITS) == TWUN_PIXELS &&
            (cap->Cap == ICAP_XRESOLUTION || cap->Cap == ICAP_YRESOLUTION))
          return Fail(TWCC_CAPSEQERROR);
        if (config_.depthsOfPixelType && cap->Cap == ICAP_BITDEPTH && !DepthOfPixelType(*cap))
          return Fail(TWCC_BADVALUE);
        uint16_t cc = TWCC_SUCCESS;
        TW_UINT16 rc = caps_.Set(*cap, &cc);
        if (rc == TWRC_FAILURE) return Fail(cc);
        if (std::count(config_.adjust.begin(), config_.adjust.end(), cap->Cap))
          return TWRC_CHECKSTATUS;
        return rc;
      }
      if (msg == MSG_RESET) {
        caps_.Reset(cap->Cap);
        return caps_.Container(cap->Cap, MSG_GET, cap) ? TWRC_SUCCESS : Fail(TWCC_CAPUNSUPPORTED);
      }
      return Fail(TWCC_CAPBADOPERATION);
    }
    case DAT_USERINTERFACE: return UserInterface(msg, static_cast<TW_USERINTERFACE*>(data));
    case DAT_EVENT: return Event(static_cast<TW_EVENT*>(data));
    case DAT_PENDINGXFERS: return Pending(msg, static_cast<TW_PENDINGXFERS*>(data));
    case DAT_SETUPMEMXFER: {
      if (state_ < 4) return Fail(TWCC_SEQERROR);
      if (ScriptedFailure("setupmem")) return TWRC_FAILURE;
      zebsim::PageGeometry g = zebsim::GeometryOf(Format());
      TW_SETUPMEMXFER* s = static_cast<TW_SETUPMEMXFER*>(data);
      s->MinBufSize = std::max(static_cast<TW_UINT32>(g.bytesPerRow), config_.minBufSize);
      s->MaxBufSize = kMaxBuffer;
      s->Preferred = kPreferredBuffer;
      return TWRC_SUCCESS;
    }
    case DAT_SETUPFILEXFER: {
      TW_SETUPFILEXFER* s = static_cast<TW_SETUPFILEXFER*>(data);
      if (msg == MSG_SET) {
        if (state_ != 4 && state_ != 6) return Fail(TWCC_SEQERROR);
        if (ScriptedFailure("setupfile")) return TWRC_FAILURE;
        if (s->Format != TWFF_BMP) return Fail(TWCC_BADVALUE);
        fileName_.assign(s->FileName, strnlen(s->FileName, sizeof s->FileName));
        return TWRC_SUCCESS;
      }
      lstrcpynA(s->FileName, fileName_.c_str(), sizeof s->FileName);
      s->Format = TWFF_BMP;
      s->VRefNum = 0;
      return TWRC_SUCCESS;
    }
    default: return Fail(TWCC_BADPROTOCOL);
  }
}

TW_UINT16 DsSource::Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  switch (dat) {
    case DAT_IMAGEINFO: return ImageInfo(static_cast<TW_IMAGEINFO*>(data));
    case DAT_IMAGEMEMXFER: return MemXfer(static_cast<TW_IMAGEMEMXFER*>(data));
    case DAT_IMAGENATIVEXFER: return NativeXfer(data);
    case DAT_IMAGEFILEXFER: return FileXfer();
    case DAT_IMAGELAYOUT: {
      TW_IMAGELAYOUT* l = static_cast<TW_IMAGELAYOUT*>(data);
      if (msg == MSG_SET) return TWRC_SUCCESS;
      *l = {};
      l->DocumentNumber = l->PageNumber = static_cast<TW_UINT32>(std::max(pageNumber_, 1));
      l->FrameNumber = 1;
      return TWRC_SUCCESS;
    }
    default: return Fail(TWCC_BADPROTOCOL);
  }
}

void DsSource::Raise(TW_UINT16 message) {
  event_ = message;
  // Wake the application's message loop; the event itself goes out through DAT_EVENT.
  if (IsWindow(parent_))
    PostMessageA(parent_, WM_NULL, 0, 0);
  else
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

TW_UINT16 DsSource::UserInterface(TW_UINT16 msg, TW_USERINTERFACE* ui) {
  switch (msg) {
    case MSG_ENABLEDS:
    case MSG_ENABLEDSUIONLY:
      if (state_ != 4) return Fail(TWCC_SEQERROR);
      if (ScriptedFailure("enable")) return TWRC_FAILURE;
      parent_ = static_cast<HWND>(ui->hParent);
      showUI_ = ui->ShowUI != 0;
      state_ = 5;
      scansLeft_ = std::max(config_.scans, 1);
      if (msg == MSG_ENABLEDSUIONLY) {
        Raise(MSG_CLOSEDSOK);  // the operator confirmed the settings at once
      } else {
        Active().BeginScan();
        Raise(MSG_XFERREADY);
      }
      return TWRC_SUCCESS;
    case MSG_DISABLEDS:
      if (state_ != 5) return Fail(TWCC_SEQERROR);
      state_ = 4;
      event_ = MSG_NULL;
      return TWRC_SUCCESS;
    default: return Fail(TWCC_BADPROTOCOL);
  }
}

TW_UINT16 DsSource::Event(TW_EVENT* e) {
  if (!e) return TWRC_NOTDSEVENT;
  e->TWMessage = MSG_NULL;
  if (event_ == MSG_NULL || state_ < 5) return TWRC_NOTDSEVENT;
  e->TWMessage = event_;
  if (event_ == MSG_XFERREADY) {
    state_ = 6;
    pageReady_ = false;
  }
  event_ = MSG_NULL;
  return TWRC_DSEVENT;
}

zebsim::PageFormat DsSource::Format() {
  zebsim::PageFormat f;
  uint32_t pt = caps_.Current(ICAP_PIXELTYPE);
  f.kind = pt == TWPT_BW ? zebsim::PixelKind::BlackWhite
           : pt == TWPT_RGB ? zebsim::PixelKind::Color
                            : zebsim::PixelKind::Gray;
  f.xResolution = static_cast<int>(Fix32Value(caps_.Current(ICAP_XRESOLUTION)));
  f.yResolution = static_cast<int>(Fix32Value(caps_.Current(ICAP_YRESOLUTION)));
  uint32_t size = caps_.Current(ICAP_SUPPORTEDSIZES);
  f.paper = size == TWSS_A4LETTER ? zebsim::Paper::A4
            : size == TWSS_USLEGAL ? zebsim::Paper::Legal
                                   : zebsim::Paper::Letter;
  return f;
}

bool DsSource::ScriptedFailure(const char* request) {
  if (failureUsed_ || config_.failAt != request) return false;
  if (config_.failPage != 0 && config_.failPage != pageNumber_) return false;
  failureUsed_ = true;
  condition_ = config_.condition;
  return true;
}

bool DsSource::NextPage(TW_UINT16* rc) {
  if (pageReady_) return true;
  feed_ = Active().NextPage();
  if (feed_.kind == zebsim::FeedResult::kEnd) {
    *rc = Fail(TWCC_SEQERROR);
    return false;
  }
  pageNumber_ = feed_.pageNumber;
  if (feed_.kind == zebsim::FeedResult::kFault && feed_.fault == zebsim::Fault::NoPaper) {
    *rc = Fail(TWCC_OPERATIONERROR);
    return false;
  }
  pageReady_ = true;
  interrupted_ = false;
  rowsSent_ = 0;
  stripsSent_ = 0;
  return true;
}

TW_UINT16 DsSource::ImageInfo(TW_IMAGEINFO* info) {
  if (state_ != 6 && state_ != 7) return Fail(TWCC_SEQERROR);
  TW_UINT16 rc;
  if (!NextPage(&rc)) return rc;
  if (ScriptedFailure("imageinfo")) return TWRC_FAILURE;
  zebsim::PageFormat f = Format();
  zebsim::PageGeometry g = zebsim::GeometryOf(f);
  *info = {};
  info->XResolution = {static_cast<TW_INT16>(f.xResolution), 0};
  info->YResolution = {static_cast<TW_INT16>(f.yResolution), 0};
  info->ImageWidth = g.width;
  info->ImageLength = g.length;
  info->SamplesPerPixel = g.bitsPerPixel == 24 ? 3 : 1;
  for (int i = 0; i < info->SamplesPerPixel; ++i) info->BitsPerSample[i] = g.bitsPerPixel == 1 ? 1 : 8;
  info->BitsPerPixel = static_cast<TW_INT16>(g.bitsPerPixel);
  info->Planar = 0;
  info->PixelType = static_cast<TW_INT16>(caps_.Current(ICAP_PIXELTYPE));
  info->Compression = TWCP_NONE;
  return TWRC_SUCCESS;
}

TW_UINT16 DsSource::MemXfer(TW_IMAGEMEMXFER* m) {
  if (state_ != 6 && state_ != 7) return Fail(TWCC_SEQERROR);
  TW_UINT16 rc;
  if (!NextPage(&rc)) return rc;
  ++stripsSent_;
  if ((config_.failStrip == 0 || config_.failStrip == stripsSent_) && ScriptedFailure("memxfer")) {
    interrupted_ = true;
    return TWRC_FAILURE;
  }
  state_ = 7;
  zebsim::PageFormat f = Format();
  zebsim::PageGeometry g = zebsim::GeometryOf(f);
  if (feed_.kind == zebsim::FeedResult::kFault && (!feed_.midPage || rowsSent_ >= g.length / 2)) {
    if (feed_.fault == zebsim::Fault::Cancel) return TWRC_CANCEL;
    return Fail(feed_.fault == zebsim::Fault::PaperJam ? TWCC_PAPERJAM : TWCC_CHECKDEVICEONLINE);
  }
  if (config_.doubleFeedPage == pageNumber_ && rowsSent_ >= g.length / 2) {
    config_.doubleFeedPage = 0;
    interrupted_ = true;
    return Fail(TWCC_PAPERDOUBLEFEED);
  }
  uint32_t rowBytes = static_cast<uint32_t>(g.bytesPerRow);
  if (config_.rowPadding > 1)
    rowBytes = (rowBytes + config_.rowPadding - 1) / config_.rowPadding * config_.rowPadding;
  if (!m->Memory.TheMem || m->Memory.Length < rowBytes || m->Memory.Length < config_.minBufSize)
    return Fail(TWCC_BADVALUE);
  int rows = static_cast<int>(m->Memory.Length / rowBytes);
  rows = std::min(rows, g.length - rowsSent_);
  if (config_.stripRows > 0) rows = std::min(rows, config_.stripRows);
  if (feed_.kind == zebsim::FeedResult::kFault || config_.doubleFeedPage == pageNumber_)
    rows = std::min(rows, std::max(g.length / 2 - rowsSent_, 1));
  uint8_t* out = static_cast<uint8_t*>(m->Memory.TheMem);
  // Each row is drawn whole; only the padding a row layout asks for is cleared.
  const uint32_t pad = rowBytes - static_cast<uint32_t>(g.bytesPerRow);
  for (int r = 0; r < rows; ++r) {
    uint8_t* row = out + size_t(r) * rowBytes;
    PageRow(f, pageNumber_, rowsSent_ + r, row);
    if (pad) std::memset(row + g.bytesPerRow, 0, pad);
  }
  m->Compression = TWCP_NONE;
  m->BytesPerRow = rowBytes;
  m->Columns = static_cast<TW_UINT32>(g.width);
  m->Rows = static_cast<TW_UINT32>(rows);
  m->XOffset = 0;
  m->YOffset = static_cast<TW_UINT32>(rowsSent_);
  m->BytesWritten = rowBytes * rows;
  rowsSent_ += rows;
  return rowsSent_ >= g.length ? TWRC_XFERDONE : TWRC_SUCCESS;
}

TW_UINT16 DsSource::NativeXfer(TW_MEMREF data) {
  if (state_ != 6) return Fail(TWCC_SEQERROR);
  TW_UINT16 rc;
  if (!NextPage(&rc)) return rc;
  if (ScriptedFailure("nativexfer")) {
    interrupted_ = true;
    return TWRC_FAILURE;
  }
  state_ = 7;
  if (feed_.kind == zebsim::FeedResult::kFault) {
    if (feed_.fault == zebsim::Fault::Cancel) return TWRC_CANCEL;
    return Fail(feed_.fault == zebsim::Fault::PaperJam ? TWCC_PAPERJAM : TWCC_CHECKDEVICEONLINE);
  }
  if (config_.doubleFeedPage == pageNumber_) {
    config_.doubleFeedPage = 0;
    interrupted_ = true;
    return Fail(TWCC_PAPERDOUBLEFEED);
  }
  HGLOBAL dib = MakePageDib(Format(), pageNumber_);
  if (!dib) return Fail(TWCC_LOWMEMORY);
  *static_cast<TW_HANDLE*>(data) = dib;
  return TWRC_XFERDONE;
}

TW_UINT16 DsSource::FileXfer() {
  if (state_ != 6) return Fail(TWCC_SEQERROR);
  TW_UINT16 rc;
  if (!NextPage(&rc)) return rc;
  if (ScriptedFailure("filexfer")) {
    interrupted_ = true;
    return TWRC_FAILURE;
  }
  state_ = 7;
  if (feed_.kind == zebsim::FeedResult::kFault) {
    if (feed_.fault == zebsim::Fault::Cancel) return TWRC_CANCEL;
    return Fail(feed_.fault == zebsim::Fault::PaperJam ? TWCC_PAPERJAM : TWCC_CHECKDEVICEONLINE);
  }
  if (config_.doubleFeedPage == pageNumber_) {
    config_.doubleFeedPage = 0;
    interrupted_ = true;
    return Fail(TWCC_PAPERDOUBLEFEED);
  }
  if (!WritePageBmp(Format(), pageNumber_, fileName_)) return Fail(TWCC_FILEWRITEERROR);
  return TWRC_XFERDONE;
}

void DsSource::EndOfScan() {
  state_ = 5;
  pageReady_ = false;
  if (!showUI_) return;
  // With its own window the source stays enabled: more scans, then the operator closes it.
  if (--scansLeft_ > 0 && Active().PaperPresent()) {
    Active().BeginScan();
    Raise(MSG_XFERREADY);
  } else {
    Raise(MSG_CLOSEDSREQ);
  }
}

TW_UINT16 DsSource::Pending(TW_UINT16 msg, TW_PENDINGXFERS* p) {
  p->Reserved = 0;
  switch (msg) {
    case MSG_ENDXFER: {
      if (state_ != 6 && state_ != 7) return Fail(TWCC_SEQERROR);
      if (ScriptedFailure("endxfer")) return TWRC_FAILURE;
      // A page whose transfer ended whole leaves the feeder; an interrupted one stays.
      if (pageReady_ && state_ == 7 && feed_.kind == zebsim::FeedResult::kPage && !interrupted_)
        Active().PageDone();
      pageReady_ = false;
      bool more = Active().PagesLeft() > 0 && !GlassInUse();
      p->Count = more ? static_cast<TW_UINT16>(Active().PagesLeft()) : 0;
      if (more) {
        state_ = 6;
      } else {
        EndOfScan();
      }
      return TWRC_SUCCESS;
    }
    case MSG_RESET:
      // After the last image the scan has already ended; a reset then changes nothing.
      if (state_ == 5) {
        p->Count = 0;
        return TWRC_SUCCESS;
      }
      if (state_ != 6) return Fail(TWCC_SEQERROR);
      if (ScriptedFailure("reset")) return TWRC_FAILURE;
      p->Count = 0;
      EndOfScan();
      return TWRC_SUCCESS;
    case MSG_GET:
      p->Count = state_ >= 6 ? static_cast<TW_UINT16>(std::max(Active().PagesLeft(), 1)) : 0;
      return TWRC_SUCCESS;
    default: return Fail(TWCC_BADPROTOCOL);
  }
}
