#include "library_state.h"

LibraryGlobals gLib;
