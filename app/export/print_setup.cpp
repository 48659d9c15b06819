// "Print Setup": the printer the operator chooses is the one "Print" prints on, until another is
// chosen; the dialog opens on it.
#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "message_dialogs.h"
#include "qm_printer.h"
#include "tarnwick_form.h"

namespace tarnwick {

namespace {

// The printer's name as the printer takes it (the system's ANSI code page, as CreateDCA reads it).
std::string AnsiName(const std::wstring& name) {
  const int bytes = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string out(size_t(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, &out[0], bytes, nullptr, nullptr);
  out.resize(size_t(bytes) - 1);
  return out;
}

std::wstring WideName(const std::string& name) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
  if (chars <= 1) return std::wstring();
  std::wstring out(size_t(chars), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, &out[0], chars);
  out.resize(size_t(chars) - 1);
  return out;
}

// A DEVNAMES block naming the printer (driver and port left for the dialog to find).
HGLOBAL DevNamesOf(const std::wstring& device) {
  const size_t chars = sizeof(DEVNAMES) / sizeof(wchar_t) + 1 + device.size() + 1 + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, chars * sizeof(wchar_t));
  if (!block) return nullptr;
  auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
  auto* text = reinterpret_cast<wchar_t*>(names);
  const WORD first = WORD(sizeof(DEVNAMES) / sizeof(wchar_t));
  names->wDriverOffset = first;  // empty
  names->wDeviceOffset = WORD(first + 1);
  std::memcpy(text + names->wDeviceOffset, device.c_str(), (device.size() + 1) * sizeof(wchar_t));
  names->wOutputOffset = WORD(names->wDeviceOffset + device.size() + 1);  // empty
  GlobalUnlock(block);
  return block;
}

std::wstring DeviceOf(HGLOBAL devNames) {
  if (!devNames) return std::wstring();
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
  if (!names) return std::wstring();
  std::wstring device = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
  GlobalUnlock(devNames);
  return device;
}

}  // namespace

void TTarnwickForm::PrintSetup1Click() {
  qm::TQmPrinter& printer = qm::Printer();
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = handle_;
  dialog.Flags = PD_PRINTSETUP;
  const std::wstring current = WideName(printer.PrinterName());
  if (!current.empty()) dialog.hDevNames = DevNamesOf(current);
  std::wstring chosen;
  if (PrintDlgW(&dialog)) chosen = DeviceOf(dialog.hDevNames);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  if (chosen.empty()) return;
  try {
    printer.SetPrinterName(AnsiName(chosen));
  } catch (const std::exception&) {
    ErrorDialog(handle_, 1028);
  }
}

}  // namespace tarnwick
