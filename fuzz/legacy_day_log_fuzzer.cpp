// Any bytes as a legacy day log: loading never crashes, hangs or allocates wildly, and every record
// it yields is a valid one.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "storage/legacy_day_log_file.h"
#include "support/fake_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string path = u"/app/log/20150101.bin";
  qm::test::FakeEnv env;
  env.PutFile(path, std::string(reinterpret_cast<const char*>(data), size));
  qm::AppState app(env);
  if (!qm::LoadLegacyDayLogFile(app, app.viewedDay, path, qm::UserViewedDay)) return 0;
  for (uint32_t i = 0; i < app.viewedDay.Count(); ++i) {
    const qm::ActivityRecord header = app.viewedDay.Header(i);
    if (header.size > qm::kMaxRecordBytes || !qm::IsValidTimeRange(header.start, header.duration)) std::abort();
    if (app.viewedDay.Title(i).size() >= 130) std::abort();
  }
  return 0;
}
