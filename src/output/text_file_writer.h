// A UTF-16LE text file written line by line through the crash-safe FileWriter: lines are gathered
// in memory and written in large pieces, and the file replaces its target only when every write
// succeeded.
#pragma once

#include <string>
#include <string_view>

#include "platform/env.h"
#include "storage/file_objects.h"

namespace qm {

class TextFileWriter {
 public:
  explicit TextFileWriter(Env& env) : file_(env) {}

  // Starts the file that will replace `path`, beginning with the byte-order mark FF FE if asked.
  bool Open(const std::u16string& path, bool writeBom);
  bool IsOpen() const { return file_.IsOpen(); }
  // Appends the line's code units, without any terminator.
  void WriteLine(std::u16string_view line);
  // Writes what is gathered and puts the file in place; false (the old file kept) if any write failed.
  bool Commit();

 private:
  bool WritePending();

  FileWriter file_;
  std::u16string pending_;
};

}  // namespace qm
