// The environment on Linux: POSIX files with UTF-8 names, '/' as the separator, and the
// freedesktop.org trash as the recycle bin.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/env.h"
#include "platform/path_util.h"
#include "platform/posix/trash.h"
#include "platform/utf.h"

namespace qm {
namespace {

constexpr char16_t kSeparator = u'/';

std::string Native(const std::u16string& path) { return ToUtf8(path); }

int Fd(FileHandle file) { return static_cast<int>(file); }

bool SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

class PosixEnv final : public Env {
 public:
  FileHandle OpenForRead(const std::u16string& path) override {
    const int fd = open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kInvalidFile;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
      close(fd);
      return kInvalidFile;
    }
    return fd;
  }

  FileHandle OpenForWrite(const std::u16string& path) override {
    const int fd = open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? kInvalidFile : fd;
  }

  FileHandle OpenForAppend(const std::u16string& path) override {
    const int fd = open(Native(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    return fd < 0 ? kInvalidFile : fd;
  }

  bool Read(FileHandle file, void* buffer, uint32_t length, uint32_t* got) override {
    *got = 0;
    auto* out = static_cast<char*>(buffer);
    while (*got < length) {
      const ssize_t n = read(Fd(file), out + *got, length - *got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      *got += static_cast<uint32_t>(n);
    }
    return true;
  }

  bool Write(FileHandle file, const void* data, uint32_t length) override {
    const auto* in = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < length) {
      const ssize_t n = write(Fd(file), in + done, length - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<uint32_t>(n);
    }
    return true;
  }

  bool Seek(FileHandle file, int64_t distance, SeekOrigin origin, uint64_t* position) override {
    const int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    const off_t result = lseek(Fd(file), static_cast<off_t>(distance), whence);
    if (result < 0) return false;
    if (position) *position = static_cast<uint64_t>(result);
    return true;
  }

  bool Flush(FileHandle file) override { return fsync(Fd(file)) == 0; }

  void Close(FileHandle file) override {
    if (file != kInvalidFile) close(Fd(file));
  }

  bool CreateFolder(const std::u16string& path) override { return mkdir(Native(path).c_str(), 0755) == 0; }

  bool ListFolder(const std::u16string& path, std::vector<std::u16string>* names) override {
    names->clear();
    DIR* dir = opendir(Native(path).c_str());
    if (!dir) return false;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names->push_back(FromUtf8(name));
    }
    closedir(dir);
    return true;
  }

  bool FileExists(const std::u16string& path) override {
    struct stat info;
    return stat(Native(path).c_str(), &info) == 0;
  }

  bool IsFolder(const std::u16string& path) override {
    struct stat info;
    return stat(Native(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  bool MoveReplacing(const std::u16string& from, const std::u16string& to) override {
    const std::string target = Native(to);
    if (rename(Native(from).c_str(), target.c_str()) != 0) return false;
    SyncFolderOf(target);  // the rename is done; a failed folder sync only weakens durability
    return true;
  }

  bool RenameFile(const std::u16string& from, const std::u16string& to) override {
    const std::string target = Native(to);
    if (renameat2(AT_FDCWD, Native(from).c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
      SyncFolderOf(target);
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without RENAME_NOREPLACE: a hard link refuses an existing target just as well.
    if (link(Native(from).c_str(), target.c_str()) != 0) return false;
    unlink(Native(from).c_str());
    SyncFolderOf(target);
    return true;
  }

  bool RemoveFile(const std::u16string& path) override { return unlink(Native(path).c_str()) == 0; }

  bool SendToRecycleBin(const std::u16string& path) override { return MoveToTrash(Native(path), Now()); }

  std::u16string ExecutablePath() override {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return std::u16string();
    return FromUtf8(std::string(buffer, static_cast<size_t>(n)));
  }

  LocalTime Now() override {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    tm local;
    localtime_r(&now.tv_sec, &local);
    LocalTime t;
    t.year = static_cast<uint16_t>(local.tm_year + 1900);
    t.month = static_cast<uint16_t>(local.tm_mon + 1);
    t.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
    t.day = static_cast<uint16_t>(local.tm_mday);
    t.hour = static_cast<uint16_t>(local.tm_hour);
    t.minute = static_cast<uint16_t>(local.tm_min);
    t.second = static_cast<uint16_t>(local.tm_sec);
    t.milliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
    return t;
  }

  uint32_t TickCount() override {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
  }

  std::u16string CombinePath(const std::u16string& folder, const std::u16string& name) override {
    return path_util::Combine(folder, name, kSeparator);
  }
  std::u16string RemoveFileSpec(const std::u16string& path) override {
    return path_util::RemoveFileSpec(path, kSeparator);
  }
  std::u16string FindFileName(const std::u16string& path) override {
    return path_util::FindFileName(path, kSeparator);
  }
  std::u16string RemoveExtension(const std::u16string& path) override {
    return path_util::RemoveExtension(path, kSeparator);
  }
  std::u16string AddTrailingSeparator(const std::u16string& path) override {
    return path_util::AddTrailingSeparator(path, kSeparator);
  }
};

}  // namespace

Env& DefaultEnv() {
  static PosixEnv env;
  return env;
}

}  // namespace qm
