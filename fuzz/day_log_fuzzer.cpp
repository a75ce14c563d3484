// Any bytes as a day log file: loading never crashes, hangs or allocates wildly, and whatever loads
// saves and loads again as the same records.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_state.h"
#include "storage/day_log_file.h"
#include "support/fake_env.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Reads every record's fields and title, so that out-of-bounds reads show up under the sanitizers.
size_t TouchRecords(const qm::DayLog& day) {
  size_t sum = 0;
  for (uint32_t i = 0; i < day.Count(); ++i) sum += day.Header(i).exeKey + day.Title(i).size();
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string path = u"/app/log/20160307.bin2";
  qm::test::FakeEnv env;
  env.PutFile(path, std::string(reinterpret_cast<const char*>(data), size));
  qm::AppState app(env);
  if (!qm::LoadDayLogFile(app, app.sampler.day, path, qm::UserCurrentDay)) return 0;
  TouchRecords(app.sampler.day);
  if (app.sampler.day.Count() == 0 || app.pool.currentDayStringBytes == 0) return 0;

  // Round trip: the records that were accepted are written and read back unchanged.
  Check(qm::SaveDayLog(app, 2016, 3, 8));
  qm::AppState again(env);
  Check(qm::LoadDayLogFile(again, again.viewedDay, u"/app/log/20160308.bin2", qm::UserViewedDay));
  Check(again.viewedDay.ByteLength() == app.sampler.day.ByteLength());
  Check(std::memcmp(again.viewedDay.Bytes(), app.sampler.day.Bytes(), app.sampler.day.ByteLength()) == 0);
  return 0;
}
