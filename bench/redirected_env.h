// The platform's environment with the executable placed in a benchmark's temporary folder, so that
// "beside the executable" lands there.
#pragma once

#include <string>

#include "platform/env.h"

namespace qm::bench {

class RedirectedEnv : public Env {
 public:
  explicit RedirectedEnv(std::u16string executablePath) : executablePath_(std::move(executablePath)) {}
  std::u16string ExecutablePath() override { return executablePath_; }

  FileHandle OpenForRead(const std::u16string& p) override { return base_.OpenForRead(p); }
  FileHandle OpenForWrite(const std::u16string& p) override { return base_.OpenForWrite(p); }
  FileHandle OpenForAppend(const std::u16string& p) override { return base_.OpenForAppend(p); }
  bool Read(FileHandle f, void* b, uint32_t n, uint32_t* got) override { return base_.Read(f, b, n, got); }
  bool Write(FileHandle f, const void* d, uint32_t n) override { return base_.Write(f, d, n); }
  bool Seek(FileHandle f, int64_t d, SeekOrigin o, uint64_t* p) override { return base_.Seek(f, d, o, p); }
  bool Flush(FileHandle f) override { return base_.Flush(f); }
  void Close(FileHandle f) override { base_.Close(f); }
  bool CreateFolder(const std::u16string& p) override { return base_.CreateFolder(p); }
  bool ListFolder(const std::u16string& p, std::vector<std::u16string>* n) override { return base_.ListFolder(p, n); }
  bool FileExists(const std::u16string& p) override { return base_.FileExists(p); }
  bool IsFolder(const std::u16string& p) override { return base_.IsFolder(p); }
  bool MoveReplacing(const std::u16string& a, const std::u16string& b) override { return base_.MoveReplacing(a, b); }
  bool RenameFile(const std::u16string& a, const std::u16string& b) override { return base_.RenameFile(a, b); }
  bool RemoveFile(const std::u16string& p) override { return base_.RemoveFile(p); }
  bool SendToRecycleBin(const std::u16string& p) override { return base_.SendToRecycleBin(p); }
  LocalTime Now() override { return base_.Now(); }
  uint32_t TickCount() override { return base_.TickCount(); }
  std::u16string CombinePath(const std::u16string& a, const std::u16string& b) override { return base_.CombinePath(a, b); }
  std::u16string RemoveFileSpec(const std::u16string& p) override { return base_.RemoveFileSpec(p); }
  std::u16string FindFileName(const std::u16string& p) override { return base_.FindFileName(p); }
  std::u16string RemoveExtension(const std::u16string& p) override { return base_.RemoveExtension(p); }
  std::u16string AddTrailingSeparator(const std::u16string& p) override { return base_.AddTrailingSeparator(p); }

 private:
  Env& base_ = DefaultEnv();
  std::u16string executablePath_;
};

}  // namespace qm::bench
