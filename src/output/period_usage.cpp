#include "output/period_usage.h"

#include <algorithm>

namespace qm {
namespace {

// The key with the most, the lower key on a tie, so that results never depend on the order of records.
bool Beats(uint64_t ms, int32_t key, uint64_t bestMs, int32_t bestKey) {
  return ms > bestMs || (ms == bestMs && ms != 0 && key < bestKey);
}

}  // namespace

PeriodAccumulator::Program& PeriodAccumulator::ProgramOf(int32_t key) {
  const auto [it, added] = programIndex_.try_emplace(key, static_cast<uint32_t>(programs_.size()));
  if (added) programs_.push_back({key});
  return programs_[it->second];
}

void PeriodAccumulator::AddRecord(DayTotals& totals, Program& program, const ActivityRecord& header) {
  const uint64_t start = header.start;
  const uint64_t end = start + header.duration;
  program.total += header.duration;
  ++program.count;
  totals.recorded += header.duration;
  totals.firstStart = totals.records == 0 ? header.start : std::min(totals.firstStart, header.start);
  totals.lastEnd = std::max(totals.lastEnd, end);
  ++totals.records;
  for (uint64_t t = start; t < end;) {
    const uint64_t hour = t / kMsPerHour;
    if (hour >= 23) {
      program.hours[23] += end - t;
      break;
    }
    const uint64_t take = std::min(end, (hour + 1) * kMsPerHour) - t;
    program.hours[hour] += take;
    t += take;
  }
}

void PeriodAccumulator::AddMinutes(DayTotals& totals, const ActivityRecord& header) {
  if (totals.minutes.empty()) totals.minutes.resize(kMinutesPerDay);
  constexpr uint64_t kMsPerMinute = 60'000;
  const uint64_t end = uint64_t{header.start} + header.duration;
  for (uint64_t t = header.start; t < end;) {
    const uint64_t minute = std::min<uint64_t>(t / kMsPerMinute, kMinutesPerDay - 1);
    const uint64_t take = minute == kMinutesPerDay - 1 ? end - t : std::min(end, (minute + 1) * kMsPerMinute) - t;
    MinuteTotals& cell = totals.minutes[minute];
    cell.recorded += static_cast<uint32_t>(take);
    if (take >= cell.longest) cell = {cell.recorded, static_cast<uint32_t>(take), static_cast<int32_t>(header.exeKey)};
    t += take;
  }
}

void PeriodAccumulator::AddDay(const CalendarDate& date, const DayLog& day, const StringPool& pool) {
  if (dayOpen_ && result_.days.back().date != date) FinishDay();
  if (!dayOpen_) {
    result_.days.emplace_back();
    result_.days.back().date = date;
    dayOpen_ = true;
  }
  DayTotals& totals = result_.days.back();
  // Records of one program come in runs; remembering the last one skips most look-ups.
  int32_t lastKey = 0;
  Program* last = nullptr;
  for (uint32_t i = 0; i < day.Count(); ++i) {
    const ActivityRecord header = day.Header(i);
    const auto key = static_cast<int32_t>(header.exeKey);
    if (last == nullptr || key != lastKey) {
      last = &ProgramOf(key);
      lastKey = key;
    }
    AddRecord(totals, *last, header);
    if (withMinutes_) AddMinutes(totals, header);
  }
  for (const Program& program : programs_) {
    if (result_.paths.count(program.key)) continue;
    const PoolEntry* entry = pool.Find(program.key);
    if (entry != nullptr && entry->text) result_.paths.emplace(program.key, std::u16string(entry->Text()));
  }
}

void PeriodAccumulator::FinishDay() {
  DayTotals& totals = result_.days.back();
  uint64_t best = 0;
  std::array<uint64_t, 24> bestOfHour{};
  for (const Program& program : programs_) {
    if (Beats(program.total, program.key, best, totals.topExe)) {
      best = program.total;
      totals.topExe = program.key;
    }
    for (size_t h = 0; h < 24; ++h) {
      HourTotals& hour = totals.hours[h];
      hour.recorded += program.hours[h];
      if (Beats(program.hours[h], program.key, bestOfHour[h], hour.topExe)) {
        bestOfHour[h] = program.hours[h];
        hour.topExe = program.key;
      }
    }
    AppUsageEntry& entry = usage_[program.key];
    entry.exeKey = program.key;
    entry.totalDuration += program.total;
    entry.count += program.count;
  }
  if (totals.records == 0) result_.days.pop_back();
  programs_.clear();
  programIndex_.clear();
  dayOpen_ = false;
}

PeriodUsage PeriodAccumulator::Finish() {
  if (dayOpen_) FinishDay();
  UsageTable& table = result_.usage;
  table.entries.clear();
  table.grandTotal = 0;
  for (const auto& [key, entry] : usage_) {
    table.entries.push_back(entry);
    table.grandTotal += entry.totalDuration;
  }
  usage_.clear();
  return std::move(result_);
}

PeriodUsage AggregatePeriod(Env& env, const std::vector<std::u16string>& folders, const DateRange& range,
                            const DayInMemory* inMemory, const std::atomic<bool>* stop, bool withMinutes) {
  PeriodAccumulator accumulator(range, withMinutes);
  std::vector<std::u16string> unreadable;
  ReadPeriodDays(
      env, folders, range,
      [&](const CalendarDate& date, const DayLog& day, const StringPool& pool) { accumulator.AddDay(date, day, pool); },
      &unreadable, inMemory, stop);
  PeriodUsage period = accumulator.Finish();
  period.unreadable = std::move(unreadable);
  return period;
}

void AcquirePeriodPaths(const PeriodUsage& period, StringPool& pool, uint16_t user) {
  for (const auto& [key, path] : period.paths) StringPool::Acquire(pool.Slot(key), path, user);
}

}  // namespace qm
