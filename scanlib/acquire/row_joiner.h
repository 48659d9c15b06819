// Whole rows out of data blocks of any length: a row that a block splits is put together here
// from its pieces, so a driver whose blocks are smaller than a row loses nothing.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

class RowJoiner {
 public:
  void Reset(uint32_t rowLength) {
    rowLength_ = rowLength;
    pending_ = 0;
  }
  // Bytes of a row begun but not yet whole.
  uint32_t Pending() const { return pending_; }

  // Calls rows(first, count) for every run of whole rows in the block, in order.
  template <typename RowsFn>
  void Feed(const uint8_t* data, uint32_t bytes, RowsFn&& rows) {
    if (rowLength_ == 0 || data == nullptr) return;
    while (bytes > 0) {
      if (pending_ > 0 || bytes < rowLength_) {
        if (carry_.size() < rowLength_) carry_.resize(rowLength_);
        const uint32_t take = std::min(bytes, rowLength_ - pending_);
        std::memcpy(carry_.data() + pending_, data, take);
        pending_ += take;
        data += take;
        bytes -= take;
        if (pending_ == rowLength_) {
          pending_ = 0;
          rows(carry_.data(), 1u);
        }
        continue;
      }
      const uint32_t whole = bytes / rowLength_;
      rows(data, whole);
      data += static_cast<size_t>(whole) * rowLength_;
      bytes -= whole * rowLength_;
    }
  }

 private:
  std::vector<uint8_t> carry_;
  uint32_t rowLength_ = 0;
  uint32_t pending_ = 0;
};
