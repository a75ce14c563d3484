#include "support/byte_builder.h"

#include <zlib.h>

#include <cstring>

namespace qm::test {

std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  return out.substr(0, size);
}

uint32_t U32At(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

ByteBuilder& ByteBuilder::Section(const std::string& raw) {
  const std::string packed = Deflate(raw);
  return U32(static_cast<uint32_t>(packed.size())).U32(static_cast<uint32_t>(raw.size())).Append(packed);
}

}  // namespace qm::test
