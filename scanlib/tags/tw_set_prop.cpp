// Driver kind 1: the push of a scan's tag values to the TWAIN source.
#include "tw_tags.h"

int32_t TWAINSetProp() { return 0; }
