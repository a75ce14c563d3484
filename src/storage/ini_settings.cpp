#include "storage/ini_settings.h"

#include <charconv>
#include <optional>

#include "platform/path_util.h"
#include "platform/profile_text.h"
#include "platform/utf.h"
#include "storage/file_objects.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

constexpr const char* kUsagePeriodNames[] = {"day", "week", "month"};
constexpr const char* kLanguageNames[] = {"auto", "ja", "en"};

std::optional<std::string> Read(Env& env, const std::u16string& path, const char16_t* section, const char16_t* key) {
  std::u16string value;
  if (!env.ReadProfileString(path, section, key, &value)) return std::nullopt;
  return ToUtf8(value);
}

std::optional<uint32_t> Number(const std::optional<std::string>& text) {
  uint32_t value = 0;
  if (!text || text->empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
  return value;
}

bool IsAwayThreshold(uint32_t seconds) {
  return seconds == 0 || (seconds >= kAwayAfterSecondsMin && seconds <= kAwayAfterSecondsMax);
}

// The index of `text` among `names`, ignoring ASCII case.
template <typename Enum, size_t N>
std::optional<Enum> Named(const std::optional<std::string>& text, const char* const (&names)[N]) {
  if (!text) return std::nullopt;
  const std::u16string wanted = FromUtf8(*text);
  for (size_t i = 0; i < N; ++i) {
    if (path_util::EqualsIgnoringCase(wanted, FromUtf8(names[i]))) return static_cast<Enum>(i);
  }
  return std::nullopt;
}

}  // namespace

std::u16string IniFilePath(Env& env) { return env.CombinePath(ExecutableFolder(env), u"quillmere.ini"); }

IniSettings LoadIniSettings(Env& env) {
  const std::u16string path = IniFilePath(env);
  IniSettings s;
  const auto away = Number(Read(env, path, u"Recording", u"AwayAfterSeconds"));
  if (away && IsAwayThreshold(*away)) s.awayAfterSeconds = *away;
  const auto present = Number(Read(env, path, u"Recording", u"PresentWhileFullScreen"));
  if (present && *present <= 1) s.presentWhileFullScreen = *present == 1;
  s.usagePeriod = Named<UsagePeriod>(Read(env, path, u"Usage", u"Period"), kUsagePeriodNames).value_or(s.usagePeriod);
  s.language = Named<LanguageChoice>(Read(env, path, u"General", u"Language"), kLanguageNames).value_or(s.language);
  return s;
}

bool SaveIniSettings(Env& env, const IniSettings& s) {
  const std::u16string path = IniFilePath(env);
  std::string text = profile_text::ReadFile(env, path);
  text = profile_text::With(text, "Recording", "AwayAfterSeconds", std::to_string(s.awayAfterSeconds));
  text = profile_text::With(text, "Recording", "PresentWhileFullScreen", s.presentWhileFullScreen ? "1" : "0");
  text = profile_text::With(text, "Usage", "Period", kUsagePeriodNames[static_cast<size_t>(s.usagePeriod)]);
  text = profile_text::With(text, "General", "Language", kLanguageNames[static_cast<size_t>(s.language)]);
  FileWriter file(env);
  return file.Open(path) && file.Write(text.data(), static_cast<uint32_t>(text.size())) && file.Commit();
}

}  // namespace qm
