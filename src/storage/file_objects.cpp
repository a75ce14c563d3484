#include "storage/file_objects.h"

namespace qm {

FileBase::~FileBase() { CloseHandle(); }

void FileBase::CloseHandle() {
  if (handle_ != kInvalidFile) env_.Close(handle_);
  handle_ = kInvalidFile;
}

bool FileReader::Open(const std::u16string& path) {
  CloseHandle();
  handle_ = env_.OpenForRead(path);
  return IsOpen();
}

uint32_t FileReader::Read(void* buffer, uint32_t length) {
  uint32_t got = 0;
  if (!IsOpen() || !env_.Read(handle_, buffer, length, &got)) return 0;
  return got;
}

uint64_t FileReader::Remaining() {
  uint64_t position = 0;
  uint64_t end = 0;
  if (!env_.Seek(handle_, 0, SeekOrigin::Current, &position)) return 0;
  if (!env_.Seek(handle_, 0, SeekOrigin::End, &end)) return 0;
  if (!env_.Seek(handle_, static_cast<int64_t>(position), SeekOrigin::Begin, nullptr)) return 0;
  return end > position ? end - position : 0;
}

FileWriter::~FileWriter() { Discard(); }

bool FileWriter::Open(const std::u16string& path) {
  Discard();
  target_ = path;
  temporary_ = TemporaryPathFor(path);
  failed_ = false;
  failedStep_ = Step::None;
  handle_ = env_.OpenForWrite(temporary_);
  if (!IsOpen()) {
    temporary_.clear();
    failedStep_ = Step::Create;
  }
  return IsOpen();
}

bool FileWriter::Write(const void* data, uint32_t length) {
  if (!IsOpen() || failed_) return false;
  if (length > 0 && !env_.Write(handle_, data, length)) {
    failed_ = true;
    failedStep_ = Step::Write;
  }
  return !failed_;
}

bool FileWriter::Commit() {
  if (!IsOpen() || failed_) {
    Discard();
    return false;
  }
  if (!env_.Flush(handle_)) {
    failedStep_ = Step::Flush;
    Discard();
    return false;
  }
  CloseHandle();
  if (!env_.MoveReplacing(temporary_, target_)) {
    failedStep_ = Step::Replace;
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

void FileWriter::Discard() {
  CloseHandle();
  if (!temporary_.empty()) env_.RemoveFile(temporary_);
  temporary_.clear();
}

}  // namespace qm
