// The loaded file-format plug-ins, in discovery order, with one current entry and the entry
// whose image file is open for reading. Library-wide, like the rest of the library's state.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "file_plugin.h"

struct PluginEntry {
  HMODULE module = nullptr;
  // Required.
  FileSaveProc FileSave = nullptr;
  GetFileExtsProc GetFileExts = nullptr;
  GetFileExtStrProc GetFileExtStr = nullptr;
  FileCreateProc FileCreate = nullptr;
  FileCloseProc FileClose = nullptr;
  GetCompModeProc GetCompMode = nullptr;
  // Optional.
  OpenImageFileProc OpenImageFile = nullptr;
  GetImageDataProc GetImageData = nullptr;
  CloseImageFileProc CloseImageFile = nullptr;
  SetPageIndexProc SetPageIndex = nullptr;
  FileSaveAsProc FileSaveAs = nullptr;
};

constexpr int32_t kNoPlugin = -1;

int32_t PluginCount();
PluginEntry* PluginAt(int32_t index);  // nullptr outside the list
void AppendPlugin(const PluginEntry& entry);
// Unloads every plug-in library and empties the list; nothing is current or reading afterwards.
void UnloadPlugins();

int32_t CurrentPluginIndex();
PluginEntry* CurrentPlugin();
void MakePluginCurrent(int32_t index);  // kNoPlugin (or any index outside the list): none

// The plug-in that opened the image being read, so reading goes on in the file it opened even
// when a save in between made another plug-in current.
PluginEntry* ReadingPlugin();  // the current plug-in when no image is open
void SetReadingPlugin(int32_t index);

// The plug-in's extension text (GetFileExtStr), always terminated.
std::string ExtensionTextOf(const PluginEntry& entry);
