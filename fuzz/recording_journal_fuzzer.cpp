// Any bytes as a recording journal: reading never crashes, hangs or allocates wildly; what it takes
// is written again and read back the same, and adds only valid records to a day.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "storage/recording_journal.h"
#include "support/fake_env.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<uint8_t> Rewritten(const qm::JournalContents& contents) {
  std::vector<uint8_t> bytes(qm::kJournalMagic, qm::kJournalMagic + sizeof qm::kJournalMagic);
  for (const auto& [key, path] : contents.paths) qm::AppendPathEntry(bytes, path);
  for (const auto& [index, r] : contents.records) {
    qm::AppendRecordEntry(bytes, index, {0, r.start, r.duration, r.exeKey}, r.title);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const qm::JournalContents contents = qm::ParseJournal(data, size);

  qm::test::FakeEnv env;
  env.PutFile(u"/app/log/20160307.journal", std::string(reinterpret_cast<const char*>(data), size));
  qm::JournalContents read;
  Check(qm::ReadJournalFile(env, u"/app/log/20160307.journal", &read));
  Check(read.records.size() == contents.records.size() && read.tail == contents.tail);

  const std::vector<uint8_t> bytes = Rewritten(contents);
  const qm::JournalContents again = qm::ParseJournal(bytes.data(), bytes.size());
  Check(again.tail == qm::JournalTail::Clean && again.paths == contents.paths);
  Check(again.records.size() == contents.records.size());
  for (const auto& [index, r] : contents.records) {
    const qm::JournaledRecord& back = again.records.at(index);
    Check(back.start == r.start && back.duration == r.duration && back.exeKey == r.exeKey && back.title == r.title);
  }

  qm::StringPool pool;
  qm::DayLog day;
  qm::ApplyJournal(contents, pool, day);
  for (uint32_t i = 0; i < day.Count(); ++i) {
    const qm::ActivityRecord header = day.Header(i);
    Check(header.size <= qm::kMaxRecordBytes && qm::IsValidTimeRange(header.start, header.duration));
  }
  return 0;
}
