// Any bytes as a settings file: loading never crashes, hangs or allocates wildly, leaves every string
// field terminated and the colour rules' paths referenced, and whatever loads saves and loads again
// the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_state.h"
#include "storage/settings_file.h"
#include "support/fake_env.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

template <size_t N>
void CheckTerminated(const char16_t (&array)[N]) {
  Check(array[N - 1] == 0);
}

void CheckStrings(const qm::AppSettings& s) {
  for (const qm::FileDialogState* d : {&s.logDialog, &s.exportDialog, &s.colorDialog}) {
    CheckTerminated(d->folder), CheckTerminated(d->fileTitle), CheckTerminated(d->fullPath);
  }
  CheckTerminated(s.listExportFolder), CheckTerminated(s.usageExportFolder);
  CheckTerminated(s.listExportName), CheckTerminated(s.usageExportName);
  CheckTerminated(s.listTextTemplate), CheckTerminated(s.listCsvTemplate);
  CheckTerminated(s.usageTextTemplate), CheckTerminated(s.usageCsvTemplate);
}

// Every colour key whose path the pool holds carries the colour rules' reference.
void CheckColorReferences(const qm::AppState& app) {
  for (const auto& [key, color] : app.colors.appColors) {
    const qm::PoolEntry* entry = app.pool.Find(key);
    Check(!entry || (entry->users & qm::UserColorRules));
  }
}

void CheckHistory(const qm::SearchHistory& history) {
  uint64_t total = 0;
  for (const auto& entry : history.Entries()) total += entry.byteSize, Check(!entry.Text().empty());
  Check(history.Count() <= history.Capacity() && total == history.ByteTotal());
}

// Saved and loaded again, the state is the same, the history in the same order.
void CheckRoundTrip(qm::test::FakeEnv& env, qm::AppState& app) {
  qm::SaveSettingsFile(app);
  qm::AppState again(env);
  const bool loaded = qm::LoadSettingsFile(again);
  Check(loaded == (app.searchHistory.Count() > 0));
  Check(std::memcmp(&again.settings, &app.settings, sizeof(qm::AppSettings)) == 0);
  Check(again.colors.mode == app.colors.mode);
  for (const auto& [key, color] : again.colors.appColors) Check(app.colors.appColors.at(key) == color);
  if (!app.colors.genericColors.empty()) Check(again.colors.genericColors == app.colors.genericColors);
  if (!app.colors.hourColors.empty()) Check(again.colors.hourColors == app.colors.hourColors);
  const auto& before = app.searchHistory.Entries();
  const auto& after = again.searchHistory.Entries();
  Check(before.size() == after.size());
  for (size_t i = 0; i < before.size(); ++i) Check(before[i].Text() == after[i].Text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string path = u"/app/config";
  qm::test::FakeEnv env;
  env.PutFile(path, std::string(reinterpret_cast<const char*>(data), size));
  qm::AppState app(env);
  app.pool.Intern(u"C:\\recorded.exe", qm::UserCurrentDay);
  const bool loaded = qm::LoadSettingsFileFrom(app, path);
  CheckStrings(app.settings);
  CheckColorReferences(app);
  CheckHistory(app.searchHistory);
  if (loaded) CheckRoundTrip(env, app);
  return 0;
}
