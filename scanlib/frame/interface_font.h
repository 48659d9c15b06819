// The font of the library's dialogs, made from the localisation file's "Font" and "FontSize"
// keys of the language section.
#pragma once
#include <windows.h>

// Deletes the current font (if any) and makes it anew for the chosen language.
void CreateInterfaceFont();
void DeleteInterfaceFont();

// The localisation file's path, as kept in LOCALIZE.
constexpr int kLocalisationPathSize = 144;
void LocalisationPath(char* dest);  // kLocalisationPathSize bytes
