// Tests on the real file system: a fresh temporary folder, and the platform's environment with the
// executable placed inside that folder, so that "beside the executable" lands there.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/env.h"

namespace qm::test {

class TempFolder {
 public:
  // A fresh folder in `parent`, by default the system's temporary folder.
  explicit TempFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path());
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::u16string u16() const { return path_.u16string(); }
  // The path of `name` inside the folder.
  std::u16string Child(const std::u16string& name) const { return (path_ / name).u16string(); }

 private:
  std::filesystem::path path_;
};

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

#ifndef _WIN32
// An environment variable set for the object's lifetime (XDG_DATA_HOME points the trash into a test's folder).
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};
#endif

// Whole-file helpers.
std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace qm::test
