#include "interface_font.h"

#include <cstdlib>
#include <string>

#include "library_state.h"
#include "localisation.h"
#include "settings_store.h"

void LocalisationPath(char* dest) {
  ReadSetting(kGeneralKey, "LOCALIZE", dest, kSettingString, kLocalisationPathSize);
}

void DeleteInterfaceFont() {
  if (gLib.font) DeleteObject(gLib.font);
  gLib.font = nullptr;
}

void CreateInterfaceFont() {
  DeleteInterfaceFont();
  char file[kLocalisationPathSize + 1] = {};
  LocalisationPath(file);
  char section[8] = {};
  GetLanguageCode(section);
  int points = std::atoi(LocalText(file, section, "FontSize", "8").c_str());
  if (points <= 0) points = 8;
  std::string face = LocalText(file, section, "Font", "Arial", 64);
  HDC dc = GetDC(gLib.ownerWindow);
  int perInch = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(gLib.ownerWindow, dc);
  int height = MulDiv(perInch, points, 72);
  // The character set of the language's own code page, so that a face the system lacks is
  // replaced by one that has the language's characters.
  const LCID language = MAKELCID(static_cast<LANGID>(std::strtol(section, nullptr, 16)), SORT_DEFAULT);
  char codePage[8] = {};
  CHARSETINFO charset{};
  BYTE set = DEFAULT_CHARSET;
  if (GetLocaleInfoA(language, LOCALE_IDEFAULTANSICODEPAGE, codePage, sizeof codePage) > 0 &&
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(std::atoi(codePage))), &charset,
                           TCI_SRCCODEPAGE))
    set = static_cast<BYTE>(charset.ciCharset);
  gLib.font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, set, 0, 0, 0, 0, face.c_str());
}
