#include "app/sampler.h"

#include <algorithm>
#include <vector>

#include "app/journal_keeper.h"
#include "app/presence.h"
#include "core/fixed_string.h"
#include "output/auto_export.h"

namespace qm {
namespace {

constexpr uint32_t kDriveListStep = 64;
constexpr uint32_t kDriveListLimit = 512;  // the largest list buffer tried is 448 units

uint32_t MinuteStartOfDay(const LocalTime& t) { return (t.hour * 60u + t.minute) * 60'000u; }

uint32_t MillisecondsOfDay(const LocalTime& t) { return MinuteStartOfDay(t) + t.second * 1000u + t.milliseconds; }

// The open entry becomes a record; a record the day log refuses (an overlong title) is lost.
void CloseEntry(SamplerState& s, uint32_t duration) {
  s.day.Append({0, s.open.start, duration, s.open.exeKey}, ArrayText(s.title));
  s.open = OpenEntry();
}

// Saves the finished day under its own date and carries the open entry over, restarted at the
// beginning of the current minute (normally midnight).
void ChangeDay(AppState& app, const LocalTime& now) {
  SamplerState& s = app.sampler;
  const OpenEntry kept = s.open;
  const uint32_t minuteTick = app.env.TickCount() - (now.second * 1000u + now.milliseconds);
  // An entry begun after that point (reopened by RecordOpenEntry just past midnight) already
  // belongs to the new day and goes on unchanged.
  const bool closeable = kept.isOpen && static_cast<int32_t>(minuteTick - kept.startTick) >= 0;
  if (closeable) CloseEntry(s, minuteTick - kept.startTick);

  SaveRecordingDay(app, app.journal);
  app.journal.BeginNewDay();
  RunAutoExport(app, s.lastTick);
  s.day.Clear();
  s.open = OpenEntry();
  s.lastTick = now;
  // The carried entry's path leaves the pool with the old day unless the new day meets it again.
  app.pool.Release(UserCurrentDay);
  if (closeable) s.open = {MinuteStartOfDay(now), minuteTick, kept.exeKey, true};
  else if (kept.isOpen) s.open = kept;
}

// Closes the open entry and opens one for `window` with `title`, both at one tick.
void SwitchEntry(AppState& app, WindowSystem& windows, uintptr_t window, std::u16string_view title,
                 const LocalTime& now) {
  SamplerState& s = app.sampler;
  const uint32_t tick = app.env.TickCount();
  if (s.open.isOpen) CloseEntry(s, tick - s.open.startTick);
  CopyToArray(s.title, title);
  s.window = window;
  char16_t path[kPathUnits] = {};
  ExecutablePathOfWindow(s.driveMap, windows, window, path);
  const auto exeKey = static_cast<uint32_t>(app.pool.Intern(ArrayText(path), UserCurrentDay));
  s.open = {MillisecondsOfDay(now), tick, exeKey, true};
}

char16_t FoldCase(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Device names are ASCII, so folding ASCII letters is enough.
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

bool Matches(const DriveMap::Entry& entry, std::u16string_view devicePath) {
  const size_t n = entry.device.size();
  return n < devicePath.size() && devicePath[n] == u'\\' && EqualIgnoringCase(devicePath.substr(0, n), entry.device);
}

int32_t FindDrive(const DriveMap& drives, std::u16string_view devicePath) {
  const auto count = static_cast<int32_t>(drives.entries.size());
  const int32_t last = drives.lastHit;
  if (last >= 0 && last < count && Matches(drives.entries[last], devicePath)) return last;
  for (int32_t i = 0; i < count; ++i) {
    if (i != last && Matches(drives.entries[i], devicePath)) return i;
  }
  return -1;
}

// The drive list, grown in steps until it fits; false when it does not fit the largest buffer.
bool ReadDriveStrings(WindowSystem& windows, std::vector<char16_t>& list) {
  for (uint32_t n = kDriveListStep; n < kDriveListLimit; n += kDriveListStep) {
    list.assign(n, u'\0');
    if (windows.LogicalDriveStrings(std::span(list.data(), n - 1)) < n) return true;
  }
  return false;
}

void BuildDriveMap(DriveMap& drives, WindowSystem& windows) {
  drives.built = true;
  std::vector<char16_t> list;
  if (!ReadDriveStrings(windows, list)) return;
  size_t at = 0;
  while (at < list.size() && list[at] != u'\0') {
    const std::u16string_view root(list.data() + at);
    at += root.size() + 1;
    const std::u16string drive(root.substr(0, root.ends_with(u'\\') ? root.size() - 1 : root.size()));
    char16_t device[kDevicePathUnits] = {};
    // A drive whose device cannot be named is left out; its paths stay untranslated.
    if (!windows.DosDeviceName(drive, device) || device[0] == u'\0') continue;
    drives.entries.push_back({drive, std::u16string(ArrayText(device))});
  }
}

// `a` then `b` into `out`, cut to fit with the terminator.
void WriteJoined(std::span<char16_t> out, std::u16string_view a, std::u16string_view b) {
  if (out.empty()) return;
  const size_t room = out.size() - 1;
  const size_t na = std::min(a.size(), room);
  const size_t nb = std::min(b.size(), room - na);
  std::copy_n(a.begin(), na, out.begin());
  std::copy_n(b.begin(), nb, out.begin() + na);
  out[na + nb] = u'\0';
}

}  // namespace

bool SampleTick(AppState& app, WindowSystem& windows, uintptr_t foreground, bool& dayChanged) {
  SamplerState& s = app.sampler;
  const LocalTime now = app.env.Now();
  bool result = false;
  if (now.day != s.lastTick.day) {
    ChangeDay(app, now);
    dayChanged = true;
    result = true;
  }
  bool ended = false;
  const bool present = CheckPresence(app, windows, app.env.TickCount(), ended);
  result = result || ended;
  if (present && foreground != 0) {
    char16_t title[kTitleUnits] = {};
    windows.WindowTitle(foreground, title);
    if (ArrayText(title) != ArrayText(s.title)) {
      SwitchEntry(app, windows, foreground, ArrayText(title), now);
      result = true;
    }
  }
  s.lastTick = now;
  return result;
}

void RecordOpenEntry(AppState& app) {
  SamplerState& s = app.sampler;
  const uint32_t tick = app.env.TickCount();
  // Nothing has passed since the last call (two end messages in a row): no empty duplicate.
  if (!s.open.isOpen || tick == s.open.startTick) return;
  const OpenEntry kept = s.open;
  CloseEntry(s, tick - kept.startTick);
  s.open = {MillisecondsOfDay(app.env.Now()), tick, kept.exeKey, true};
}

void EndOpenEntry(AppState& app) { EndOpenEntryAt(app, app.env.TickCount()); }

bool EndOpenEntryAt(AppState& app, uint32_t endTick) {
  SamplerState& s = app.sampler;
  const bool wasOpen = s.open.isOpen;
  const auto used = static_cast<int32_t>(endTick - s.open.startTick);
  if (wasOpen) CloseEntry(s, used > 0 ? static_cast<uint32_t>(used) : 0);
  CopyToArray(s.title, u"");
  s.window = 0;
  return wasOpen;
}

bool ExecutablePathOfWindow(DriveMap& drives, WindowSystem& windows, uintptr_t window, std::span<char16_t> path) {
  if (path.empty()) return false;
  if (windows.ProcessPath(window, path)) return true;
  char16_t device[kDevicePathUnits] = {};
  if (windows.ProcessDevicePath(window, device) && TranslateDevicePath(drives, windows, ArrayText(device), path)) {
    return true;
  }
  path[0] = u'\0';
  return false;
}

bool TranslateDevicePath(DriveMap& drives, WindowSystem& windows, std::u16string_view devicePath,
                         std::span<char16_t> path) {
  if (!drives.built) BuildDriveMap(drives, windows);
  const int32_t hit = FindDrive(drives, devicePath);
  if (hit < 0) return false;
  const DriveMap::Entry& entry = drives.entries[hit];
  WriteJoined(path, entry.drive, devicePath.substr(entry.device.size()));
  drives.lastHit = hit;
  return true;
}

}  // namespace qm
