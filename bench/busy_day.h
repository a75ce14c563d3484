// A synthetic busy day for benchmarks: 50,000 records with titles of 20-120 characters (Latin and
// Japanese words, quotes and commas) spread over 40 executables, recorded into the current day.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"

namespace qm::bench {

inline std::u16string BusyTitle(std::mt19937& random) {
  static const char16_t* const kWords[] = {u"Quarterly", u"report", u"会議資料", u"- Editor", u"Inbox (12)", u"設計書",
                                           u"notes.txt", u"\"quoted\"", u"https://example.org/a/b", u"レビュー", u"v2",
                                           u"Terminal", u"build.log", u"Budget, final", u"プロジェクト", u"*"};
  const size_t length = 20 + random() % 101;
  std::u16string title;
  while (title.size() < length) title += kWords[random() % std::size(kWords)] + std::u16string(u" ");
  return title.substr(0, length);
}

inline void RecordBusyDay(AppState& app, int records = 50'000) {
  std::mt19937 random(20160305);
  std::vector<uint32_t> keys;
  for (int i = 0; i < 40; ++i) {
    const std::u16string path = u"C:\\Program Files\\Maker " + std::u16string(1, u'A' + i % 26) + u"\\App" +
                                std::u16string(1, u'a' + i) + u"\\bin\\application.exe";
    keys.push_back(static_cast<uint32_t>(app.pool.Intern(path, UserCurrentDay)));
  }
  uint32_t start = 0;
  for (int i = 0; i < records; ++i) {
    const uint32_t duration = random() % 3000;
    app.sampler.day.Append({0, start % kMillisecondsPerDay, duration, keys[random() % keys.size()]}, BusyTitle(random));
    start += duration / 2 + 1;
  }
}

}  // namespace qm::bench
