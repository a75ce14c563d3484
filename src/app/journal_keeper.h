// Keeps the recording journal in step with the day being recorded: every record the sampler closes,
// and the entry in progress, reach the disk within kJournalPeriodMs, and a successful save of the day
// makes the journal start afresh. Inactive until started, so that a state built for a test, a tool
// or a day being recovered writes nothing.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "storage/day_log_file.h"
#include "storage/recording_journal.h"
#include "storage/stored_state.h"

namespace qm {

// At most one flush of the journal in this time; a crash loses no more than this (plus one check).
inline constexpr uint32_t kJournalPeriodMs = 10'000;

class JournalKeeper {
 public:
  explicit JournalKeeper(Env& env) : file_(env) {}

  // From now on every record of `app`'s day from its current count on goes to the journal. With
  // `replace`, the journal file is first written whole from the day (its tail may be torn).
  void Start(StoredState& app, bool replace);
  bool Active() const { return active_; }

  // After every check: when kJournalPeriodMs have passed since the last write, writes what changed.
  void AfterTick(StoredState& app);
  // Writes what changed now, the entry in progress included or not. True when the journal holds
  // every record closed so far.
  bool WriteNow(StoredState& app, bool withOpenEntry);
  // After a save of the recording day: if it succeeded the journal is redundant and goes; if not,
  // the journal takes what the save could not, so that nothing waits in memory only.
  void AfterDaySave(StoredState& app, bool saved);
  // The recording day was emptied for a new date: the next entries go to that date's journal.
  void BeginNewDay();

  // True while the journal is kept and its last write went through.
  bool Healthy() const { return active_ && healthy_; }
  // Successful writes so far; tests and benchmarks follow the journal's progress by it.
  uint32_t Writes() const { return writes_; }
  // The journal file of the day being recorded.
  static std::u16string PathFor(Env& env, const LocalTime& day);

 private:
  // The entry in progress as last written to the journal.
  struct WrittenEntry {
    bool present = false;
    uint32_t index = 0;
    uint32_t start = 0;
    uint32_t startTick = 0;
    uint32_t exeKey = 0;
    uint32_t duration = 0;
    std::u16string title;
  };

  void CollectClosed(const StoredState& app, std::vector<uint8_t>& entries);
  void CollectOpen(const StoredState& app, std::vector<uint8_t>& entries);
  void CollectPath(const StringPool& pool, uint32_t exeKey, std::vector<uint8_t>& entries);
  bool Rewrite(StoredState& app, bool withOpenEntry);
  // Forgets what the journal file holds; the next write starts from record `from`.
  void Reset(uint32_t from);

  JournalAppender file_;
  bool active_ = false;
  bool healthy_ = true;   // false after a failed write: the next write replaces the file whole
  uint32_t written_ = 0;  // records of the day below this index are in the journal or the day log
  uint32_t lastWriteTick_ = 0;
  uint32_t writes_ = 0;
  WrittenEntry open_;
  std::set<uint32_t> pathsWritten_;
};

// Saves the recording day under the sampler's date and keeps the journal in step; `why` tells the
// reason of a failure.
bool SaveRecordingDay(StoredState& app, JournalKeeper& journal, SaveFailure* why = nullptr);

}  // namespace qm
