// The one interface between the program and the operating system: files, folders, the executable's
// location, the clock and the recycle bin. The Win32 and POSIX implementations are chosen by the build;
// tests use an in-memory fake with fault injection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// An open file; kInvalidFile when nothing is open (INVALID_HANDLE_VALUE on Windows, -1 on POSIX).
using FileHandle = intptr_t;
inline constexpr FileHandle kInvalidFile = -1;

enum class SeekOrigin { Begin, Current, End };

// Local date and time, field for field the Windows SYSTEMTIME.
struct LocalTime {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
};

class Env {
 public:
  virtual ~Env() = default;

  // Files, opened without sharing: for reading an existing file, or for writing a new or truncated one.
  virtual FileHandle OpenForRead(const std::u16string& path) = 0;
  virtual FileHandle OpenForWrite(const std::u16string& path) = 0;
  // For adding to the end of a file, created empty if it does not exist; others may read it meanwhile.
  virtual FileHandle OpenForAppend(const std::u16string& path) = 0;
  // Reads up to `length` bytes; `*got` tells how many arrived (0 at the end of the file).
  virtual bool Read(FileHandle file, void* buffer, uint32_t length, uint32_t* got) = 0;
  // True only when all `length` bytes were written.
  virtual bool Write(FileHandle file, const void* data, uint32_t length) = 0;
  virtual bool Seek(FileHandle file, int64_t distance, SeekOrigin origin, uint64_t* position) = 0;
  virtual bool Flush(FileHandle file) = 0;
  virtual void Close(FileHandle file) = 0;

  // Folders and whole files.
  virtual bool CreateFolder(const std::u16string& path) = 0;
  // Names of the entries of a folder (files and folders, without "." and ".."), in the system's order.
  virtual bool ListFolder(const std::u16string& path, std::vector<std::u16string>* names) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual bool IsFolder(const std::u16string& path) = 0;
  // Puts `from` in the place of `to` in one step, replacing `to` if it exists; durable on return.
  virtual bool MoveReplacing(const std::u16string& from, const std::u16string& to) = 0;
  // Renames `from` to `to`; fails if `to` exists.
  virtual bool RenameFile(const std::u16string& from, const std::u16string& to) = 0;
  virtual bool RemoveFile(const std::u16string& path) = 0;
  // Moves a file to the user's recycle bin, from where it can be restored.
  virtual bool SendToRecycleBin(const std::u16string& path) = 0;

  // The value of `key` in `section` of the private-profile (INI) file at `path`; false when the file,
  // the section or the key is missing. By default the file is read through this environment with
  // the rules of profile_text.h; the Win32 environment asks the system's private-profile functions.
  virtual bool ReadProfileString(const std::u16string& path, const std::u16string& section, const std::u16string& key,
                                 std::u16string* value);

  // The full path of the running executable; empty when it cannot be found.
  virtual std::u16string ExecutablePath() = 0;

  // Clock: local date and time with milliseconds, and a millisecond tick counter that wraps.
  virtual LocalTime Now() = 0;
  virtual uint32_t TickCount() = 0;

  // Path helpers with the system's own separator. (Named apart from the Win32 macros of the same words.)
  virtual std::u16string CombinePath(const std::u16string& folder, const std::u16string& name) = 0;
  virtual std::u16string RemoveFileSpec(const std::u16string& path) = 0;
  virtual std::u16string FindFileName(const std::u16string& path) = 0;
  virtual std::u16string RemoveExtension(const std::u16string& path) = 0;
  virtual std::u16string AddTrailingSeparator(const std::u16string& path) = 0;
};

// The implementation for the system the program was built for; lives as long as the process.
Env& DefaultEnv();

}  // namespace qm
