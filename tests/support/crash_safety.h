// Runs a save under every fault the fake file system can inject and checks that each file the save
// replaces is afterwards its previous version or the complete new one, never a mixture. Header-only:
// the support library is also linked by the fuzz targets, which have no GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
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
  for (const std::optional<Op> failing : {std::optional(Op::Write), std::optional(Op::Flush), std::optional(Op::Rename),
                                          std::optional<Op>()}) {  // none: the process is killed
    for (int n = failing ? 1 : 0;; ++n) {
      SCOPED_TRACE((failing ? "operation " + std::to_string(static_cast<int>(*failing)) + " failing" : "killed") +
                   " at " + std::to_string(n));
      ASSERT_LT(n, 10'000) << "the save never got through";
      for (const ReplacedFile& file : files) env.PutFile(file.path, file.before);
      failing ? env.FailNth(*failing, n) : env.CrashAfter(n);
      const bool saved = save();
      if (failing) {
        EXPECT_TRUE(n > 1 || !saved) << "the save must write, flush and rename";
        EXPECT_EQ(saved, eachOldOrNew(true));
      } else {
        env.Restart();
        eachOldOrNew(false);
        ASSERT_TRUE(save());
        EXPECT_TRUE(eachOldOrNew(true));
      }
      if (saved) break;
    }
    if (failing) env.FailNth(*failing, 0);
  }
}

}  // namespace qm::test
