// Calls a function with 32-bit arguments pushed as stdcall does and reports how many bytes of
// arguments the function took off the stack on its return (i686 builds only).
#pragma once
#include <cstdint>

extern "C" int32_t __cdecl CallCountingPops(const void* function, const uint32_t* arguments,
                                            int32_t count, int32_t* result);
