// The clock, as a value that can be replaced: generation takes its times from a Clock
// so that tests and reproducible builds (SOURCE_DATE_EPOCH) see a fixed time.
#ifndef TARVELO_COMMON_CLOCK_H_
#define TARVELO_COMMON_CLOCK_H_

#include <cstdint>
#include <functional>

namespace tarvelo {

/// Seconds since the epoch.
using Clock = std::function<std::int64_t()>;

/// The system clock: the times of a run (its log, its duplicate check).
Clock SystemClock();

/// The clock for times written into Documents ([@DATE]): the fixed time of
/// $SOURCE_DATE_EPOCH when that is set to a whole number (the common convention for
/// reproducible output), else `fallback`.
Clock ContentClock(const Clock& fallback);

/// A clock that always answers `seconds`.
Clock FixedClock(std::int64_t seconds);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_CLOCK_H_
