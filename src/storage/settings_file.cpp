#include "storage/settings_file.h"

#include "storage/log_folder.h"

namespace qm {
namespace {

struct SettingsLayout {
  uint32_t tag;
  uint32_t recordBytes;
};

constexpr uint32_t Tag(const char (&text)[5]) {
  return static_cast<uint32_t>(text[0]) | static_cast<uint32_t>(text[1]) << 8 | static_cast<uint32_t>(text[2]) << 16 |
         static_cast<uint32_t>(text[3]) << 24;
}

constexpr SettingsLayout kNewestLayout{Tag("cfgi"), kSettingsBytesCfgi};
constexpr SettingsLayout kTaggedLayouts[] = {
    kNewestLayout,
    {Tag("cfgh"), kSettingsBytesCfgh},
    {Tag("cfgg"), kSettingsBytesCfgg},
    {Tag("cfgf"), kSettingsBytesCfgf},
    {Tag("cfge"), kSettingsBytesCfge},
};

// The record bytes announced by the file's first four bytes; anything but a known tag is the start of
// the oldest layout, which had no tag, and the reader is put back to the start of the file.
uint32_t RecordBytesOf(FileReader& file) {
  uint32_t tag = 0;
  if (file.ReadExact(&tag, sizeof tag)) {
    for (const SettingsLayout& layout : kTaggedLayouts) {
      if (layout.tag == tag) return layout.recordBytes;
    }
  }
  file.Seek(0, SeekOrigin::Begin);
  return kSettingsBytesUntagged;
}

bool ReadSettingsBlock(FileReader& file, AppSettings& settings) {
  const uint32_t length = RecordBytesOf(file);
  const uint32_t got = file.Read(&settings, length);
  TerminateStringFields(settings);
  return got == length;
}

bool WriteSettingsBlock(FileWriter& file, const AppSettings& settings) {
  return file.Write(&kNewestLayout.tag, sizeof kNewestLayout.tag) && file.Write(&settings, sizeof settings);
}

}  // namespace

std::u16string SettingsFilePath(Env& env) { return env.CombinePath(ExecutableFolder(env), u"config"); }

bool SaveSettingsFile(StoredState& app) {
  FileWriter file(app.env);
  if (!file.Open(SettingsFilePath(app.env))) return false;
  if (!WriteSettingsBlock(file, app.settings) || !WriteColorBlock(file, app.colors, app.pool)) return false;
  const bool historyWritten = WriteHistoryBlock(file, app.searchHistory);
  return file.Commit() && historyWritten;
}

bool LoadSettingsFile(StoredState& app) { return LoadSettingsFileFrom(app, SettingsFilePath(app.env)); }

bool LoadSettingsFileFrom(StoredState& app, const std::u16string& path) {
  FileReader file(app.env);
  if (!file.Open(path)) return false;
  return ReadSettingsBlock(file, app.settings) && ReadColorBlock(file, app.colors, app.pool) &&
         ReadHistoryBlock(file, app.searchHistory);
}

}  // namespace qm
