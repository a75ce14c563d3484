#include "platform/posix/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qm {
namespace {

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

// Percent-encodes everything but the unreserved characters and '/', as the Path key requires.
std::string EncodePath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '~' || c == '/';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string AbsolutePath(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  char resolved[PATH_MAX];
  if (!realpath(folder.c_str(), resolved)) return std::string();
  const std::string base = resolved;
  return (base == "/" ? base : base + "/") + name;
}

std::string InfoText(const std::string& original, const LocalTime& t) {
  char date[64];
  std::snprintf(date, sizeof date, "%04u-%02u-%02uT%02u:%02u:%02u", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return "[Trash Info]\nPath=" + EncodePath(original) + "\nDeletionDate=" + date + "\n";
}

// Reserves a name in the trash by creating its .trashinfo exclusively; returns the name or "".
std::string ReserveName(const std::string& trash, const std::string& baseName, const std::string& info) {
  for (int attempt = 1; attempt < 10000; ++attempt) {
    const std::string name = attempt == 1 ? baseName : baseName + "." + std::to_string(attempt);
    const std::string infoPath = trash + "/info/" + name + ".trashinfo";
    const int fd = open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return std::string();
    }
    struct stat existing;
    const bool taken = lstat((trash + "/files/" + name).c_str(), &existing) == 0;
    const bool written = !taken && write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size()) &&
                         fsync(fd) == 0;
    close(fd);
    if (written) return name;
    unlink(infoPath.c_str());
    if (!taken) return std::string();
  }
  return std::string();
}

// For a file on another file system: copy, sync, then remove the original.
bool CopyThenRemove(const std::string& from, const std::string& to) {
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  bool ok = out >= 0;
  char buffer[65536];
  while (ok) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n == 0) break;
    ok = n > 0 && write(out, buffer, static_cast<size_t>(n)) == n;
  }
  ok = ok && fsync(out) == 0;
  close(in);
  if (out >= 0) close(out);
  if (ok && unlink(from.c_str()) == 0) return true;
  if (out >= 0) unlink(to.c_str());
  return false;
}

}  // namespace

std::string HomeTrashFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/Trash";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/Trash";
  return std::string();
}

bool MoveToTrash(const std::string& path, const LocalTime& deletedAt) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return false;
  const std::string trash = HomeTrashFolder();
  const std::string original = AbsolutePath(path);
  if (trash.empty() || original.empty()) return false;
  if (!MakeFolders(trash + "/files") || !MakeFolders(trash + "/info")) return false;

  const std::string baseName = original.substr(original.rfind('/') + 1);
  const std::string name = ReserveName(trash, baseName, InfoText(original, deletedAt));
  if (name.empty()) return false;
  const std::string destination = trash + "/files/" + name;
  if (rename(path.c_str(), destination.c_str()) == 0) return true;
  if (errno == EXDEV && S_ISREG(info.st_mode) && CopyThenRemove(path, destination)) return true;
  unlink((trash + "/info/" + name + ".trashinfo").c_str());
  return false;
}

}  // namespace qm
