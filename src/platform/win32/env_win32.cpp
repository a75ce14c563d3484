// The environment on Windows: wide-character Win32 file calls, the shell's path helpers and the
// shell's recycle bin. std::u16string and wchar_t share their size here, so paths pass straight through.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <array>
#include <string>
#include <string_view>

#include "platform/env.h"
#include "platform/path_util.h"

namespace qm {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 paths are handed to Win32 as they are");
static_assert(sizeof(HANDLE) == sizeof(FileHandle), "a FileHandle holds a HANDLE");

constexpr char16_t kSeparator = u'\\';
// Room for any path the shell helpers accept, with space to spare for what they add.
constexpr size_t kPathChars = 520;
using PathBuffer = std::array<wchar_t, kPathChars>;

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string FromWide(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

HANDLE ToHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle FromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kInvalidFile : reinterpret_cast<FileHandle>(handle);
}

// Copies `text` into a zero-filled buffer; false when it does not fit with its terminator.
bool ToBuffer(const std::u16string& text, PathBuffer* buffer) {
  buffer->fill(L'\0');
  if (text.size() >= kPathChars) return false;
  text.copy(reinterpret_cast<char16_t*>(buffer->data()), text.size());
  return true;
}

// "\\?\" lifts the MAX_PATH limit, but only full paths may carry it.
std::u16string LongPath(const std::u16string& path) {
  if (path.rfind(u"\\\\?\\", 0) == 0) return path;
  if (path.rfind(u"\\\\", 0) == 0) return u"\\\\?\\UNC\\" + path.substr(2);
  const bool drive = path.size() >= 3 && path[1] == u':' && path[2] == u'\\';
  return drive ? u"\\\\?\\" + path : path;
}

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

DWORD MoveMethod(SeekOrigin origin) {
  switch (origin) {
    case SeekOrigin::Begin: return FILE_BEGIN;
    case SeekOrigin::Current: return FILE_CURRENT;
    case SeekOrigin::End: return FILE_END;
  }
  return FILE_BEGIN;
}

class Win32Env final : public Env {
 public:
  FileHandle OpenForRead(const std::u16string& path) override {
    return FromHandle(
        CreateFileW(W(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  FileHandle OpenForWrite(const std::u16string& path) override {
    return FromHandle(
        CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  FileHandle OpenForAppend(const std::u16string& path) override {
    const FileHandle file = FromHandle(CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file != kInvalidFile && !Seek(file, 0, SeekOrigin::End, nullptr)) {
      Close(file);
      return kInvalidFile;
    }
    return file;
  }

  bool Read(FileHandle file, void* buffer, uint32_t length, uint32_t* got) override {
    *got = 0;
    auto* out = static_cast<char*>(buffer);
    while (*got < length) {
      DWORD n = 0;
      if (!ReadFile(ToHandle(file), out + *got, length - *got, &n, nullptr)) return false;
      if (n == 0) break;
      *got += n;
    }
    return true;
  }

  bool Write(FileHandle file, const void* data, uint32_t length) override {
    const auto* in = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < length) {
      DWORD n = 0;
      if (!WriteFile(ToHandle(file), in + done, length - done, &n, nullptr) || n == 0) return false;
      done += n;
    }
    return true;
  }

  bool Seek(FileHandle file, int64_t distance, SeekOrigin origin, uint64_t* position) override {
    LARGE_INTEGER move;
    move.QuadPart = distance;
    LARGE_INTEGER result;
    if (!SetFilePointerEx(ToHandle(file), move, &result, MoveMethod(origin))) return false;
    if (position) *position = static_cast<uint64_t>(result.QuadPart);
    return true;
  }

  bool Flush(FileHandle file) override { return FlushFileBuffers(ToHandle(file)) != 0; }

  void Close(FileHandle file) override {
    if (file != kInvalidFile) CloseHandle(ToHandle(file));
  }

  bool CreateFolder(const std::u16string& path) override { return CreateDirectoryW(W(path), nullptr) != 0; }

  bool ListFolder(const std::u16string& path, std::vector<std::u16string>* names) override {
    names->clear();
    const std::u16string pattern = LongPath(path_util::AddTrailingSeparator(path, kSeparator)) + u"*";
    WIN32_FIND_DATAW entry;
    FindHandle find(FindFirstFileW(W(pattern), &entry));
    // A drive's root has no "." entry, so an empty one reports "not found".
    if (!find.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(path);
    do {
      if (!IsDotEntry(entry.cFileName)) names->push_back(FromWide(entry.cFileName));
    } while (FindNextFileW(find.get(), &entry));
    return GetLastError() == ERROR_NO_MORE_FILES;
  }

  bool FileExists(const std::u16string& path) override {
    return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
  }

  bool IsFolder(const std::u16string& path) override {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool MoveReplacing(const std::u16string& from, const std::u16string& to) override {
    // ReplaceFileW keeps the target's identity (attributes, security); when it cannot (no target yet,
    // or e.g. ERROR_UNABLE_TO_MOVE_REPLACEMENT) `from` is still in place and a replacing move does it.
    if (FileExists(to) &&
        ReplaceFileW(W(to), W(from), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      return true;
    }
    return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool RenameFile(const std::u16string& from, const std::u16string& to) override {
    return MoveFileExW(W(from), W(to), MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool RemoveFile(const std::u16string& path) override { return DeleteFileW(W(path)) != 0; }

  bool SendToRecycleBin(const std::u16string& path) override {
    // pFrom is a list of names ended by an empty one, hence the zero-filled buffer.
    PathBuffer from;
    if (path.empty() || path.size() >= kPathChars - 1 || !ToBuffer(path, &from)) return false;
    SHFILEOPSTRUCTW operation;
    ZeroMemory(&operation, sizeof operation);
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
    if (SHFileOperationW(&operation) != 0 || operation.fAnyOperationsAborted) return false;
    return !FileExists(path);
  }

  bool ReadProfileString(const std::u16string& path, const std::u16string& section, const std::u16string& key,
                         std::u16string* value) override {
    // A default no file holds tells a missing key from an empty value.
    static constexpr wchar_t kMissing[] = L"\x1";
    std::array<wchar_t, 1024> buffer{};
    GetPrivateProfileStringW(W(section), W(key), kMissing, buffer.data(), static_cast<DWORD>(buffer.size()), W(path));
    if (std::wstring_view(buffer.data()) == kMissing) return false;
    *value = FromWide(buffer.data());
    return true;
  }

  std::u16string ExecutablePath() override {
    PathBuffer buffer{};
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return std::u16string();  // a cut-off path is no path
    return FromWide(buffer.data());
  }

  LocalTime Now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime t;
    t.year = now.wYear;
    t.month = now.wMonth;
    t.dayOfWeek = now.wDayOfWeek;
    t.day = now.wDay;
    t.hour = now.wHour;
    t.minute = now.wMinute;
    t.second = now.wSecond;
    t.milliseconds = now.wMilliseconds;
    return t;
  }

  uint32_t TickCount() override { return GetTickCount(); }

  // The shell helpers work within MAX_PATH; longer paths go to the portable arithmetic.
  std::u16string CombinePath(const std::u16string& folder, const std::u16string& name) override {
    PathBuffer out{};
    if (folder.size() < MAX_PATH && name.size() < MAX_PATH && PathCombineW(out.data(), W(folder), W(name))) {
      return FromWide(out.data());
    }
    return path_util::Combine(folder, name, kSeparator);
  }

  std::u16string RemoveFileSpec(const std::u16string& path) override {
    PathBuffer buffer;
    if (path.size() >= MAX_PATH || !ToBuffer(path, &buffer)) return path_util::RemoveFileSpec(path, kSeparator);
    PathRemoveFileSpecW(buffer.data());  // FALSE only means there was nothing to remove
    return FromWide(buffer.data());
  }

  std::u16string FindFileName(const std::u16string& path) override {
    const wchar_t* name = PathFindFileNameW(W(path));
    return path.substr(static_cast<size_t>(name - W(path)));
  }

  std::u16string RemoveExtension(const std::u16string& path) override {
    PathBuffer buffer;
    if (path.size() >= MAX_PATH || !ToBuffer(path, &buffer)) return path_util::RemoveExtension(path, kSeparator);
    PathRemoveExtensionW(buffer.data());
    return FromWide(buffer.data());
  }

  std::u16string AddTrailingSeparator(const std::u16string& path) override {
    PathBuffer buffer;
    if (ToBuffer(path, &buffer) && PathAddBackslashW(buffer.data())) return FromWide(buffer.data());
    return path_util::AddTrailingSeparator(path, kSeparator);
  }
};

}  // namespace

Env& DefaultEnv() {
  static Win32Env env;
  return env;
}

}  // namespace qm
