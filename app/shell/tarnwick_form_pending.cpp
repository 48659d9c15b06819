// Handlers of the main window whose work belongs to other parts of the program: the scanner
// binding and settings form, the scan loop and page saving, page browsing and editing, batch
// export, import and printing, and the thumbnail strip. Each is a method of TTarnwickForm that
// does nothing yet. To give one its work, move its definition (with its neighbours of the same
// kind) into a file of your own under app/, add that file to the program
// (target_sources(tarnwick_app PRIVATE ...) in your folder's CMakeLists.txt), and delete it
// here; nothing else needs to change.
#include "tarnwick_form.h"

namespace tarnwick {

// Page browsing and editing.
void TTarnwickForm::OpenBatch1Click() {}
void TTarnwickForm::Delete1Click() {}
void TTarnwickForm::LoadBatchThumbnails(int first, int last, const std::string& folder) {}
void TTarnwickForm::FirstpageClick() {}
void TTarnwickForm::PriorpageClick() {}
void TTarnwickForm::NextpageClick() {}
void TTarnwickForm::LastpageClick() {}

// View commands.
void TTarnwickForm::N901Click() {}
void TTarnwickForm::N1801Click() {}
void TTarnwickForm::N2701Click() {}
void TTarnwickForm::Scaling1Click(int command) {}
void TTarnwickForm::ibdocBestFitClick() {}
void TTarnwickForm::Invert1Click() {}
void TTarnwickForm::Mirror1Click(int command) {}
void TTarnwickForm::DesKew1Click() {}
void TTarnwickForm::ibdocPanZoomClick() {}
void TTarnwickForm::ibdocZoomInClick() {}
void TTarnwickForm::ibdocZoomOutClick() {}
void TTarnwickForm::ibdocInvertClick() {}
void TTarnwickForm::ibdocRotate90Click() {}
void TTarnwickForm::ibdocRotate180Click() {}
void TTarnwickForm::ibdocResetZoomClick() {}

// Batch export, import and printing.
void TTarnwickForm::Save1Click() {}
void TTarnwickForm::PDFFileFormat1Click() {}
void TTarnwickForm::TIFMultiPage1Click() {}
void TTarnwickForm::Print1Click() {}
void TTarnwickForm::ImportImage1Click() {}

}  // namespace tarnwick
