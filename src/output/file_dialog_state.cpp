#include "output/file_dialog_state.h"

#include <algorithm>
#include <string>

#include "core/fixed_string.h"

namespace qm {
namespace {

template <size_t N>
void CopyLimited(char16_t (&array)[N], std::u16string_view text, size_t limit) {
  CopyToArray(array, text.substr(0, std::min(limit, text.size())));
}

}  // namespace

void ProposeFileName(FileDialogState& state, Env& env, std::u16string_view name) {
  const std::u16string path = env.CombinePath(std::u16string(ArrayText(state.folder)), std::u16string(name));
  CopyLimited(state.fullPath, path, kDialogPathLimit);
  RememberChosenFile(state, env);
}

void StripProposedExtension(FileDialogState& state, Env& env) {
  CopyToArray(state.fullPath, env.RemoveExtension(std::u16string(ArrayText(state.fullPath))));
}

void RememberChosenFile(FileDialogState& state, Env& env) {
  CopyLimited(state.fullPath, ArrayText(state.fullPath), kDialogPathLimit);
  const std::u16string path(ArrayText(state.fullPath));
  CopyLimited(state.folder, env.RemoveFileSpec(path), kDialogPathLimit);
  CopyLimited(state.fileTitle, env.FindFileName(path), kDialogNameLimit);
}

}  // namespace qm
