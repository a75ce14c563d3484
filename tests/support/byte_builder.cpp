#include "support/byte_builder.h"

#include <zlib.h>

namespace qm::test {

ByteBuilder& ByteBuilder::Utf16(std::u16string_view s, bool terminate) {
  Raw(s.data(), s.size() * 2);
  if (terminate) U16(0);
  return *this;
}

std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
           static_cast<uLong>(raw.size()));
  out.resize(size);
  return out;
}

ByteBuilder& ByteBuilder::Section(const std::string& raw) {
  const std::string packed = Deflate(raw);
  U32(static_cast<uint32_t>(packed.size())).U32(static_cast<uint32_t>(raw.size()));
  return Append(packed);
}

}  // namespace qm::test
