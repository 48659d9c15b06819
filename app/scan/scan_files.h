// The scan run's files on Windows: batch folders, the document written under a temporary name,
// the driver window's settings file, and the wait for the background save queue.
#pragma once
#include <windows.h>

#include <string>

#include "batch_folder.h"
#include "document_name.h"
#include "driver_window_settings.h"

namespace qm {
class QmSaveImageThrd;
}

namespace tarnwick {

class WindowsFolderMaker : public FolderMaker {
 public:
  Result MakeFolder(const std::string& name) override;
};

// A PDF or multipage TIFF is written beside its target under DocumentTempName and moved over
// the target when the run ends, so a document chosen again never keeps its old pages.
// Removes a temporary file left by an earlier run.
void DiscardDocumentTemp(const std::string& target);
// Moves the finished document over the target. False when it could not be moved (the
// temporary file is then removed). True with nothing done when no page was written.
bool PutDocumentInPlace(const std::string& target);

// The driver window's settings (HKLM "Software\Quandrix\TWAIN", value "GUISETTING").
DriverWindowSettings ReadDriverWindowFromRegistry(int passDpi);

// Waits until the queue has written every page, at most maxMs, dispatching the window messages
// meanwhile so that the window stays painted. Answers the pages still waiting.
int WaitForSaveQueue(qm::QmSaveImageThrd& queue, DWORD maxMs);

}  // namespace tarnwick
