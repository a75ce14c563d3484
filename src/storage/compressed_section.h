// The framing of every variable-length body in the binary files: signed 32-bit packed length,
// 32-bit raw length, then one complete zlib stream, compressed and expanded in one piece each.
#pragma once

#include <cstdint>

#include "storage/file_objects.h"
#include "core/zeroed_buffer.h"

namespace qm {

inline constexpr uint32_t kSectionSlack = 64;
// No reader expands a section beyond this; a day of records is a few megabytes.
inline constexpr uint32_t kMaxSectionRawBytes = 64u << 20;

// One-shot deflate into `output`. The number of bytes produced, or 0 when the complete stream did
// not fit (a cut stream is never reported as a success).
int32_t CompressBlock(const uint8_t* input, uint32_t inputLength, uint8_t* output, uint32_t capacity);
// One-shot inflate into `output`. The number of bytes produced; damage is left to the caller to judge
// by comparing the count with what the section announced.
int32_t ExpandBlock(const uint8_t* input, uint32_t inputLength, uint8_t* output, uint32_t capacity);

// Compresses the block into a complete section in memory (both length words, then the stream), so
// that a caller can know it succeeded before writing anything that announces it. `sectionLength`
// receives the bytes to write. False when compression fails.
bool PackSection(const uint8_t* raw, uint32_t rawLength, ZeroedBuffer* section, uint32_t* sectionLength);
// Compresses the block and writes it as a section. False when compression fails (then nothing is
// written) or when the file could not be written.
bool WriteSection(const uint8_t* raw, uint32_t rawLength, FileWriter& writer);

// How a reader judges a section's length words and its expansion.
struct SectionRules {
  bool rawLengthSigned;       // rawLength must be > 0 as a signed value (else only != 0)
  uint32_t inputSlack;        // zeroed bytes behind the packed data
  uint32_t outputSlack;       // zeroed bytes behind the raw data
  uint32_t capacitySlack;     // how much of the output slack the expansion may fill
  bool requireExactLength;    // the expansion must give exactly rawLength bytes (else any non-zero count)
  uint32_t maxRawLength;      // a sane maximum for the raw data
};

struct Section {
  ZeroedBuffer data;  // rawLength bytes plus the reader's output slack, zero-filled
  uint32_t rawLength = 0;
  uint32_t produced = 0;  // what the expansion gave
};

// Reads one section at the file's position. Length words are checked against the bytes the file
// really has and against the rules before anything is allocated.
bool ReadSection(FileReader& reader, const SectionRules& rules, Section* section);

}  // namespace qm
