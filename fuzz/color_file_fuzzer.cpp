// Any bytes as a colour file: loading never crashes, hangs or allocates wildly, keeps the colour rules'
// paths referenced in the pool without touching other users' paths, and whatever loads saves and loads
// again the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/color_file.h"
#include "support/fake_env.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckColorReferences(const qm::ColorRules& rules, const qm::StringPool& pool) {
  for (const auto& [key, color] : rules.appColors) {
    const qm::PoolEntry* entry = pool.Find(key);
    Check(!entry || (entry->users & qm::UserColorRules));
  }
}

void CheckRoundTrip(qm::test::FakeEnv& env, const qm::ColorRules& rules, const qm::StringPool& pool) {
  const std::u16string copy = u"/app/copy.color";
  Check(qm::SaveColorFile(env, copy, rules, pool));
  qm::StringPool otherPool;
  qm::ColorRules again;
  Check(qm::LoadColorFile(env, copy, again, otherPool));
  Check(again.mode == rules.mode && again.genericColors == rules.genericColors && again.hourColors == rules.hourColors);
  for (const auto& [key, color] : rules.appColors) {
    const qm::PoolEntry* entry = pool.Find(key);
    if (entry) Check(again.appColors.at(key) == color && otherPool.Find(key)->Text() == entry->Text());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string path = u"/app/scheme.color";
  qm::test::FakeEnv env;
  env.PutFile(path, std::string(reinterpret_cast<const char*>(data), size));
  qm::StringPool pool;
  const int32_t recorded = pool.Intern(u"C:\\recorded.exe", qm::UserCurrentDay);
  qm::ColorRules rules;
  rules.AdoptPoolPaths(pool);
  const bool loaded = qm::LoadColorFile(env, path, rules, pool);
  CheckColorReferences(rules, pool);
  Check(pool.Find(recorded) && (pool.Find(recorded)->users & qm::UserCurrentDay));
  if (loaded) CheckRoundTrip(env, rules, pool);
  return 0;
}
