#include "case_folder.h"

#include <windows.h>

#include "test_files.h"

void CaseFolder::OpenCaseFolder(const std::string& name) {
  binFolder = FolderAboveThisProgram();
  caseFolder = FreshTempFolder(name);
  workFolder = caseFolder + "work\\";
  CreateDirectoryA(workFolder.c_str(), nullptr);
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  savedCurrent_ = current;
  SetCurrentDirectoryA(workFolder.c_str());
  SetDllDirectoryA(caseFolder.c_str());
}

void CaseFolder::CloseCaseFolder() {
  SetDllDirectoryA(nullptr);
  if (!savedCurrent_.empty()) SetCurrentDirectoryA(savedCurrent_.c_str());
  if (!caseFolder.empty()) DeleteFolder(caseFolder);
}
