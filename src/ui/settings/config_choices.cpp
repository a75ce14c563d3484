#include "ui/settings/config_choices.h"

#include "platform/utf.h"

namespace qm {
namespace {

constexpr Choice kCheckPeriods[] = {{20}, {50}, {100}, {200}, {300}, {500}};
constexpr Choice kTimelinePeriods[] = {{20}, {50}, {100}, {250}, {500}, {1000}};
// In the order of the interval; the values are the schedule's codes, which follow another order.
constexpr Choice kAutoSaves[] = {{0, TextId::Never},
                                 {1, TextId::EveryHour},
                                 {3, TextId::EveryThreeHours},
                                 {4, TextId::EverySixHours},
                                 {2, TextId::EveryTwelveHours}};
constexpr Choice kDeleteAges[] = {{0, TextId::Never},
                                  {1, TextId::AfterAWeek},
                                  {2, TextId::AfterAMonth},
                                  {3, TextId::AfterSixMonths},
                                  {4, TextId::AfterAYear}};

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
    case kNameTemplateBadCharacter: return Tr(TextId::NameBadCharacter);
    case kNameTemplateBadSpecifier: return Tr(TextId::NameBadSpecifier);
    default: return u"";
  }
}

std::u16string ExportStatusText(bool folderExists, int nameCheck) {
  const std::u16string name = NameTemplateStatus(nameCheck);
  if (folderExists) return name;
  const std::u16string folder = Tr(TextId::MissingFolder);
  return name.empty() ? folder : folder + Tr(TextId::StatusSeparator) + name;
}

std::u16string ChoiceText(const Choice& choice) {
  if (choice.text != TextId::Count) return Tr(choice.text);
  return FromUtf8(std::to_string(choice.value) + "ms");
}

}  // namespace qm
