// Clocks.
#include "common/clock.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace tarvelo {

Clock SystemClock() {
  return [] { return static_cast<std::int64_t>(std::time(nullptr)); };
}

Clock ContentClock(const Clock& fallback) {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end != epoch && *end == '\0') return FixedClock(seconds);
  }
  return fallback;
}

Clock FixedClock(std::int64_t seconds) {
  return [seconds] { return seconds; };
}

}  // namespace tarvelo
