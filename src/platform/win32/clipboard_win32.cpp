#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"

namespace qm {
namespace {

// Movable global memory holding the text and its terminator; the clipboard takes ownership only
// when SetClipboardData succeeds.
HGLOBAL CopyToGlobalMemory(const std::u16string& text) {
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, bytes);
  if (memory == nullptr) return nullptr;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

bool CopyTextToClipboard(const std::u16string& text) {
  HGLOBAL memory = CopyToGlobalMemory(text);
  if (memory == nullptr) return false;
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

}  // namespace qm
