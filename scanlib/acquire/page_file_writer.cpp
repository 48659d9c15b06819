#include "page_file_writer.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "acquisition_state.h"
#include "driver_flags.h"
#include "page_assembly.h"
#include "page_callback.h"
#include "page_file_name.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

PageFileOps gOps{};

struct FileProgress {
  bool pageOpen = false;        // a page begun and not yet closed
  // A page of a multipage file is held here until its last row, so that a page failing midway
  // never becomes part of the document; `created` once the plug-in has it.
  bool held = false;
  bool created = false;
  std::vector<uint8_t> rows;
  bool fileOpen = false;        // the plug-in holds a file open for further pages
  int32_t pagesInFile = 0;      // completed pages in the open file
  char lastFile[kPageFileNameSize] = {};  // the last completed page file still on disk
};
FileProgress gFiles;

// A plug-in's refusal to create, write or close a page file, kept for the acquisition's result.
int32_t WriteFailed(int32_t rc) {
  if (rc < 0) gAcq.writeFailure = rc;
  return rc;
}

int32_t ImageRows() { return gAcq.page.ImageLength > 0 ? gAcq.page.ImageLength : 0; }

int32_t Close(int32_t keepOpen) { return gOps.Close != nullptr ? gOps.Close(keepOpen) : kZebNotBound; }

int32_t SaveRows(const uint8_t* rows, uint32_t count, int32_t received) {
  if (gOps.Save == nullptr) return kZebNotBound;
  if (gFiles.held && !gFiles.created) {
    gFiles.rows.insert(gFiles.rows.end(), rows, rows + size_t(count) * gAcq.rowLength);
    return 0;
  }
  return gOps.Save(rows, static_cast<int32_t>(gAcq.rowLength), static_cast<int32_t>(count), received, 0);
}

// White rows until the page holds the rows it announced, at least one row per write.
int32_t PadPageWhite(uint32_t blockBytes) {
  ShortPagePadding pad(gAcq.rowsWritten, static_cast<uint32_t>(ImageRows()), gAcq.rowLength, blockBytes);
  if (pad.RowsPerCall() == 0) return 0;
  std::vector<uint8_t> white(pad.BufferBytes(), 0xFF);
  for (uint32_t rows; (rows = pad.Next()) != 0;) {
    const int32_t rc = SaveRows(white.data(), rows, 0);
    if (rc < 0) return rc;
    gAcq.rowsWritten += rows;
  }
  return 0;
}

void RememberCompletedFile() { std::memcpy(gFiles.lastFile, gAcq.fileName, kPageFileNameSize); }

// The held page goes to the plug-in once its last row has arrived.
int32_t CreateHeldPage() {
  if (!gFiles.held || gFiles.created) return 0;
  if (gOps.Create == nullptr) return kZebNotBound;
  int32_t rc = gOps.Create(gAcq.fileName, &gAcq.page, 0);
  if (rc != 0) return rc;
  gFiles.created = gFiles.fileOpen = true;
  const uint32_t rows = gAcq.rowLength ? static_cast<uint32_t>(gFiles.rows.size() / gAcq.rowLength) : 0;
  if (rows > 0) rc = gOps.Save(gFiles.rows.data(), static_cast<int32_t>(gAcq.rowLength),
                               static_cast<int32_t>(rows), 1, 0);
  std::vector<uint8_t>().swap(gFiles.rows);
  return rc;
}

void ForgetPage() {
  gFiles.pageOpen = false;
  gFiles.held = gFiles.created = false;
  std::vector<uint8_t>().swap(gFiles.rows);
}

// A page that failed. A held page never reached the plug-in: the file ends with the pages
// completed before it. A page the plug-in had: a file holding no completed page is deleted;
// one that holds earlier pages keeps them, the failed page finished white so it stays readable.
void AbandonPage() {
  const bool keepFile = gFiles.fileOpen && gFiles.pagesInFile > 0;
  const bool reachedPlugin = !gFiles.held || gFiles.created;
  if (reachedPlugin) {
    if (keepFile) PadPageWhite(gAcq.bufferBytes);
    Close(0);
  } else if (gFiles.fileOpen) {
    Close(0);
  }
  ForgetPage();
  gFiles.fileOpen = false;
  gFiles.pagesInFile = 0;
  if (!keepFile && reachedPlugin) {
    DeleteFileA(gAcq.fileName);
    if (std::strcmp(gFiles.lastFile, gAcq.fileName) == 0) gFiles.lastFile[0] = '\0';
  }
}

int32_t ClosePage(uint32_t* size) {
  const int32_t multiPage = CurrentInt(kRowMultiPage);
  ForgetPage();
  if (multiPage == 1 || multiPage == 2) {
    const int32_t keep =
        multiPage == 1 ? 1 : (CurrentInt(kRowFeederType) == 1 && gAcq.pageCounter % 2 == 1 ? 1 : 0);
    const int32_t rc = WriteFailed(Close(keep));
    // A refused close ends the file: the plug-in keeps what it completed, or nothing.
    gFiles.fileOpen = keep == 1 && rc >= 0;
    gFiles.pagesInFile = gFiles.fileOpen ? gFiles.pagesInFile + 1 : 0;
    if (rc >= 0) RememberCompletedFile();
    return rc;
  }
  const int32_t rc = WriteFailed(Close(0));
  gFiles.fileOpen = false;
  gFiles.pagesInFile = 0;
  if (rc < 0) {
    DeleteFileA(gAcq.fileName);
    return rc;
  }
  RememberCompletedFile();
  const int32_t answer = TellApplication(gAcq.fileName, size, 1);
  if (answer < 0) {
    // The application refused this page: its file goes, and the scan stops.
    DeleteFileA(gAcq.fileName);
    gFiles.lastFile[0] = '\0';
  }
  return answer;
}

}  // namespace

void SetPageFileOps(const PageFileOps& ops) { gOps = ops; }

void ResetPageFiles() { gFiles = FileProgress{}; }

bool PageFileNamesFit() {
  PageFileNaming naming{CurrentInt(kRowMultiPage), CurrentInt(kRowFeederType), true};
  char name[kPageFileNameSize];
  // Numbering adds the same number of characters to every page: the first page tells.
  return BuildPageFileName(CurrentText(kRowFileName), 1, naming, name, sizeof name);
}

int32_t BeginPageFile() {
  const PageFileNaming naming{CurrentInt(kRowMultiPage), CurrentInt(kRowFeederType), FeederInUse == 1};
  if (!BuildPageFileName(CurrentText(kRowFileName), gAcq.pageCounter, naming, gAcq.fileName,
                         sizeof gAcq.fileName))
    return kZebValueRefused;
  gAcq.page.Compression = static_cast<int16_t>(CurrentInt(kRowCompression));
  gAcq.rowsWritten = 0;
  gAcq.fileRows.Reset(gAcq.rowLength);
  if (gOps.Create == nullptr) return kZebNotBound;
  const int32_t multiPage = CurrentInt(kRowMultiPage);
  ForgetPage();
  if (multiPage == 1 || multiPage == 2) {
    gFiles.held = gFiles.pageOpen = true;
    return 0;
  }
  const int32_t rc = WriteFailed(gOps.Create(gAcq.fileName, &gAcq.page, 0));
  if (rc == 0) gFiles.pageOpen = gFiles.fileOpen = gFiles.created = true;
  return rc;
}

int32_t WritePageFileBlock(uint32_t* size, int32_t code) {
  if (!gFiles.pageOpen) {
    if (code < 0) return 0;
    return gAcq.pageStatus != 0 ? gAcq.pageStatus : kZebWrongState;
  }
  if (code < 0) {
    AbandonPage();
    return 0;  // the driver's own result ends the scan
  }
  int32_t result = 0;
  const uint32_t rows = static_cast<uint32_t>(ImageRows());
  gAcq.fileRows.Feed(static_cast<const uint8_t*>(gAcq.current), *size,
                     [&](const uint8_t* first, uint32_t count) {
                       // Rows past the announced length would make the file disagree with it.
                       const uint32_t room = rows - std::min(gAcq.rowsWritten, rows);
                       const uint32_t n = std::min(count, room);
                       if (result < 0 || n == 0) return;
                       result = SaveRows(first, n, 1);
                       if (result >= 0) gAcq.rowsWritten += n;
                     });
  if (result < 0) {
    AbandonPage();
    return WriteFailed(result);
  }
  if (!EndsPage(code) || result != 0) return result;
  const int32_t created = CreateHeldPage();
  if (created < 0) {
    AbandonPage();
    return WriteFailed(created);
  }
  // Rows the driver never sent are written white, whichever end code it gave.
  const int32_t padded = PadPageWhite(*size);
  if (padded < 0) {
    AbandonPage();
    return WriteFailed(padded);
  }
  return ClosePage(size);
}

int32_t TellDriverWrittenFile(void* templateName, uint32_t* size) {
  const char* name = static_cast<const char*>(templateName);
  if (name == nullptr) return TellApplication(templateName, size, 1);
  // The engine names the file by what the source says of duplex and feeder, which the tags
  // normally agree with; when they do not, the form that exists on disk is the one written.
  const bool forms[4][2] = {
      {CurrentInt(kRowFeederType) == 1, FeederInUse == 1}, {true, true}, {false, true}, {false, false}};
  char expected[kPageFileNameSize] = {};
  for (const auto& form : forms) {
    char candidate[kPageFileNameSize];
    if (!EngineFileName(name, *size, gAcq.pageCounter, form[0], form[1], candidate, sizeof candidate))
      continue;
    if (GetFileAttributesA(candidate) != INVALID_FILE_ATTRIBUTES)
      return TellApplication(candidate, size, 1);
    if (expected[0] == '\0') std::memcpy(expected, candidate, sizeof expected);
  }
  return TellApplication(expected[0] != '\0' ? expected : templateName, size, 1);
}

void FinishPageFiles() {
  if (gFiles.pageOpen) AbandonPage();
  else if (gFiles.fileOpen) Close(0);
  gFiles.fileOpen = false;
  // Only a file that is there: a document the plug-in could not keep is never named.
  if (gFiles.lastFile[0] != '\0' && GetFileAttributesA(gFiles.lastFile) != INVALID_FILE_ATTRIBUTES) {
    uint32_t none = 0;
    TellApplication(gFiles.lastFile, &none, 1);
  }
  if (char* target = CurrentText(kRowFileName)) target[0] = '\0';
}
