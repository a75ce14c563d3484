// Builds file images byte by byte for reader tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::test {

class ByteBuilder {
 public:
  ByteBuilder& U16(uint16_t v) { return Raw(&v, 2); }
  ByteBuilder& U32(uint32_t v) { return Raw(&v, 4); }
  ByteBuilder& Text(std::string_view s) { return Raw(s.data(), s.size()); }
  // UTF-16 code units, optionally with the terminating 0.
  ByteBuilder& Utf16(std::u16string_view s, bool terminate = true);
  ByteBuilder& Zeros(size_t n) { bytes_.append(n, '\0'); return *this; }
  ByteBuilder& Raw(const void* data, size_t n) {
    bytes_.append(static_cast<const char*>(data), n);
    return *this;
  }
  ByteBuilder& Append(const std::string& more) { bytes_ += more; return *this; }
  // A compressed section of `raw`: packed length, raw length, zlib stream.
  ByteBuilder& Section(const std::string& raw);

  const std::string& str() const { return bytes_; }
  size_t size() const { return bytes_.size(); }

 private:
  std::string bytes_;
};

// A compressed zlib stream of `raw` (the body of a section without its length words).
std::string Deflate(const std::string& raw);

}  // namespace qm::test
