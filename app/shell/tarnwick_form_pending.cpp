// Handlers of the main window whose work belongs to other parts of the program: the scanner
// binding and settings form, the scan loop and page saving, page browsing and editing, batch
// export, import and printing, and the thumbnail strip. Each is a method of TTarnwickForm that
// does nothing yet. To give one its work, move its definition (with its neighbours of the same
// kind) into a file of your own under app/, add that file to the program
// (target_sources(tarnwick_app PRIVATE ...) in your folder's CMakeLists.txt), and delete it
// here; nothing else needs to change.
#include "tarnwick_form.h"

namespace tarnwick {


}  // namespace tarnwick
