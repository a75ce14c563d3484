// The values that start programs when the user signs in: on Windows the current user's
// Software\Microsoft\Windows\CurrentVersion\Run key. Only the program asks (win32); tests use a fake.
#pragma once

#include <string>

namespace qm {

class RunKey {
 public:
  virtual ~RunKey() = default;

  // The command line stored under `name`; false when there is no such value or it cannot be read.
  virtual bool Read(const std::u16string& name, std::u16string* command) = 0;
  // Stores `command` under `name`, replacing what was there; false when the key cannot be written.
  virtual bool Write(const std::u16string& name, const std::u16string& command) = 0;
  // Removes the value; true also when there was none.
  virtual bool Remove(const std::u16string& name) = 0;
};

// The current user's Run key; lives as long as the process.
RunKey& DefaultRunKey();

}  // namespace qm
