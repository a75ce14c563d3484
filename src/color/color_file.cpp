#include "color/color_file.h"

#include "storage/color_block.h"

namespace qm {
namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

}  // namespace

bool SaveColorFile(Env& env, const std::u16string& path, const ColorRules& rules, const StringPool& pool) {
  if (path.empty()) return false;
  FileWriter file(env);
  return file.Open(path) && WriteColorBlock(file, rules, pool) && file.Commit();
}

bool LoadColorFile(Env& env, const std::u16string& path, ColorRules& rules, StringPool& pool) {
  if (path.empty()) return false;
  FileReader file(env);
  return file.Open(path) && ReadColorBlock(file, rules, pool);
}

bool IsColorFileName(std::u16string_view name) {
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return false;
  const std::u16string_view extension = name.substr(dot);
  constexpr std::u16string_view kExtension = u".color";
  if (extension.size() != kExtension.size()) return false;
  for (size_t i = 0; i < extension.size(); ++i) {
    if (LowerAscii(extension[i]) != kExtension[i]) return false;
  }
  return true;
}

OpenedFiles OpenDroppedFiles(std::span<const std::u16string> names, const OpenFileAction& loadColorFile,
                             const OpenFileAction& showDayLog) {
  OpenedFiles opened;
  for (const std::u16string& name : names) {
    if (opened.colorLoaded && opened.logShown) break;
    if (!opened.colorLoaded && IsColorFileName(name)) {
      opened.colorLoaded = loadColorFile(name);
    } else if (!opened.logShown) {
      opened.logShown = showDayLog(name);
    }
  }
  return opened;
}

}  // namespace qm
