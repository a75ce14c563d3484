#include "support/fake_env.h"

#include <algorithm>
#include <cstring>

namespace qm::test {

// Counts one change to the disk; true when the process is (now) dead and the change is lost: what
// was not flushed reverts.
bool FakeEnv::Crashed() {
  if (!crashed_ && crashAt_ >= 0 && operations_ >= crashAt_) {
    crashed_ = true;
    for (auto& [path, file] : files_) file.data = file.durable;
  }
  return crashed_ || (++operations_, false);
}

FileHandle FakeEnv::OpenForRead(const std::u16string& path) {
  const bool shared = std::any_of(open_.begin(), open_.end(), [&](const auto& o) { return o.second.path == path; });
  return !files_.count(path) || shared ? kInvalidFile : OpenAt(path, 0);  // no sharing
}

FileHandle FakeEnv::OpenForWrite(const std::u16string& path) {
  if (!folders_.count(Parent(path)) || folders_.count(path) || Crashed()) return kInvalidFile;
  files_[path].data.clear();
  return OpenAt(path, 0);
}

FileHandle FakeEnv::OpenForAppend(const std::u16string& path) {
  if (!folders_.count(Parent(path)) || folders_.count(path)) return kInvalidFile;
  if (!files_.count(path) && Crashed()) return kInvalidFile;  // only creating the file changes the disk
  return OpenAt(path, files_[path].data.size());
}

bool FakeEnv::Read(FileHandle file, void* buffer, uint32_t length, uint32_t* got) {
  *got = 0;
  Open* open = Find(file);
  if (!open) return false;
  const std::string& data = files_[open->path].data;
  if (open->position >= data.size()) return true;
  *got = static_cast<uint32_t>(std::min<uint64_t>(length, data.size() - open->position));
  std::memcpy(buffer, data.data() + open->position, *got);
  open->position += *got;
  return true;
}

bool FakeEnv::Write(FileHandle file, const void* data, uint32_t length) {
  Open* open = Find(file);
  if (!open || Fails(Op::Write) || Crashed()) return false;
  std::string& bytes = files_[open->path].data;
  if (bytes.size() < open->position + length) bytes.resize(open->position + length);
  std::memcpy(bytes.data() + open->position, data, length);
  open->position += length;
  return true;
}

bool FakeEnv::Seek(FileHandle file, int64_t distance, SeekOrigin origin, uint64_t* position) {
  Open* open = Find(file);
  if (!open) return false;
  const int64_t base = origin == SeekOrigin::Begin     ? 0
                       : origin == SeekOrigin::Current ? static_cast<int64_t>(open->position)
                                                       : static_cast<int64_t>(files_[open->path].data.size());
  if (base + distance < 0) return false;
  open->position = static_cast<uint64_t>(base + distance);
  if (position) *position = open->position;
  return true;
}

bool FakeEnv::Flush(FileHandle file) {
  Open* open = Find(file);
  if (!open || Fails(Op::Flush) || Crashed()) return false;
  files_[open->path].durable = files_[open->path].data;
  return true;
}

bool FakeEnv::CreateFolder(const std::u16string& path) {
  const std::u16string folder = Trimmed(path);
  if (folders_.count(folder) || !folders_.count(Parent(folder)) || Crashed()) return false;
  folders_.insert(folder);
  return true;
}

bool FakeEnv::ListFolder(const std::u16string& path, std::vector<std::u16string>* names) {
  const std::u16string folder = Trimmed(path);
  names->clear();
  if (!folders_.count(folder)) return false;
  for (const auto& [file, contents] : files_) if (Parent(file) == folder) names->push_back(FindFileName(file));
  for (const auto& sub : folders_) if (sub != folder && Parent(sub) == folder) names->push_back(FindFileName(sub));
  return true;
}

bool FakeEnv::MoveReplacing(const std::u16string& from, const std::u16string& to) {
  if (!files_.count(from) || Fails(Op::Rename) || Crashed()) return false;
  const File moved{files_[from].data, files_[from].data};  // the replacement is durable on return
  files_.erase(from);
  files_[to] = moved;
  return true;
}

}  // namespace qm::test
