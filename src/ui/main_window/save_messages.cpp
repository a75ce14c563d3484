#include "ui/main_window/save_messages.h"

namespace qm {
namespace {

std::u16string_view ReasonText(SaveFailure why) {
  switch (why) {
    case SaveFailure::CannotCreate: return u"一時ファイルを作成できませんでした。";
    case SaveFailure::CannotWrite: return u"ファイルに書き込めませんでした。";
    case SaveFailure::CannotReplace: return u"ファイルを置き換えられませんでした。";
    case SaveFailure::CannotCompress: return u"データを圧縮できませんでした。";
    case SaveFailure::None:
    case SaveFailure::NothingToSave: break;
  }
  return u"";
}

}  // namespace

std::u16string ExitSaveFailedText(std::u16string_view path, SaveFailure why, bool journalKept) {
  std::u16string text = u"記録を保存できませんでした。\n\n";
  text.append(path).append(u"\n").append(ReasonText(why));
  text += u"\n\nもう一度保存しますか？\n";
  text += journalKept ? u"キャンセルして終了すると、保存できなかった記録は次の起動時に復元されます。"
                      : u"キャンセルして終了すると、保存できなかった記録は失われます。";
  return text;
}

std::u16string KeptAsideText(const std::vector<std::u16string>& paths) {
  std::u16string text = u"読み込めない記録ファイルがあったため、次の名前で残しました。\n";
  for (const std::u16string& path : paths) text.append(u"\n").append(path);
  return text;
}

}  // namespace qm
