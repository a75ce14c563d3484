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
  ByteBuilder& Utf16(std::u16string_view s, bool terminate = true) {
    Raw(s.data(), s.size() * 2);
    return terminate ? U16(0) : *this;
  }
  ByteBuilder& Zeros(size_t n) { return Append(std::string(n, '\0')); }
  ByteBuilder& Append(const std::string& more) { return Raw(more.data(), more.size()); }
  // A compressed section of `raw`: packed length, raw length, zlib stream.
  ByteBuilder& Section(const std::string& raw);

  const std::string& str() const { return bytes_; }
  size_t size() const { return bytes_.size(); }

 private:
  ByteBuilder& Raw(const void* data, size_t n) {
    bytes_.append(static_cast<const char*>(data), n);
    return *this;
  }
  std::string bytes_;
};

// A compressed zlib stream of `raw`: the body of a section without its length words.
std::string Deflate(const std::string& raw);

// UTF-16LE text as bytes, after the byte-order mark FF FE if asked.
inline std::string Utf16Bytes(std::u16string_view text, bool bom) {
  return (bom ? std::string("\xFF\xFE", 2) : std::string()) + ByteBuilder().Utf16(text, false).str();
}

// The 32-bit little-endian word at `offset` of `bytes`.
uint32_t U32At(const std::string& bytes, size_t offset);

}  // namespace qm::test
