// The failed save at exit names the file and the reason and tells what ending now means; the
// announcement of kept files names each of them.
#include "ui/save_messages.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SaveMessages, NameTheFileTheReasonAndWhatEndingNowMeans) {
  const std::u16string kept = ExitSaveFailedText(u"C:\\q\\log\\20160307.bin2", SaveFailure::CannotReplace, true);
  EXPECT_NE(kept.find(u"C:\\q\\log\\20160307.bin2"), std::u16string::npos);
  EXPECT_NE(kept.find(u"ファイルを置き換えられませんでした。"), std::u16string::npos);
  EXPECT_NE(kept.find(u"次の起動時に復元されます"), std::u16string::npos);
  const std::u16string lost = ExitSaveFailedText(u"x", SaveFailure::CannotCreate, false);
  EXPECT_NE(lost.find(u"一時ファイルを作成できませんでした。"), std::u16string::npos);
  EXPECT_NE(lost.find(u"失われます"), std::u16string::npos);

  const std::u16string announced = KeptAsideText({u"a.bin2.unreadable-1", u"a.journal.unreadable-1"});
  EXPECT_NE(announced.find(u"\na.bin2.unreadable-1\na.journal.unreadable-1"), std::u16string::npos);
}

}  // namespace
}  // namespace qm
