// The operator's scan and save options, kept from one run to the next in section "Settings" of
// the settings file "TarnwickForm.ini", with the name of the user who wrote it last.
#pragma once
#include <cstdint>
#include <string>

#include "edition.h"
#include "ini_file.h"

namespace tarnwick {

struct TarnwickSettings {
  int32_t imageType = 0;    // 0 black-and-white, 1 gray, 2 colour
  int32_t size = 1;         // paper size index 0..7
  int32_t resolution = 2;   // index 0..11 into kResolutionsDpi
  int32_t scanMethod = 0;   // 0 document feeder, 1 flatbed
  int32_t brightness = 0;
  int32_t contrast = 0;
  int32_t threshold = 0;
  bool duplex = false;
  bool autoCrop = false;
  bool showUI = false;
  bool pdf = false;
  int32_t filter = 3;       // colour drop-out: 0 none, 1 red, 2 green, 3 blue
  bool invert = false;
  bool thumnailShow = false;  // set: the thumbnail strip is hidden during scans
  bool dontSaveImage = false;
  bool fitToPage = false;
  std::string path = "c:\\temp";  // batch root folder
  int32_t saveFormat = 6;   // index 0..11 into the save-format list
  int32_t jpegSmooth = 25;
  int32_t jpegQualty = 25;
  int32_t png = 10;
  int32_t compress = 0;
  bool funcbtn = false;
};

constexpr int32_t kResolutionsDpi[12] = {100, 150, 200, 250, 300, 350, 400, 450, 500, 600, 1200, 2400};
constexpr int32_t kPaperSizeCount = 8;
constexpr int32_t kSaveFormatCount = 12;

extern const char* const kSettingsSection;  // "Settings"
extern const char* const kNameSection;      // "Name"
extern const char* const kUserNameKey;      // "UserName"

// The defaults of an edition: the second edition's "Size" and "Png" are 0.
TarnwickSettings DefaultSettings(Edition edition);

// Every key with its edition's default when missing; values used as table indexes load as their key's
// default when out of range; an empty "Path" becomes "c:\temp".
TarnwickSettings LoadSettings(IniFile& ini, Edition edition = kBuiltEdition);
// Every key in the file's order, then the user name.
void SaveSettings(IniFile& ini, const TarnwickSettings& settings, const std::string& userName);

}  // namespace tarnwick
