// The figures of a usage entry that both its lines and the usage window's cells show: the share of
// the day and a duration split into its parts.
#pragma once

#include <cstdint>

namespace qm {

// A duration split into hours (not reduced modulo 24), minutes, seconds and milliseconds.
struct DurationParts {
  explicit DurationParts(uint32_t ms)
      : hours(ms / 3'600'000), minutes(ms / 60'000 % 60), seconds(ms / 1'000 % 60), millis(ms % 1'000) {}
  uint32_t hours, minutes, seconds, millis;
};

// The share of `grandTotal` (which must not be 0) as whole percent and hundredths, truncated; the
// products need 64 bits.
struct UsageRate {
  UsageRate(uint32_t total, uint32_t grandTotal)
      : percent(uint64_t{total} * 100 / grandTotal), hundredths(uint64_t{total} * 10'000 / grandTotal % 100) {}
  uint64_t percent, hundredths;
};

}  // namespace qm
