#include "output/text_file_writer.h"

#include <bit>

namespace qm {
namespace {

// The code units go to disk as they lie in memory, which is what UTF-16LE asks for.
static_assert(std::endian::native == std::endian::little);

constexpr size_t kFlushUnits = 32 * 1024;

}  // namespace

bool TextFileWriter::Open(const std::u16string& path, bool writeBom) {
  pending_.clear();
  if (!file_.Open(path)) return false;
  if (writeBom) pending_.push_back(u'\xFEFF');
  return true;
}

void TextFileWriter::WriteLine(std::u16string_view line) {
  if (!file_.IsOpen()) return;
  pending_.append(line);
  if (pending_.size() >= kFlushUnits) WritePending();
}

bool TextFileWriter::WritePending() {
  const bool written = file_.Write(pending_.data(), static_cast<uint32_t>(pending_.size() * sizeof(char16_t)));
  pending_.clear();
  return written;
}

bool TextFileWriter::Commit() {
  if (!file_.IsOpen()) return false;
  if (!WritePending()) {
    file_.Discard();
    return false;
  }
  return file_.Commit();
}

}  // namespace qm
