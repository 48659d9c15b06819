// A folder of its own for one test case in the temporary folder: the libraries the case needs
// are copied into it and found there (the DLL search folder), while the case runs in its empty
// work folder, so nothing is found by accident beside the program or in the current folder.
#pragma once
#include <string>

class CaseFolder {
 public:
  // Makes "<temp><name>\" and its "work\" afresh and moves into them.
  void OpenCaseFolder(const std::string& name);
  // Back to the folder the case started in, the DLL search folder reset, the case folder gone.
  void CloseCaseFolder();

  std::string caseFolder;  // ends with a backslash
  std::string workFolder;  // the current folder during the case: holds none of the libraries
  std::string binFolder;   // the build's bin folder, the one above this program's own

 private:
  std::string savedCurrent_;
};
