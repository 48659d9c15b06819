// Arithmetic of the transfers: image information, block lengths, page file names, batch sizes.
#pragma once
#include <cstdint>
#include <string>

// A TWAIN FIX32 (whole part, fraction in 1/65536) as a number truncated toward zero.
int32_t Fix32ToInt(int16_t whole, uint16_t frac);

// The least whole number of rows of rowBytes holding at least `bytes` (bytes itself when the row
// length is not known).
uint32_t WholeRowsAtLeast(uint32_t bytes, uint32_t rowBytes);

// Length of each memory block: the wanted size, capped at the larger of the source's preferred
// and maximum buffer sizes.
uint32_t MemoryLength(uint32_t wanted, uint32_t preferred, uint32_t maxBufSize);

// What follows the base name of the n-th page file (n from 1).
std::string PageFileSuffix(uint32_t n, bool duplex, bool feeder);

// The base of a path template: everything before its last "." (the whole text without one).
std::string PageFileBase(const std::string& pathTemplate);

// Bytes of one uncompressed image, rows rounded up to whole bytes; 0 when the size is not known
// (no rows, no width, no bit depth).
uint64_t ImageBytes(int32_t width, int32_t bitsPerPixel, int32_t length);

// Size of the batch buffer for the available physical memory: 32 MiB halved until it fits,
// 1 MiB when even 1 MiB would not.
uint32_t BatchBufferSize(uint64_t availablePhysical);

// Slots of the ring for a buffer and an image size: at least 2, at most 10.
uint32_t RingSlots(uint32_t bufferSize, uint64_t imageBytes);
