#include "support/recording_session.h"

#include "app/journal_recovery.h"
#include "app/sampler.h"

namespace qm::test {

void SetSimulatedTime(FakeEnv& env, uint64_t ms) {
  const uint64_t day = ms / kMillisecondsPerDay, in = ms % kMillisecondsPerDay;
  env.now = {2016, 3, 0, static_cast<uint16_t>(1 + day), static_cast<uint16_t>(in / 3'600'000),
             static_cast<uint16_t>(in / 60'000 % 60), static_cast<uint16_t>(in / 1000 % 60),
             static_cast<uint16_t>(in % 1000)};
  env.tick = static_cast<uint32_t>(1000 + ms);
}

RecordingSession::RecordingSession(FakeEnv& e, FakeWindowSystem& w, uint64_t ms) : env(e), windows(w) {
  SetSimulatedTime(env, ms);
  app.sampler.lastTick = env.now;
  RecoverRecording(app, env.now, &keptAside);
  list.Rebuild(app.sampler.day);
}

CheckTimerResult RecordingSession::Check(uint64_t ms, uintptr_t window) {
  SetSimulatedTime(env, ms);
  windows.foreground = window;
  return RunCheckTimer(app, windows, list, [this] { return SaveRecordingDay(app, app.journal); });
}

bool RecordingSession::Exit() {
  RecordOpenEntry(app);
  return SaveRecordingDay(app, app.journal);
}

std::vector<StoredRecord> ReadDayRecords(FakeEnv& env, uint16_t day) {
  AppState reader(env);
  std::vector<StoredRecord> records;
  if (!LoadDayLogFile(reader, reader.viewedDay, DayLogPath(env, 2016, 3, day), UserViewedDay)) return records;
  for (uint32_t i = 0; i < reader.viewedDay.Count(); ++i) {
    const ActivityRecord h = reader.viewedDay.Header(i);
    records.push_back({h.start, h.duration, h.exeKey, std::u16string(reader.viewedDay.Title(i))});
  }
  return records;
}

}  // namespace qm::test
