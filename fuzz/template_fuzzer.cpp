// Any code units as a line template or a file-name template (both come from the settings file):
// rendering never overruns its buffers, lines stay within 1,023 units, and names never hold a
// character that would leave the export folder.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "output/file_name_template.h"
#include "output/record_line.h"
#include "output/usage_line.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLine(const qm::LineBuffer& line) {
  Check(line.Length() < qm::kLineUnits && line.Data()[line.Length()] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string pattern(size / 2, u'\0');
  std::memcpy(pattern.data(), data, pattern.size() * 2);

  qm::CompiledTemplate compiled;
  qm::CompileTemplate(pattern, compiled);
  qm::StringPool pool;
  const auto key = static_cast<uint32_t>(pool.Intern(std::u16string(259, u'p'), qm::UserViewedDay));
  qm::DayLog day;
  day.Append({0, qm::kMillisecondsPerDay - 1, qm::kMillisecondsPerDay, key}, std::u16string(129, u't'));
  qm::LineBuffer line;
  qm::FormatRecordLine(line, pool, compiled, day.At(0));
  CheckLine(line);
  line.AppendLineEnd(1);
  CheckLine(line);

  const qm::AppUsageEntry entry{UINT32_MAX, 1, static_cast<int32_t>(key)};
  line.Clear();
  qm::FormatUsageLine(line, &entry, compiled, pool, 1);
  CheckLine(line);

  const std::u16string name = qm::ExpandFileNameTemplate({65535, 65535, 0, 65535, 65535, 65535, 65535, 65535}, pattern);
  Check(name.size() < qm::kFileNameTemplateUnits);
  Check(name.find_first_of(u"\\/?:*\"><|") == std::u16string::npos && name.find(u'\0') == std::u16string::npos);
  return 0;
}
