#include "app/journal_keeper.h"

#include "app/presence.h"
#include "core/fixed_string.h"
#include "storage/log_folder.h"

namespace qm {

std::u16string JournalKeeper::PathFor(Env& env, const LocalTime& day) {
  return env.CombinePath(LogFolder(env), JournalFileName(day.year, day.month, day.day));
}

void JournalKeeper::Reset(uint32_t from) {
  file_.Close();
  written_ = from;
  open_ = WrittenEntry();
  pathsWritten_.clear();
}

void JournalKeeper::Start(StoredState& app, bool replace) {
  active_ = true;
  healthy_ = true;
  lastWriteTick_ = app.env.TickCount();
  Reset(app.sampler.day.Count());
  if (replace) Rewrite(app, false);
}

void JournalKeeper::AfterTick(StoredState& app) {
  if (!active_) return;
  const uint32_t tick = app.env.TickCount();
  if (tick - lastWriteTick_ < kJournalPeriodMs) return;
  lastWriteTick_ = tick;
  WriteNow(app, true);
}

bool JournalKeeper::WriteNow(StoredState& app, bool withOpenEntry) {
  if (!active_) return false;
  if (!healthy_) return Rewrite(app, withOpenEntry);
  std::vector<uint8_t> entries;
  CollectClosed(app, entries);
  if (withOpenEntry) CollectOpen(app, entries);
  if (entries.empty()) return true;  // nothing changed: nothing written
  // A failed append may leave a torn entry behind, after which nothing more could be read back.
  healthy_ = file_.Append(PathFor(app.env, app.sampler.lastTick), entries);
  if (healthy_) ++writes_;
  return healthy_;
}

bool JournalKeeper::Rewrite(StoredState& app, bool withOpenEntry) {
  Reset(0);
  std::vector<uint8_t> entries;
  CollectClosed(app, entries);
  if (withOpenEntry) CollectOpen(app, entries);
  healthy_ = ReplaceJournalFile(app.env, PathFor(app.env, app.sampler.lastTick), entries);
  if (healthy_) ++writes_;
  return healthy_;
}

void JournalKeeper::AfterDaySave(StoredState& app, bool saved) {
  if (!active_) return;
  if (!saved) {
    WriteNow(app, false);
    return;
  }
  // The day log holds no entry in progress: one the journal had goes into the new journal at once,
  // so that its time stays covered. (One begun by the save's caller, at exit, was never written.)
  const SamplerState& s = app.sampler;
  const bool carryOpen = open_.present && s.open.isOpen && open_.index == s.day.Count() &&
                         open_.startTick == s.open.startTick && open_.start == s.open.start;
  Reset(s.day.Count());
  // A journal that stays (it could not be removed) is added to again only if it ends cleanly.
  const std::u16string path = PathFor(app.env, s.lastTick);
  if (app.env.RemoveFile(path) || !app.env.FileExists(path)) healthy_ = true;
  if (carryOpen) WriteNow(app, true);
}

void JournalKeeper::BeginNewDay() {
  Reset(0);
  healthy_ = true;
}

void JournalKeeper::CollectPath(const StringPool& pool, uint32_t exeKey, std::vector<uint8_t>& entries) {
  if (pathsWritten_.count(exeKey) != 0) return;
  // Only what the day log would hold for the day, so that a replayed day saves as a saved one.
  const PoolEntry* entry = pool.Find(static_cast<int32_t>(exeKey));
  if (entry == nullptr || !entry->text || !(entry->users & UserCurrentDay)) return;
  AppendPathEntry(entries, entry->Text());
  pathsWritten_.insert(exeKey);
}

void JournalKeeper::CollectClosed(const StoredState& app, std::vector<uint8_t>& entries) {
  const DayLog& day = app.sampler.day;
  for (uint32_t i = written_; i < day.Count(); ++i) {
    const uint8_t* record = day.At(i);
    if (record == nullptr) continue;
    const ActivityRecord header = ReadRecordHeader(record);
    const std::u16string_view title = RecordTitle(record);
    // The entry written while in progress has become this record: only its duration is new.
    const bool wasOpen = open_.present && open_.index == i && open_.start == header.start &&
                         open_.exeKey == header.exeKey && open_.title == title;
    if (wasOpen) {
      if (header.duration != open_.duration) AppendExtendEntry(entries, i, header.duration);
    } else {
      CollectPath(app.pool, header.exeKey, entries);
      AppendRecordEntry(entries, i, header, title);
    }
    if (open_.index <= i) open_.present = false;
  }
  written_ = day.Count();
}

void JournalKeeper::CollectOpen(const StoredState& app, std::vector<uint8_t>& entries) {
  const SamplerState& s = app.sampler;
  const std::u16string_view title = ArrayText(s.title);
  // Only the time someone was seen there: an entry that the away threshold ends in the past is
  // never journaled longer than it will be recorded.
  const uint32_t duration = SeenDuration(app, app.env.TickCount());
  // What the day log would refuse when the entry closes is not written either.
  if (!s.open.isOpen || !FitsDayLog(title) || !IsValidTimeRange(s.open.start, duration)) return;
  const uint32_t index = s.day.Count();
  const bool same = open_.present && open_.index == index && open_.start == s.open.start &&
                    open_.startTick == s.open.startTick;
  if (same) {
    if (duration != open_.duration) AppendExtendEntry(entries, index, duration);
  } else {
    CollectPath(app.pool, s.open.exeKey, entries);
    AppendRecordEntry(entries, index, {0, s.open.start, duration, s.open.exeKey}, title);
    open_ = {true, index, s.open.start, s.open.startTick, s.open.exeKey, 0, std::u16string(title)};
  }
  open_.duration = duration;
}

bool SaveRecordingDay(StoredState& app, JournalKeeper& journal, SaveFailure* why) {
  const LocalTime& day = app.sampler.lastTick;
  const bool saved = SaveDayLog(app, day.year, day.month, day.day, why);
  journal.AfterDaySave(app, saved);
  return saved;
}

}  // namespace qm
