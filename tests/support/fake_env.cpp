#include "support/fake_env.h"

#include <algorithm>
#include <cstring>

#include "platform/path_util.h"

namespace qm::test {
namespace {
constexpr char16_t kSeparator = u'/';

std::u16string WithoutTrailingSeparator(std::u16string path) {
  while (path.size() > 1 && path.back() == kSeparator) path.pop_back();
  return path;
}
}  // namespace

FakeEnv::FakeEnv() { folders_.insert(u"/"), folders_.insert(u"/app"); }

void FakeEnv::FailNth(Op op, int n) {
  failAt_[op] = n;
  counts_[op] = 0;
}

void FakeEnv::CrashAfter(int n) { crashAt_ = operations_ + n; }

void FakeEnv::Restart() {
  crashed_ = false;
  crashAt_ = -1;
  open_.clear();
}

bool FakeEnv::Fails(Op op) { return failAt_[op] > 0 && ++counts_[op] == failAt_[op]; }

// Counts one change to the disk; true when the process is (now) dead and the change is lost.
bool FakeEnv::Crashed() {
  if (crashed_) return true;
  if (crashAt_ >= 0 && operations_ >= crashAt_) {
    Crash();
    return true;
  }
  ++operations_;
  return false;
}

void FakeEnv::Crash() {
  crashed_ = true;
  for (auto& [path, file] : files_) file.data = file.durable;
}

void FakeEnv::PutFile(const std::u16string& path, const std::string& bytes) {
  folders_.insert(Parent(path));
  files_[path] = File{bytes, bytes};
}

std::string FakeEnv::FileBytes(const std::u16string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? std::string() : it->second.data;
}

std::vector<std::u16string> FakeEnv::FilePaths() const {
  std::vector<std::u16string> paths;
  for (const auto& entry : files_) paths.push_back(entry.first);
  return paths;
}

std::u16string FakeEnv::Parent(const std::u16string& path) const {
  return path_util::RemoveFileSpec(WithoutTrailingSeparator(path), kSeparator);
}

FileHandle FakeEnv::OpenForRead(const std::u16string& path) {
  if (!files_.count(path)) return kInvalidFile;
  for (const auto& [handle, open] : open_) {
    if (open.path == path) return kInvalidFile;  // no sharing
  }
  open_[nextHandle_] = Open{path, 0};
  return nextHandle_++;
}

FileHandle FakeEnv::OpenForWrite(const std::u16string& path) {
  if (!folders_.count(Parent(path)) || folders_.count(path)) return kInvalidFile;
  if (Crashed()) return kInvalidFile;
  files_[path].data.clear();
  open_[nextHandle_] = Open{path, 0};
  return nextHandle_++;
}

FileHandle FakeEnv::OpenForAppend(const std::u16string& path) {
  if (!folders_.count(Parent(path)) || folders_.count(path)) return kInvalidFile;
  if (!files_.count(path) && Crashed()) return kInvalidFile;  // only creating the file changes the disk
  const uint64_t end = files_[path].data.size();
  open_[nextHandle_] = Open{path, end};
  return nextHandle_++;
}

bool FakeEnv::Read(FileHandle file, void* buffer, uint32_t length, uint32_t* got) {
  *got = 0;
  const auto it = open_.find(file);
  if (it == open_.end()) return false;
  const std::string& data = files_[it->second.path].data;
  if (it->second.position >= data.size()) return true;
  *got = static_cast<uint32_t>(std::min<uint64_t>(length, data.size() - it->second.position));
  std::memcpy(buffer, data.data() + it->second.position, *got);
  it->second.position += *got;
  return true;
}

bool FakeEnv::Write(FileHandle file, const void* data, uint32_t length) {
  const auto it = open_.find(file);
  if (it == open_.end() || Fails(Op::Write) || Crashed()) return false;
  std::string& bytes = files_[it->second.path].data;
  if (bytes.size() < it->second.position + length) bytes.resize(it->second.position + length);
  std::memcpy(bytes.data() + it->second.position, data, length);
  it->second.position += length;
  return true;
}

bool FakeEnv::Seek(FileHandle file, int64_t distance, SeekOrigin origin, uint64_t* position) {
  const auto it = open_.find(file);
  if (it == open_.end()) return false;
  const int64_t base = origin == SeekOrigin::Begin     ? 0
                       : origin == SeekOrigin::Current ? static_cast<int64_t>(it->second.position)
                                                       : static_cast<int64_t>(files_[it->second.path].data.size());
  if (base + distance < 0) return false;
  it->second.position = static_cast<uint64_t>(base + distance);
  if (position) *position = it->second.position;
  return true;
}

bool FakeEnv::Flush(FileHandle file) {
  const auto it = open_.find(file);
  if (it == open_.end() || Fails(Op::Flush) || Crashed()) return false;
  File& f = files_[it->second.path];
  f.durable = f.data;
  return true;
}

void FakeEnv::Close(FileHandle file) { open_.erase(file); }

bool FakeEnv::CreateFolder(const std::u16string& path) {
  const std::u16string folder = WithoutTrailingSeparator(path);
  if (folders_.count(folder) || !folders_.count(Parent(folder)) || Crashed()) return false;
  folders_.insert(folder);
  return true;
}

bool FakeEnv::ListFolder(const std::u16string& path, std::vector<std::u16string>* names) {
  const std::u16string folder = WithoutTrailingSeparator(path);
  names->clear();
  if (!folders_.count(folder)) return false;
  for (const auto& [file, contents] : files_) {
    if (Parent(file) == folder) names->push_back(path_util::FindFileName(file, kSeparator));
  }
  for (const auto& sub : folders_) {
    if (sub != folder && Parent(sub) == folder) names->push_back(path_util::FindFileName(sub, kSeparator));
  }
  return true;
}

bool FakeEnv::FileExists(const std::u16string& path) {
  return files_.count(path) || folders_.count(WithoutTrailingSeparator(path));
}

bool FakeEnv::IsFolder(const std::u16string& path) { return folders_.count(WithoutTrailingSeparator(path)) > 0; }

bool FakeEnv::MoveReplacing(const std::u16string& from, const std::u16string& to) {
  if (!files_.count(from) || Fails(Op::Rename) || Crashed()) return false;
  File moved = files_[from];
  moved.durable = moved.data;  // the replacement is durable on return
  files_.erase(from);
  files_[to] = moved;
  return true;
}

bool FakeEnv::RenameFile(const std::u16string& from, const std::u16string& to) {
  if (files_.count(to)) return false;
  return MoveReplacing(from, to);
}

bool FakeEnv::RemoveFile(const std::u16string& path) {
  if (!files_.count(path) || Crashed()) return false;
  files_.erase(path);
  return true;
}

bool FakeEnv::SendToRecycleBin(const std::u16string& path) { return RemoveFile(path); }

std::u16string FakeEnv::CombinePath(const std::u16string& folder, const std::u16string& name) {
  return path_util::Combine(folder, name, kSeparator);
}
std::u16string FakeEnv::RemoveFileSpec(const std::u16string& path) {
  return path_util::RemoveFileSpec(path, kSeparator);
}
std::u16string FakeEnv::FindFileName(const std::u16string& path) { return path_util::FindFileName(path, kSeparator); }
std::u16string FakeEnv::RemoveExtension(const std::u16string& path) {
  return path_util::RemoveExtension(path, kSeparator);
}
std::u16string FakeEnv::AddTrailingSeparator(const std::u16string& path) {
  return path_util::AddTrailingSeparator(path, kSeparator);
}

}  // namespace qm::test
