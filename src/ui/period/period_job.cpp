#include "ui/period/period_job.h"

#include <cstring>

namespace qm {
namespace {

void CopyDay(const DayLog& from, DayLog& to) {
  to.Clear();
  for (uint32_t i = 0; i < from.Count(); ++i) {
    const uint32_t size = from.Header(i).size;
    if (uint8_t* record = to.At(to.Reserve(size))) std::memcpy(record, from.At(i), size);
  }
}

void CopyStrings(const StringPool& from, StringPool& to) {
  to.ClearAll();
  for (const auto& [key, entry] : from.Entries()) {
    if (entry.text) StringPool::Acquire(to.Slot(key), entry.Text(), UserViewedDay);
  }
}

}  // namespace

void PeriodJob::Start(Env& env, std::vector<std::u16string> folders, const DateRange& range, const DayInMemory* today,
                      std::function<void()> done, bool withMinutes) {
  Stop();
  stop_ = false;
  const DayInMemory* inMemory = nullptr;
  if (today != nullptr && range.Contains(today->date)) {
    CopyDay(*today->day, today_);
    CopyStrings(*today->pool, todayPool_);
    inMemory_ = {today->date, &today_, &todayPool_};
    inMemory = &inMemory_;
  }
  thread_ = std::thread([this, &env, folders = std::move(folders), range, inMemory, done = std::move(done), withMinutes] {
    auto result = std::make_unique<PeriodUsage>(AggregatePeriod(env, folders, range, inMemory, &stop_, withMinutes));
    if (stop_) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      result_ = std::move(result);
    }
    done();
  });
}

std::unique_ptr<PeriodUsage> PeriodJob::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::move(result_);
}

void PeriodJob::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  result_.reset();
}

}  // namespace qm
