#include "ui/settings/config_choices.h"

namespace qm {
namespace {

constexpr Choice kCheckPeriods[] = {{u"20ms", 20},   {u"50ms", 50},   {u"100ms", 100},
                                    {u"200ms", 200}, {u"300ms", 300}, {u"500ms", 500}};
constexpr Choice kTimelinePeriods[] = {{u"20ms", 20},   {u"50ms", 50},   {u"100ms", 100},
                                       {u"250ms", 250}, {u"500ms", 500}, {u"1000ms", 1000}};
// In the order of the interval; the values are the schedule's codes, which follow another order.
constexpr Choice kAutoSaves[] = {
    {u"しない", 0}, {u"一時間おき", 1}, {u"三時間おき", 3}, {u"六時間おき", 4}, {u"半日おき", 2}};
constexpr Choice kDeleteAges[] = {{u"しない", 0}, {u"一週間", 1}, {u"ひと月", 2}, {u"半年", 3}, {u"一年", 4}};

constexpr char16_t kForbidden[] = u"\\/?:*\"><|";
constexpr char16_t kDateSpecifiers[] = u"yYmMdDhHiIsSlL";

bool Holds(std::u16string_view set, char16_t c) { return set.find(c) != std::u16string_view::npos; }

}  // namespace

const std::array<ChoiceList, kChoiceListCount> kSettingsChoiceLists = {{
    {kCheckPeriods, &AppSettings::checkPeriodMs, 2, false},
    {kTimelinePeriods, &AppSettings::timelinePeriodMs, 2, false},
    {kAutoSaves, &AppSettings::autoSave, 0, false},
    {kDeleteAges, &AppSettings::deleteAge, -1, true},
}};

std::array<int, kChoiceListCount> ChoiceSelections(const AppSettings& settings) {
  std::array<int, kChoiceListCount> selections{};
  for (int i = 0; i < kChoiceListCount; ++i) {
    const ChoiceList& list = kSettingsChoiceLists[i];
    selections[i] = list.fallback;
    for (size_t e = 0; e < list.entries.size(); ++e) {
      if (list.entries[e].value == settings.*list.field) {
        selections[i] = static_cast<int>(e);
        break;
      }
    }
  }
  return selections;
}

void StoreChoiceSelections(AppSettings& settings, const std::array<int, kChoiceListCount>& selections) {
  for (int i = 0; i < kChoiceListCount; ++i) {
    const ChoiceList& list = kSettingsChoiceLists[i];
    const int selected = selections[i];
    if (list.storesIndex) {
      settings.*list.field = selected;
    } else if (selected >= 0 && static_cast<size_t>(selected) < list.entries.size()) {
      settings.*list.field = list.entries[selected].value;
    }
  }
}

int ValidateNameTemplate(std::u16string_view text) {
  bool percentPending = false;
  int result = kNameTemplateOk;
  for (const char16_t c : text) {
    if (Holds(kForbidden, c)) return kNameTemplateBadCharacter;
    if (c == u'%') {
      percentPending = true;
    } else if (percentPending) {
      if (!Holds(kDateSpecifiers, c)) result = kNameTemplateBadSpecifier;
      percentPending = false;
    }
  }
  return result;
}

const char16_t* NameTemplateStatus(int check) {
  switch (check) {
    case kNameTemplateBadCharacter: return u"使用できない文字が含まれています";
    case kNameTemplateBadSpecifier: return u"文字指定が異常です";
    default: return u"";
  }
}

std::u16string ExportStatusText(bool folderExists, int nameCheck) {
  const std::u16string name = NameTemplateStatus(nameCheck);
  if (folderExists) return name;
  return name.empty() ? kMissingFolderStatus : kMissingFolderStatus + (u"　" + name);
}

}  // namespace qm
