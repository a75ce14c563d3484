// Tests on the real file system: a fresh temporary folder, an environment variable set for a while,
// whole files read and written.
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
