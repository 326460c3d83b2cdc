// A first-in first-out byte buffer that takes bytes from its front without
// moving the rest each time: a 10 MB send taken off in 64 KB chunks, or a
// flood of small reads, stays linear.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skel::socket {

class ByteQueue {
 public:
  size_t size() const { return bytes_.size() - front_; }
  bool empty() const { return size() == 0; }
  const uint8_t* data() const { return bytes_.data() + front_; }
  std::span<const uint8_t> view() const { return {data(), size()}; }

  void Append(std::span<const uint8_t> more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }

  void Drop(size_t count) {
    front_ += std::min(count, size());
    // Compact once the dead front outweighs the live bytes.
    if (front_ == bytes_.size()) {
      bytes_.clear();
      front_ = 0;
    } else if (front_ > 4096 && front_ > size()) {
      bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(front_));
      front_ = 0;
    }
  }

  void Clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    front_ = 0;
  }

 private:
  std::vector<uint8_t> bytes_;
  size_t front_ = 0;
};

}  // namespace skel::socket
