#include "storage/color_file.h"

#include "platform/path_util.h"
#include "storage/color_block.h"

namespace qm {

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

bool IsColorFileName(std::u16string_view name) { return path_util::HasExtension(name, u".color"); }

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
