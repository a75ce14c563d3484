// A zero-filled byte buffer whose allocation reports failure instead of throwing, for buffers sized
// from file contents.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace qm {

class ZeroedBuffer {
 public:
  ZeroedBuffer() = default;
  ZeroedBuffer(ZeroedBuffer&& other) noexcept : data_(std::move(other.data_)), size_(other.size_) { other.size_ = 0; }
  ZeroedBuffer& operator=(ZeroedBuffer&& other) noexcept {
    data_ = std::move(other.data_);
    size_ = other.size_;
    other.size_ = 0;
    return *this;
  }
  // False (and an empty buffer) when the memory cannot be had.
  bool Allocate(size_t size) {
    data_.reset(static_cast<uint8_t*>(std::calloc(size == 0 ? 1 : size, 1)));
    size_ = data_ ? size : 0;
    return data_ != nullptr;
  }
  // Grows or shrinks the buffer, keeping its contents; new bytes are not zeroed. False, with the
  // buffer unchanged, when the memory cannot be had.
  bool Resize(size_t size) {
    void* grown = std::realloc(data_.get(), size == 0 ? 1 : size);
    if (!grown) return false;
    data_.release();
    data_.reset(static_cast<uint8_t*>(grown));
    size_ = size;
    return true;
  }
  uint8_t* data() { return data_.get(); }
  const uint8_t* data() const { return data_.get(); }
  size_t size() const { return size_; }

 private:
  struct Free {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t, Free> data_;
  size_t size_ = 0;
};

}  // namespace qm
