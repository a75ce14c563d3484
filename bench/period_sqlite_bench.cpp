// A peer's floor for the period benchmark: the same records (period_days.h) in one events table of an
// in-memory SQLite database, and the same totals by GROUP BY: usage per executable and per-day
// totals. Only the queries are timed; the table is filled once. Built only where SQLite is found.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>

#include "period_days.h"

namespace {

using qm::bench::PeriodSpec;

struct Database {
  sqlite3* db = nullptr;
  explicit Database(const PeriodSpec& spec) {
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) std::abort();
    Exec("CREATE TABLE events(day INTEGER, start INTEGER, duration INTEGER, exe INTEGER, title TEXT)");
    Exec("BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO events VALUES(?,?,?,?,?)", -1, &insert, nullptr);
    for (qm::CalendarDate d = spec.range.first; d <= spec.range.last; d = qm::AddDays(d, 1)) {
      const int64_t day = qm::DayNumber(d);
      qm::bench::GenerateDay(spec, d, [&](uint32_t start, uint32_t duration, int exe, const std::u16string& title) {
        sqlite3_bind_int64(insert, 1, day);
        sqlite3_bind_int64(insert, 2, start);
        sqlite3_bind_int64(insert, 3, duration);
        sqlite3_bind_int64(insert, 4, qm::StringKey(qm::bench::BenchExecutable(exe)));
        sqlite3_bind_text16(insert, 5, title.data(), static_cast<int>(title.size() * 2), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
      });
    }
    sqlite3_finalize(insert);
    Exec("COMMIT");
  }
  ~Database() { sqlite3_close(db); }
  void Exec(const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
  }
  // Runs the query to its end; the sum of its first numeric column keeps the work from being skipped.
  int64_t Query(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    int64_t sum = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) sum += sqlite3_column_int64(statement, 1);
    sqlite3_finalize(statement);
    return sum;
  }
};

void GroupBy(benchmark::State& state, const PeriodSpec& spec) {
  Database database(spec);
  for (auto _ : state) {
    benchmark::DoNotOptimize(database.Query("SELECT exe, SUM(duration), COUNT(*) FROM events GROUP BY exe"));
    benchmark::DoNotOptimize(database.Query(
        "SELECT day, SUM(duration), COUNT(*), MIN(start), MAX(start + duration) FROM events GROUP BY day"));
  }
}

BENCHMARK_CAPTURE(GroupBy, busy_month, qm::bench::kBusyMonth)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK_CAPTURE(GroupBy, typical_year, qm::bench::kTypicalYear)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
