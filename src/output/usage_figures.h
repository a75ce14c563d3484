// The figures of a usage entry that both its lines and the usage window's cells show: the share of
// the day and a duration split into its parts.
#pragma once

#include <cstdint>

namespace qm {

// A duration split into hours (not reduced modulo 24), minutes, seconds and milliseconds.
struct DurationParts {
  explicit DurationParts(uint64_t ms)
      : hours(ms / 3'600'000),
        minutes(static_cast<uint32_t>(ms / 60'000 % 60)),
        seconds(static_cast<uint32_t>(ms / 1'000 % 60)),
        millis(static_cast<uint32_t>(ms % 1'000)) {}
  uint64_t hours;
  uint32_t minutes, seconds, millis;
};

// The share of `grandTotal` (which must not be 0) as whole percent and hundredths, truncated; the
// products need 64 bits (a period's totals of up to 10^11 ms still fit).
struct UsageRate {
  UsageRate(uint64_t total, uint64_t grandTotal)
      : percent(total * 100 / grandTotal), hundredths(total * 10'000 / grandTotal % 100) {}
  uint64_t percent, hundredths;
};

}  // namespace qm
