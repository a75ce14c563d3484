#include "storage/compressed_section.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace qm {
namespace {

// The version string handed to zlib's initialisation; zlib checks only its major number.
constexpr char kZlibVersion[] = "1.2.5";
// Deflate cannot expand data by more than about 1032:1, so a raw length beyond this is a lie.
constexpr uint64_t kMaxExpansionRatio = 1032;

z_stream PrepareStream(const uint8_t* input, uint32_t inputLength, uint8_t* output, uint32_t capacity) {
  z_stream stream;
  std::memset(&stream, 0, sizeof stream);
  stream.next_in = const_cast<Bytef*>(input);
  stream.avail_in = inputLength;
  stream.next_out = output;
  stream.avail_out = capacity;
  return stream;
}

bool LengthsPlausible(int32_t packedLength, uint32_t rawLength, uint64_t available, const SectionRules& rules) {
  if (packedLength <= 0) return false;
  if (rules.rawLengthSigned ? static_cast<int32_t>(rawLength) <= 0 : rawLength == 0) return false;
  if (static_cast<uint64_t>(packedLength) > available) return false;
  if (rawLength > rules.maxRawLength) return false;
  return rawLength <= static_cast<uint64_t>(packedLength) * kMaxExpansionRatio + 1024;
}

}  // namespace

int32_t CompressBlock(const uint8_t* input, uint32_t inputLength, uint8_t* output, uint32_t capacity) {
  z_stream stream = PrepareStream(input, inputLength, output, capacity);
  if (deflateInit_(&stream, Z_DEFAULT_COMPRESSION, kZlibVersion, static_cast<int>(sizeof(z_stream))) != Z_OK) {
    return 0;
  }
  const int finished = deflate(&stream, Z_FINISH);
  const int ended = deflateEnd(&stream);
  // Running out of room inside the last block still ends cleanly; only Z_STREAM_END proves completion.
  if (finished != Z_STREAM_END || ended != Z_OK) return 0;
  return static_cast<int32_t>(capacity - stream.avail_out);
}

int32_t ExpandBlock(const uint8_t* input, uint32_t inputLength, uint8_t* output, uint32_t capacity) {
  z_stream stream = PrepareStream(input, inputLength, output, capacity);
  if (inflateInit_(&stream, kZlibVersion, static_cast<int>(sizeof(z_stream))) != Z_OK) return 0;
  inflate(&stream, Z_NO_FLUSH);  // judged by the count below
  if (inflateEnd(&stream) != Z_OK) return 0;
  return static_cast<int32_t>(capacity - stream.avail_out);
}

bool PackSection(const uint8_t* raw, uint32_t rawLength, ZeroedBuffer* section, uint32_t* sectionLength) {
  constexpr uint32_t kHeaderBytes = 8;
  // Room for zlib's worst case, so that data which does not compress still saves; never less than the
  // customary slack.
  const uint64_t room = std::max<uint64_t>(uint64_t{rawLength} + kSectionSlack, compressBound(rawLength));
  if (room > UINT32_MAX - kHeaderBytes) return false;
  const auto capacity = static_cast<uint32_t>(room);
  if (!section->Allocate(kHeaderBytes + capacity)) return false;
  const int32_t packed = CompressBlock(raw, rawLength, section->data() + kHeaderBytes, capacity);
  if (packed <= 0) return false;
  const uint32_t header[2] = {static_cast<uint32_t>(packed), rawLength};
  std::memcpy(section->data(), header, sizeof header);
  *sectionLength = kHeaderBytes + static_cast<uint32_t>(packed);
  return true;
}

bool WriteSection(const uint8_t* raw, uint32_t rawLength, FileWriter& writer) {
  ZeroedBuffer section;
  uint32_t length = 0;
  return PackSection(raw, rawLength, &section, &length) && writer.Write(section.data(), length);
}

bool ReadSection(FileReader& reader, const SectionRules& rules, Section* section) {
  if (!reader.IsOpen()) return false;
  int32_t packedLength = 0;
  uint32_t rawLength = 0;
  if (!reader.ReadExact(&packedLength, 4) || !reader.ReadExact(&rawLength, 4)) return false;
  if (!LengthsPlausible(packedLength, rawLength, reader.Remaining(), rules)) return false;

  const auto packed = static_cast<uint32_t>(packedLength);
  ZeroedBuffer input;
  if (!input.Allocate(static_cast<size_t>(packed) + rules.inputSlack)) return false;
  reader.Read(input.data(), packed);  // a short read leaves zeros, and the expansion then falls short
  if (!section->data.Allocate(static_cast<size_t>(rawLength) + rules.outputSlack)) return false;

  const int32_t produced = ExpandBlock(input.data(), packed, section->data.data(), rawLength + rules.capacitySlack);
  section->rawLength = rawLength;
  section->produced = produced > 0 ? static_cast<uint32_t>(produced) : 0;
  return rules.requireExactLength ? section->produced == rawLength : section->produced != 0;
}

}  // namespace qm
