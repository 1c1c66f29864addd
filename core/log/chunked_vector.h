// A vector that grows by fixed blocks: elements never move, and growing never copies the whole
// store nor frees a large block, so a long log grows the process by what it holds and no more.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace stats {

template <typename T, std::size_t kBlockSize = 4096>
class ChunkedVector {
 public:
  std::size_t size() const { return size_; }
  T& operator[](std::size_t index) { return blocks_[index / kBlockSize][index % kBlockSize]; }
  const T& operator[](std::size_t index) const {
    return blocks_[index / kBlockSize][index % kBlockSize];
  }
  void push_back(const T& value) {
    if (size_ == blocks_.size() * kBlockSize) blocks_.push_back(std::make_unique<T[]>(kBlockSize));
    (*this)[size_++] = value;
  }
  void clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    size_ = 0;
  }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
  std::size_t size_ = 0;
};

}  // namespace stats
