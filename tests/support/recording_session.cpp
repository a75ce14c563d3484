#include "support/recording_session.h"

#include "app/journal_keeper.h"
#include "app/journal_recovery.h"
#include "app/sampler.h"
#include "storage/day_log_file.h"

namespace qm::test {

void SetSimulatedTime(FakeEnv& env, uint64_t ms) {
  const uint64_t day = ms / kMillisecondsPerDay, inDay = ms % kMillisecondsPerDay;
  env.now = {2016,
             3,
             static_cast<uint16_t>((2 + day) % 7),
             static_cast<uint16_t>(1 + day),
             static_cast<uint16_t>(inDay / 3'600'000),
             static_cast<uint16_t>(inDay / 60'000 % 60),
             static_cast<uint16_t>(inDay / 1000 % 60),
             static_cast<uint16_t>(inDay % 1000)};
  env.tick = static_cast<uint32_t>(1000 + ms);
}

void RecordingSession::Start() {
  app_ = std::make_unique<AppState>(env_);
  RecoverRecording(*app_, env_.Now(), &keptAside);
  list_.Rebuild(app_->sampler.day);
  list_.shownDate = {env_.now.year, env_.now.month, env_.now.day};
}

CheckTimerResult RecordingSession::Check() {
  return RunCheckTimer(*app_, windows_, list_, [this] {
    const bool saved = SaveRecordingDay(*app_, app_->journal);
    saves += saved;
    return saved;
  });
}

bool RecordingSession::Exit() {
  RecordOpenEntry(*app_);
  return SaveRecordingDay(*app_, app_->journal);
}

std::vector<StoredRecord> ReadDayRecords(FakeEnv& env, uint16_t day) {
  AppState reader(env);
  std::vector<StoredRecord> records;
  if (!LoadDayLogFile(reader, reader.viewedDay, DayLogPath(env, 2016, 3, day), UserViewedDay)) return records;
  for (uint32_t i = 0; i < reader.viewedDay.Count(); ++i) {
    const ActivityRecord h = reader.viewedDay.Header(i);
    const PoolEntry* exe = reader.pool.Find(static_cast<int32_t>(h.exeKey));
    records.push_back({h.start, h.duration, h.exeKey, std::u16string(reader.viewedDay.Title(i)),
                       exe ? std::u16string(exe->Text()) : std::u16string()});
  }
  return records;
}

}  // namespace qm::test
