// Owners of one open file each; the file is closed on every path out of the code that opened it.
// A FileWriter never writes over its target directly: it writes a temporary file beside it and puts
// that file in the target's place only when every write has succeeded, so a failed or interrupted
// save leaves the previous file exactly as it was.
#pragma once

#include <cstdint>
#include <string>

#include "platform/env.h"

namespace qm {

class FileBase {
 public:
  explicit FileBase(Env& env) : env_(env) {}
  virtual ~FileBase();
  FileBase(const FileBase&) = delete;
  FileBase& operator=(const FileBase&) = delete;

  bool IsOpen() const { return handle_ != kInvalidFile; }
  FileHandle handle() const { return handle_; }
  Env& env() const { return env_; }

 protected:
  void CloseHandle();

  Env& env_;
  FileHandle handle_ = kInvalidFile;
};

class FileReader : public FileBase {
 public:
  using FileBase::FileBase;

  // Opens an existing file for reading, without sharing.
  bool Open(const std::u16string& path);
  // Reads up to `length` bytes and returns how many arrived.
  uint32_t Read(void* buffer, uint32_t length);
  // True only when all `length` bytes arrived.
  bool ReadExact(void* buffer, uint32_t length) { return Read(buffer, length) == length; }
  bool Seek(int64_t distance, SeekOrigin origin) { return env_.Seek(handle_, distance, origin, nullptr); }
  // Bytes between the current position and the end of the file.
  uint64_t Remaining();
};

class FileWriter : public FileBase {
 public:
  using FileBase::FileBase;
  // Without a successful Commit the temporary file is removed.
  ~FileWriter() override;

  // Where the file failed, for a message that names the reason.
  enum class Step { None, Create, Write, Flush, Replace };

  // Starts writing the file that will replace `path`.
  bool Open(const std::u16string& path);
  // Writes all bytes or marks the file as failed; a failed file is never committed.
  bool Write(const void* data, uint32_t length);
  bool Failed() const { return failed_; }
  Step FailedStep() const { return failedStep_; }
  // Flushes the file to disk and puts it in place of the target in one step.
  bool Commit();
  // Gives up: closes and removes the temporary file.
  void Discard();

  // The temporary file that stands beside `path` while it is written.
  static std::u16string TemporaryPathFor(const std::u16string& path) { return path + u".tmp"; }

 private:
  std::u16string target_;
  std::u16string temporary_;
  bool failed_ = false;
  Step failedStep_ = Step::None;
};

}  // namespace qm
