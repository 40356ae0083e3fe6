// Date and time formatting: the general format "YYYY-MM-DD HH:MM:SS" used by the log
// and the status lines, and the pattern codes of [@DATE(@format:...)]. Local time.
#ifndef TARVELO_COMMON_DATE_FORMAT_H_
#define TARVELO_COMMON_DATE_FORMAT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

/// "2026-12-07 20:52:45" in local time.
std::string GeneralDate(std::int64_t seconds);

/// The time formatted with a pattern (codes d dd ddd dddd ddddd dddddd, w ww, m mm mmm
/// mmmm, q, y yy yyyy, h hh, n nn, s ss, ttttt, c, AM/PM am/pm A/P a/p AMPM, "/" and
/// ":", "literal" and \x). English names; weeks start on Sunday and week 1 holds
/// 1 January.
std::string FormatDate(std::int64_t seconds, std::string_view pattern);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_DATE_FORMAT_H_
