// A File*.dll loaded the way the scan library loads it: by name, entry points by name.
#pragma once
#include <windows.h>

#include <string>

#include "file_plugin.h"

struct PluginDll {
  explicit PluginDll(const char* file) : module(LoadLibraryA(file)) {
    if (!module) return;
    fileCreate = Proc<FileCreateProc>("FileCreate");
    fileSave = Proc<FileSaveProc>("FileSave");
    fileClose = Proc<FileCloseProc>("FileClose");
    getFileExts = Proc<GetFileExtsProc>("GetFileExts");
    getFileExtStr = Proc<GetFileExtStrProc>("GetFileExtStr");
    getCompMode = Proc<GetCompModeProc>("GetCompMode");
    openImageFile = Proc<OpenImageFileProc>("OpenImageFile");
    getImageData = Proc<GetImageDataProc>("GetImageData");
    setPageIndex = Proc<SetPageIndexProc>("SetPageIndex");
    closeImageFile = Proc<CloseImageFileProc>("CloseImageFile");
    fileSaveAs = Proc<FileSaveAsProc>("FileSaveAs");
  }
  ~PluginDll() {
    if (module) FreeLibrary(module);
  }
  PluginDll(const PluginDll&) = delete;
  PluginDll& operator=(const PluginDll&) = delete;

  bool HasRequired() const {
    return fileCreate && fileSave && fileClose && getFileExts && getFileExtStr && getCompMode;
  }
  bool CanRead() const { return openImageFile && getImageData && setPageIndex && closeImageFile; }

  template <typename T>
  T Proc(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }

  HMODULE module;
  FileCreateProc fileCreate = nullptr;
  FileSaveProc fileSave = nullptr;
  FileCloseProc fileClose = nullptr;
  GetFileExtsProc getFileExts = nullptr;
  GetFileExtStrProc getFileExtStr = nullptr;
  GetCompModeProc getCompMode = nullptr;
  OpenImageFileProc openImageFile = nullptr;
  GetImageDataProc getImageData = nullptr;
  SetPageIndexProc setPageIndex = nullptr;
  CloseImageFileProc closeImageFile = nullptr;
  FileSaveAsProc fileSaveAs = nullptr;
};
