// What setting one tag does to the others.
#pragma once
#include <cstdint>

void PixelTypeChanged(int32_t oldType, int32_t newType);  // depth, gamma, FILEFORMAT, resets
void ScanTypeChanged();            // physical size and page-size list follow
void FileFormatChanged();          // MULTIPAGE and COMPRESSION choices follow the plug-in
void KeepAreaInside(int row);      // an area tag was set: the area stays on the page
void UnitsChanged(int32_t from, int32_t to);
void PageSizeChanged();            // the area becomes the page
void LanguageChanged();            // the dialogs' font follows the language
