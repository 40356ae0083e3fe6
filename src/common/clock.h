// The clock, as a value that can be replaced: generation takes its times from a Clock
// so that tests and reproducible builds (SOURCE_DATE_EPOCH) see a fixed time.
#ifndef TARVELO_COMMON_CLOCK_H_
#define TARVELO_COMMON_CLOCK_H_

#include <cstdint>
#include <functional>

namespace tarvelo {

/// Seconds since the epoch.
using Clock = std::function<std::int64_t()>;

/// The system clock, or the fixed time of $SOURCE_DATE_EPOCH when that is set to a
/// whole number (the common convention for reproducible output).
Clock SystemClock();

/// A clock that always answers `seconds`.
Clock FixedClock(std::int64_t seconds);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_CLOCK_H_
