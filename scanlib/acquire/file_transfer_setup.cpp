#include "file_transfer_setup.h"

#include "status_codes.h"

// The plug-in host's file exports are not part of the library yet: no plug-in can write pages.
int32_t PrepareFileTransfer() { return kZebNotBound; }
