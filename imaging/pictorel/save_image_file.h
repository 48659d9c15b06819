// The save dispatcher the background save queue runs for every job, and the TWAIN preferences
// file. SaveImageFile raises ErrorInvalid on every failure; the handle stays with the caller.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "crde2001.h"

// File kinds: 0, 1 JPEG; 2 PNG; 3, 4 TIFF; 5 GIF; 6 TGA; 7 PCD (cannot be written); 8 PCX; 9 BMP.
// TIFF save option: 0 append a page, 1 new file, 2 insert at insertPage.
void SaveImageFile(const std::string& fileName, HGLOBAL dib, uint8_t colorOption, uint8_t fileKind,
                   uint8_t tiffCompression, uint8_t tiffSaveOption, int32_t insertPage,
                   int32_t jpegQuality, int32_t jpegSmoothing, int16_t pngInterlace, void* sender,
                   QmProgressProc progress);

// Screen depth class of a device context: 4, 8 or 24.
int ScreenBitDepth(HDC dc);
// Depth to write a format in a colour option; the automatic option measures the desktop.
int FormatBitDepth(const std::string& extension, int option);
int FormatBitDepthCanvas(const std::string& extension, int option, HDC canvas);

// "AutoRes", "XRes" and "YRes" in section "Pictorel Twain" of qmtwain.ini.
void WriteTwainIni(bool autoResolution, int xResolution, int yResolution);
// The program's file name without folder and extension, lower case.
std::string AppName();
void PictorelStartUp();  // writes qmtwain.ini once
