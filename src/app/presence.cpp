#include "app/presence.h"

#include <algorithm>

#include "app/sampler.h"

namespace qm {
namespace {

uint32_t ThresholdMs(const IniSettings& ini) { return std::min(ini.awayAfterSeconds, kAwayAfterSecondsMax) * 1000; }

// The last input, never later than now; unknown input counts as now, so nobody unknown is away.
uint32_t LastInput(WindowSystem& windows, uint32_t tick) {
  uint32_t input = tick;
  if (!windows.LastInputTick(&input) || static_cast<int32_t>(input - tick) > 0) return tick;
  return input;
}

// Fresh input makes the states that tell presence without input moot; after a second without any,
// they are looked at once a second.
void LookWithoutInput(Presence& p, WindowSystem& windows, const IniSettings& ini, uint32_t tick, uint32_t inputIdle) {
  if (inputIdle < kPresenceLookMs) {
    p.screenSaver = p.keptPresent = false;
    return;
  }
  if (tick - p.lookTick < kPresenceLookMs) return;
  p.lookTick = tick;
  p.screenSaver = windows.ScreenSaverRunning();
  // Without a threshold nobody needs to be kept present; the screen saver, full screen too, wins.
  p.keptPresent = ini.presentWhileFullScreen && ini.awayAfterSeconds != 0 &&
                  (windows.FullScreenInFront() || windows.DisplayRequired());
}

}  // namespace

bool CheckPresence(AppState& app, WindowSystem& windows, uint32_t tick, bool& ended) {
  Presence& p = app.sampler.presence;
  if (p.absences != 0) return false;
  const uint32_t input = LastInput(windows, tick);
  // Input times may arrive out of order; the most recent counts.
  if (tick - input < tick - p.seenTick) p.seenTick = input;
  LookWithoutInput(p, windows, app.ini, tick, tick - input);
  const uint32_t threshold = ThresholdMs(app.ini);
  if (threshold == 0 || p.keptPresent) p.seenTick = tick;
  const bool idle = threshold != 0 && tick - p.seenTick >= threshold;
  if (!idle && !p.screenSaver) {
    p.away = false;
    return true;
  }
  // Gone since the last input, or since now for the screen saver.
  ended = EndOpenEntryAt(app, idle ? p.seenTick : tick);
  p.away = true;
  return false;
}

bool BeginAbsence(AppState& app, Absence absence) {
  app.sampler.presence.absences |= static_cast<uint8_t>(absence);
  return EndOpenEntryAt(app, app.env.TickCount());
}

void EndAbsence(AppState& app, Absence absence) {
  Presence& p = app.sampler.presence;
  const auto bit = static_cast<uint8_t>(absence);
  if ((p.absences & bit) == 0) return;  // an end never begun, such as the display state sent at registration
  p.absences &= static_cast<uint8_t>(~bit);
  // Someone unlocked, reconnected or woke the display: the idle time starts afresh.
  p.seenTick = app.env.TickCount();
}

bool IsAway(const SamplerState& sampler) { return sampler.presence.absences != 0 || sampler.presence.away; }

uint32_t SeenDuration(const StoredState& app, uint32_t tick) {
  const SamplerState& s = app.sampler;
  uint32_t end = tick;
  if (ThresholdMs(app.ini) != 0 && static_cast<int32_t>(tick - s.presence.seenTick) > 0) end = s.presence.seenTick;
  const auto used = static_cast<int32_t>(end - s.open.startTick);
  return used > 0 ? static_cast<uint32_t>(used) : 0;
}

}  // namespace qm
