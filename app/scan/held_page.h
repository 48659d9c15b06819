// The page block the page callback has taken over. It is freed when the holder goes out of
// scope, on every path that does not hand it on, so no page is left behind by an early return
// or an error.
#pragma once
#include <cstdint>

namespace tarnwick {

class HeldPage {
 public:
  using FreeProc = void (*)(std::uintptr_t block);
  HeldPage(std::uintptr_t block, FreeProc freeBlock) : block_(block), free_(freeBlock) {}
  ~HeldPage() { Free(); }
  HeldPage(const HeldPage&) = delete;
  HeldPage& operator=(const HeldPage&) = delete;

  std::uintptr_t Block() const { return block_; }
  // The receiver owns the block from now on.
  std::uintptr_t HandOn() {
    const std::uintptr_t b = block_;
    block_ = 0;
    return b;
  }
  void Free() {
    if (block_) free_(HandOn());
  }
  // Frees the block held and holds `block` instead.
  void Replace(std::uintptr_t block) {
    Free();
    block_ = block;
  }

 private:
  std::uintptr_t block_;
  FreeProc free_;
};

}  // namespace tarnwick
