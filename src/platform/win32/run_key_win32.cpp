// The current user's Run key through the registry functions.
#include <windows.h>

#include "platform/run_key.h"

namespace qm {
namespace {

constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Command lines longer than this are no command line of ours.
constexpr DWORD kMaxCommandBytes = 4096 * sizeof(wchar_t);

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

class Win32RunKey : public RunKey {
 public:
  bool Read(const std::u16string& name, std::u16string* command) override {
    wchar_t buffer[kMaxCommandBytes / sizeof(wchar_t)];
    DWORD bytes = sizeof buffer;
    // RRF_NOEXPAND: a REG_EXPAND_SZ someone wrote by hand is compared as it stands.
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, W(name), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, buffer, &bytes) != ERROR_SUCCESS) {
      return false;
    }
    command->assign(reinterpret_cast<const char16_t*>(buffer));
    return true;
  }

  bool Write(const std::u16string& name, const std::u16string& command) override {
    const DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(char16_t));
    return RegSetKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, W(name), REG_SZ, W(command), bytes) == ERROR_SUCCESS;
  }

  bool Remove(const std::u16string& name) override {
    const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, W(name));
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
};

}  // namespace

RunKey& DefaultRunKey() {
  static Win32RunKey key;
  return key;
}

}  // namespace qm
