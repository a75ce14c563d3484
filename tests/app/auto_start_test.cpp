// Starting with Windows: the Run value's command line, the check box's writes, the rewrite after a
// move, and the start's arguments.
#include <gtest/gtest.h>

#include "app/auto_start.h"
#include "support/fake_run_key.h"

namespace qm {
namespace {

constexpr char16_t kExe[] = u"C:\\Program Files\\Quill mere\\quillmere.exe";

TEST(AutoStart, CommandQuotesThePathWithSpacesAndAddsTheTraySwitch) {
  EXPECT_EQ(AutoStartCommand(kExe), u"\"C:\\Program Files\\Quill mere\\quillmere.exe\" /tray");
  EXPECT_EQ(AutoStartCommand(u"D:\\q.exe"), u"\"D:\\q.exe\" /tray");
}

TEST(AutoStart, SwitchWritesAndRemovesTheValueAndReportsARefusal) {
  test::FakeRunKey key;
  key.values[u"Other"] = u"other.exe";
  EXPECT_FALSE(IsAutoStartOn(key));
  ASSERT_TRUE(SetAutoStart(key, kExe, true));
  EXPECT_TRUE(IsAutoStartOn(key));
  EXPECT_EQ(key.values[u"Quillmere"], AutoStartCommand(kExe));
  ASSERT_TRUE(SetAutoStart(key, kExe, false));
  EXPECT_FALSE(IsAutoStartOn(key));
  EXPECT_TRUE(SetAutoStart(key, kExe, false));  // already off
  EXPECT_EQ(key.values.size(), 1u);             // another program's value stays

  key.refuseWrites = true;
  EXPECT_FALSE(SetAutoStart(key, kExe, true));
  EXPECT_FALSE(IsAutoStartOn(key));
  key.values[u"Quillmere"] = AutoStartCommand(kExe);
  EXPECT_FALSE(SetAutoStart(key, kExe, false));
  EXPECT_TRUE(IsAutoStartOn(key));
}

TEST(AutoStart, AValueNamingAnotherPathIsRewrittenAtStartUp) {
  struct Case {
    const char16_t* stored;  // null: no value
    bool refuse;
    AutoStartRepair repair;
    const char16_t* after;  // null: still no value
  };
  const std::u16string moved = AutoStartCommand(kExe);
  const Case cases[] = {
      {nullptr, false, AutoStartRepair::Unchanged, nullptr},
      {u"\"c:\\program files\\quill mere\\QUILLMERE.EXE\" /TRAY", false, AutoStartRepair::Unchanged,
       u"\"c:\\program files\\quill mere\\QUILLMERE.EXE\" /TRAY"},
      {u"\"C:\\Old\\quillmere.exe\" /tray", false, AutoStartRepair::Rewritten, moved.c_str()},
      {u"\"C:\\Program Files\\Quill mere\\quillmere.exe\"", false, AutoStartRepair::Rewritten, moved.c_str()},
      {u"\"C:\\Old\\quillmere.exe\" /tray", true, AutoStartRepair::Failed, u"\"C:\\Old\\quillmere.exe\" /tray"},
  };
  for (const Case& c : cases) {
    test::FakeRunKey key;
    if (c.stored != nullptr) key.values[u"Quillmere"] = c.stored;
    key.refuseWrites = c.refuse;
    EXPECT_EQ(RepairAutoStart(key, kExe), c.repair);
    std::u16string after;
    EXPECT_EQ(key.Read(u"Quillmere", &after), c.after != nullptr);
    if (c.after != nullptr) {
      EXPECT_EQ(after, c.after);
    }
  }
}

TEST(StartArguments, TheTraySwitchAnywhereInAnyCaseAndEverythingElseAFile) {
  const std::u16string arguments[] = {u"a.color", u"/TRAY", u"b.bin2", u"-tray", u"/trays", u"tray"};
  const StartArguments start = ParseStartArguments(arguments);
  EXPECT_TRUE(start.inTray);
  EXPECT_EQ(start.files, (std::vector<std::u16string>{u"a.color", u"b.bin2", u"/trays", u"tray"}));
  const std::u16string plain[] = {u"x.bin2"};
  EXPECT_FALSE(ParseStartArguments(plain).inTray);
  EXPECT_FALSE(ParseStartArguments({}).inTray);
}

}  // namespace
}  // namespace qm
