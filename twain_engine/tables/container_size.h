// Sizes of the value-block copies of TWAIN containers.
#pragma once
#include <cstddef>
#include <cstdint>

// Bytes of a container of this type with numItems items of itemSize bytes each; 0 for a
// container type the engine does not copy.
size_t ContainerBytes(uint16_t conType, uint32_t numItems, int itemSize);

// What the caller's copy needs and how much of the source's block may be read into it.
struct ContainerCopy {
  size_t blockSize;  // bytes of the caller's block: the larger of the two layouts
  size_t copyBytes;  // bytes taken from the source's block; the rest stays zero
};

// callerItemSize: size of the item type the caller named; sourceItemSize: of the container's own
// item type; sourceBlock: bytes the source's block really holds.
ContainerCopy PlanContainerCopy(uint16_t conType, uint32_t numItems, int callerItemSize,
                                int sourceItemSize, size_t sourceBlock);

// True for the TWAIN string item types (a one-value string is copied up to its terminator).
bool IsStringItemType(uint16_t itemType);
