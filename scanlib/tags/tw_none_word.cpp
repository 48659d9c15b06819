#include "tw_none_word.h"

#include "localisation.h"
#include "settings_store.h"

std::string NoneWord() {
  // The file kept at start-up, not whatever the current folder holds now.
  char path[144] = {};
  ReadSetting(kGeneralKey, "LOCALIZE", path, kSettingString, sizeof path);
  char section[8] = {};
  GetLanguageCode(section);
  return LocalText(path[0] ? path : kLocalisationFile, section, "None", "None", 33);
}
