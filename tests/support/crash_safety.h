// Runs a save under every fault the fake file system can inject and checks that each file the save
// replaces is afterwards its previous version or the complete new one, never a mixture. Header-only:
// the support library is also linked by the fuzz targets, which have no GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/file_objects.h"
#include "support/fake_env.h"

namespace qm::test {

// A file a save replaces: its bytes before the save and after a successful one, and optionally a check
// that loads what is on disk and finds the version `isNew` names.
struct ReplacedFile {
  std::u16string path;
  std::string before, after;
  std::function<void(bool isNew)> loadsAs;
};

// For the N-th write, flush or rename failing, and for the process killed after N disk changes, each N
// from the first until the save gets through: every file holds its old or its new bytes, and `save`
// reports success exactly when all hold the new ones. A failed save leaves no temporary file; after a
// kill the files load as they are and the next save succeeds and clears any leftover.
inline void ExpectOldOrNewUnderEveryFault(FakeEnv& env, const std::vector<ReplacedFile>& files,
                                          const std::function<bool()>& save) {
  auto putOld = [&] {
    for (const ReplacedFile& file : files) env.PutFile(file.path, file.before);
  };
  auto eachOldOrNew = [&](bool noTemporaryFiles) {  // true when all hold the new bytes
    bool allNew = true;
    for (const ReplacedFile& file : files) {
      const std::string bytes = env.FileBytes(file.path);
      const bool isNew = bytes == file.after, whole = isNew || bytes == file.before;
      EXPECT_TRUE(whole) << "file " << std::string(file.path.begin(), file.path.end());
      if (whole && file.loadsAs) file.loadsAs(isNew);
      EXPECT_FALSE(noTemporaryFiles && env.HasFile(FileWriter::TemporaryPathFor(file.path)));
      allNew = allNew && isNew;
    }
    return allNew;
  };
  using Op = FakeEnv::Op;
  for (Op op : {Op::Write, Op::Flush, Op::Rename}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(::testing::Message() << "operation " << static_cast<int>(op) << " failing at " << n);
      ASSERT_LT(n, 10'000) << "the save never got through";
      putOld();
      env.FailNth(op, n);
      const bool saved = save();
      EXPECT_TRUE(n > 1 || !saved) << "the save must write, flush and rename";
      EXPECT_EQ(saved, eachOldOrNew(true));
      if (saved) break;
    }
    env.FailNth(op, 0);
  }
  for (int n = 0;; ++n) {
    SCOPED_TRACE(::testing::Message() << "killed after " << n << " changes");
    ASSERT_LT(n, 10'000) << "the save never got through";
    putOld();
    env.CrashAfter(n);
    const bool saved = save();
    env.Restart();
    eachOldOrNew(false);
    ASSERT_TRUE(save());
    EXPECT_TRUE(eachOldOrNew(true));
    if (saved) break;
  }
}

}  // namespace qm::test
