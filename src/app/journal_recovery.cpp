#include "app/journal_recovery.h"

#include "output/auto_export.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

enum class Replay { Unread, Current, Saved, SaveFailed };

bool SameDate(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

// Adds what the journal holds beyond the day loaded in `state` and saves the day, which also clears
// what a save cut short by the crash left behind.
Replay ReplayJournal(StoredState& state, const LocalTime& date, const std::u16string& path, JournalTail* tail) {
  JournalContents contents;
  if (!ReadJournalFile(state.env, path, &contents)) return Replay::Unread;
  *tail = contents.tail;
  ApplyJournal(contents, state.pool, state.sampler.day);
  if (state.sampler.day.Count() == 0) return Replay::Current;
  return SaveDayLog(state, date.year, date.month, date.day) ? Replay::Saved : Replay::SaveFailed;
}

// A damaged journal is kept aside, never deleted; the rest of it could not be read anyway.
void SetAsideDamaged(Env& env, const std::u16string& path, std::vector<std::u16string>* keptAside) {
  std::u16string aside;
  if (SetAsideUnreadable(env, path, &aside)) keptAside->push_back(aside);
}

// Once the day log holds the journal's records, the journal goes.
void Retire(Env& env, const std::u16string& path, JournalTail tail, std::vector<std::u16string>* keptAside) {
  if (tail == JournalTail::Damaged) {
    SetAsideDamaged(env, path, keptAside);
  } else {
    env.RemoveFile(path);
  }
}

// The program died before midnight and did not run since: the day's file is completed the same way,
// and the automatic export that its day change would have run is run for it. A journal whose day
// cannot be saved now stays for the next start.
void RecoverEarlierDay(const AppState& app, const LocalTime& date, std::vector<std::u16string>* keptAside) {
  OutputState day(app.env);
  day.settings = app.settings;
  CompileTemplates(day.settings, day.templates);
  LoadTodayDayLog(day, date.year, date.month, date.day, keptAside);
  const std::u16string path = JournalKeeper::PathFor(app.env, date);
  JournalTail tail = JournalTail::Clean;
  const Replay replay = ReplayJournal(day, date, path, &tail);
  if (replay == Replay::Saved) RunAutoExport(day, date);
  if (replay == Replay::Current || replay == Replay::Saved) Retire(app.env, path, tail, keptAside);
}

}  // namespace

void RecoverRecording(AppState& app, const LocalTime& today, std::vector<std::u16string>* keptAside) {
  Env& env = app.env;
  std::vector<std::u16string> names;
  env.ListFolder(LogFolder(env), &names);
  for (const std::u16string& name : names) {
    const auto date = DateOfJournalName(name);
    if (date && !SameDate(*date, today)) RecoverEarlierDay(app, *date, keptAside);
  }

  LoadTodayDayLog(app, today.year, today.month, today.day, keptAside);
  const std::u16string path = JournalKeeper::PathFor(env, today);
  if (!env.FileExists(path)) {
    app.journal.Start(app, false);
    return;
  }
  JournalTail tail = JournalTail::Clean;
  switch (ReplayJournal(app, today, path, &tail)) {
    case Replay::Unread:
      // Neither added to nor replaced: what it holds waits for the next start.
      return;
    case Replay::Current:
    case Replay::Saved:
      Retire(env, path, tail, keptAside);
      app.journal.Start(app, env.FileExists(path));
      return;
    case Replay::SaveFailed:
      // The day stays in memory and in the journal: a clean journal is added to, any other is
      // written afresh from the day (a damaged one kept aside first).
      if (tail == JournalTail::Damaged) SetAsideDamaged(env, path, keptAside);
      app.journal.Start(app, tail != JournalTail::Clean);
      return;
  }
}

}  // namespace qm
