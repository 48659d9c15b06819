// The simulated TWAIN source: its own states 4 to 7, capabilities, events and transfers.
#pragma once
#include <windows.h>

#include <memory>

#include "ds_caps.h"
#include "ds_config.h"
#include "twain_types.h"

class DsSource {
 public:
  static void Identity(TW_IDENTITY* out);

  TW_UINT16 Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

 private:
  TW_UINT16 Control(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  TW_UINT16 Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  TW_UINT16 Open(TW_IDENTITY* id);
  TW_UINT16 UserInterface(TW_UINT16 msg, TW_USERINTERFACE* ui);
  TW_UINT16 Event(TW_EVENT* e);
  TW_UINT16 Pending(TW_UINT16 msg, TW_PENDINGXFERS* p);
  TW_UINT16 ImageInfo(TW_IMAGEINFO* info);
  TW_UINT16 MemXfer(TW_IMAGEMEMXFER* m);
  TW_UINT16 NativeXfer(TW_MEMREF data);
  TW_UINT16 FileXfer();

  TW_UINT16 Fail(TW_UINT16 cc);
  // A MSG_SET whose capability and value the settings file refuses.
  bool RefusedValue(const TW_CAPABILITY& cap) const;
  // Whether a bit depth set is the one the current pixel type has.
  bool DepthOfPixelType(const TW_CAPABILITY& cap) const;
  // A scripted failure of this request for the current page.
  bool ScriptedFailure(const char* request);
  // Prepares the next page of the scan; false with the code to answer when it cannot come.
  bool NextPage(TW_UINT16* rc);
  zebsim::PageFormat Format();
  void Raise(TW_UINT16 message);
  void EndOfScan();

  int state_ = 3;
  DsConfig config_;
  DsCapabilities caps_;
  std::unique_ptr<zebsim::SimFeeder> feeder_;
  std::unique_ptr<zebsim::SimFeeder> glass_;  // one page per scan when the feeder is disabled
  bool GlassInUse() const;
  zebsim::SimFeeder& Active();
  TW_UINT16 condition_ = TWCC_SUCCESS;
  TW_UINT16 event_ = MSG_NULL;
  HWND parent_ = nullptr;
  bool showUI_ = false;
  int scansLeft_ = 1;
  // The page of the transfer in progress.
  bool pageReady_ = false;
  int pageNumber_ = 0;
  zebsim::FeedResult feed_{};
  int rowsSent_ = 0;
  bool interrupted_ = false;  // the page's transfer failed: its sheet stays in the feeder
  int stripsSent_ = 0;
  bool failureUsed_ = false;
  std::string fileName_ = "TWAIN.BMP";
};
