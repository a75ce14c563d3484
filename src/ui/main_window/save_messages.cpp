#include "ui/main_window/save_messages.h"

namespace qm {
namespace {

std::u16string_view ReasonText(SaveFailure why) {
  switch (why) {
    case SaveFailure::CannotCreate: return Tr(TextId::CannotCreateTemporary);
    case SaveFailure::CannotWrite: return Tr(TextId::CannotWriteFile);
    case SaveFailure::CannotReplace: return Tr(TextId::CannotReplaceFile);
    case SaveFailure::CannotCompress: return Tr(TextId::CannotCompress);
    case SaveFailure::None:
    case SaveFailure::NothingToSave: break;
  }
  return u"";
}

}  // namespace

std::u16string ExitSaveFailedText(std::u16string_view path, SaveFailure why, bool journalKept) {
  std::u16string text = Tr(TextId::DayNotSaved);
  text.append(u"\n\n").append(path).append(u"\n").append(ReasonText(why));
  text.append(u"\n\n").append(Tr(TextId::SaveAgain)).append(u"\n");
  text += Tr(journalKept ? TextId::CancelKeepsJournal : TextId::CancelLosesRecords);
  return text;
}

std::u16string KeptAsideText(const std::vector<std::u16string>& paths) {
  std::u16string text = Tr(TextId::KeptAside) + std::u16string(u"\n");
  for (const std::u16string& path : paths) text.append(u"\n").append(path);
  return text;
}

}  // namespace qm
