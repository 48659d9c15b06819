#include "container_size.h"

#include <algorithm>

size_t ContainerBytes(uint16_t conType, uint32_t numItems, int itemSize) {
  switch (conType) {
    case 3: return 6 + size_t(numItems) * itemSize;
    case 4: return 14 + size_t(numItems) * itemSize;
    case 5: return 6 + size_t(itemSize);
    case 6: return 22;
    default: return 0;
  }
}

ContainerCopy PlanContainerCopy(uint16_t conType, uint32_t numItems, int callerItemSize,
                                int sourceItemSize, size_t sourceBlock) {
  size_t byCaller = ContainerBytes(conType, numItems, callerItemSize);
  size_t bySource = ContainerBytes(conType, numItems, sourceItemSize);
  ContainerCopy plan;
  plan.blockSize = std::max(byCaller, bySource);
  plan.copyBytes = std::min(bySource, sourceBlock);
  return plan;
}

bool IsStringItemType(uint16_t itemType) { return itemType >= 9 && itemType <= 12; }
