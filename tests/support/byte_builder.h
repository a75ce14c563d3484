// Builds file images byte by byte for reader tests.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qm::test {

// A compressed zlib stream of `raw`: the body of a section without its length words.
inline std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  return out.substr(0, size);
}

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
  ByteBuilder& Section(const std::string& raw) {
    const std::string packed = Deflate(raw);
    return U32(static_cast<uint32_t>(packed.size())).U32(static_cast<uint32_t>(raw.size())).Append(packed);
  }

  const std::string& str() const { return bytes_; }
  size_t size() const { return bytes_.size(); }

 private:
  ByteBuilder& Raw(const void* data, size_t n) {
    bytes_.append(static_cast<const char*>(data), n);
    return *this;
  }
  std::string bytes_;
};

// UTF-16LE text as bytes, after the byte-order mark FF FE if asked.
inline std::string Utf16Bytes(std::u16string_view text, bool bom) {
  return (bom ? std::string("\xFF\xFE", 2) : std::string()) + ByteBuilder().Utf16(text, false).str();
}

// The 32-bit little-endian word at `offset` of `bytes`.
inline uint32_t U32At(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

}  // namespace qm::test
