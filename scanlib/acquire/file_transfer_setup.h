// ZebAcquire's preparation of a file transfer: a target name (asked for when the file-name tag
// is empty), and the file-format plug-in that writes it, or the driver when none matches.
#pragma once
#include <cstdint>

// 0 to go on; -11 when the save dialog was cancelled; another status to stop.
int32_t PrepareFileTransfer();
