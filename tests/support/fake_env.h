// An in-memory environment for tests: files and folders in maps, a scripted clock, and faults on
// demand (fail the N-th write, flush or rename; or "kill the process" after N operations, after which
// only what was flushed survives).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/path_util.h"

namespace qm::test {

class FakeEnv : public Env {
 public:
  enum class Op { Write, Flush, Rename };

  // Fault injection. The N-th (1-based) operation of a kind fails; 0 disables.
  void FailNth(Op op, int n) { failAt_[op] = n, counts_[op] = 0; }
  // After `n` more file-system changes every further change is lost and fails, and everything not
  // flushed reverts, as if the process had been killed right there.
  void CrashAfter(int n) { crashAt_ = operations_ + n; }
  // The process starts again on what the disk kept.
  void Restart() { crashed_ = false, crashAt_ = -1, open_.clear(); }
  // True once a crash has happened and until Restart.
  bool Dead() const { return crashed_; }

  // Direct access to the simulated disk.
  void PutFile(const std::u16string& path, const std::string& bytes) {
    folders_.insert(Parent(path));
    files_[path] = File{bytes, bytes};
  }
  bool HasFile(const std::u16string& path) const { return files_.count(path) > 0; }
  std::string FileBytes(const std::u16string& p) const { return HasFile(p) ? files_.at(p).data : std::string(); }
  std::vector<std::u16string> FilePaths() const {
    std::vector<std::u16string> paths;
    for (const auto& entry : files_) paths.push_back(entry.first);
    return paths;
  }

  std::u16string executablePath = u"/app/quillmere";
  LocalTime now{2016, 3, 1, 7, 12, 34, 56, 789};
  uint32_t tick = 1000;

  FileHandle OpenForRead(const std::u16string& path) override;
  FileHandle OpenForWrite(const std::u16string& path) override;
  FileHandle OpenForAppend(const std::u16string& path) override;
  bool Read(FileHandle file, void* buffer, uint32_t length, uint32_t* got) override;
  bool Write(FileHandle file, const void* data, uint32_t length) override;
  bool Seek(FileHandle file, int64_t distance, SeekOrigin origin, uint64_t* position) override;
  bool Flush(FileHandle file) override;
  void Close(FileHandle file) override { open_.erase(file); }
  bool CreateFolder(const std::u16string& path) override;
  bool ListFolder(const std::u16string& path, std::vector<std::u16string>* names) override;
  bool FileExists(const std::u16string& path) override { return files_.count(path) || IsFolder(path); }
  bool IsFolder(const std::u16string& path) override { return folders_.count(Trimmed(path)) > 0; }
  bool MoveReplacing(const std::u16string& from, const std::u16string& to) override;
  bool RenameFile(const std::u16string& from, const std::u16string& to) override {
    return !files_.count(to) && MoveReplacing(from, to);
  }
  bool RemoveFile(const std::u16string& p) override { return files_.count(p) && !Crashed() && files_.erase(p); }
  bool SendToRecycleBin(const std::u16string& path) override { return RemoveFile(path); }
  std::u16string ExecutablePath() override { return executablePath; }
  LocalTime Now() override { return now; }
  uint32_t TickCount() override { return tick; }
  std::u16string CombinePath(const std::u16string& folder, const std::u16string& name) override {
    return path_util::Combine(folder, name, u'/');
  }
  std::u16string RemoveFileSpec(const std::u16string& p) override { return path_util::RemoveFileSpec(p, u'/'); }
  std::u16string FindFileName(const std::u16string& p) override { return path_util::FindFileName(p, u'/'); }
  std::u16string RemoveExtension(const std::u16string& p) override { return path_util::RemoveExtension(p, u'/'); }
  std::u16string AddTrailingSeparator(const std::u16string& p) override {
    return path_util::AddTrailingSeparator(p, u'/');
  }

 private:
  struct File {
    std::string data, durable;  // durable: what survives a crash
  };
  struct Open {
    std::u16string path;
    uint64_t position = 0;
  };
  bool Fails(Op op) { return failAt_[op] > 0 && ++counts_[op] == failAt_[op]; }
  bool Crashed();
  FileHandle OpenAt(const std::u16string& path, uint64_t position) {
    open_[nextHandle_] = Open{path, position};
    return nextHandle_++;
  }
  Open* Find(FileHandle file) { return open_.count(file) ? &open_[file] : nullptr; }
  static std::u16string Trimmed(std::u16string path) {  // without trailing separators
    while (path.size() > 1 && path.back() == u'/') path.pop_back();
    return path;
  }
  static std::u16string Parent(const std::u16string& path) { return path_util::RemoveFileSpec(Trimmed(path), u'/'); }

  std::map<std::u16string, File> files_;
  std::set<std::u16string> folders_{u"/", u"/app"};
  std::map<FileHandle, Open> open_;
  FileHandle nextHandle_ = 3;
  std::map<Op, int> counts_, failAt_;
  int operations_ = 0, crashAt_ = -1;
  bool crashed_ = false;
};

}  // namespace qm::test
