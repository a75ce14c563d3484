// Tests on the real file system: a fresh temporary folder, an environment variable set for a while,
// whole files read and written.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "platform/env.h"

namespace qm::test {

class TempFolder {
 public:
  // A fresh folder in `parent`, by default the system's temporary folder.
  explicit TempFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device()();
    path_ = parent / ("quillmere-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside the folder.
  std::u16string Child(const std::u16string& name) const { return (path_ / name).u16string(); }

 private:
  std::filesystem::path path_;
};

#ifndef _WIN32
// An environment variable set for the object's lifetime (XDG_DATA_HOME points the trash into a test's folder).
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() { previous_ ? setenv(name_, previous_->c_str(), 1) : unsetenv(name_); }
  ScopedVariable(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};
#endif

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace qm::test
