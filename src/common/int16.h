// 16-bit numbers: settings, table indexes and counters are 16-bit signed, and the
// files users already have depend on their limits.
#ifndef TARVELO_COMMON_INT16_H_
#define TARVELO_COMMON_INT16_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

using Int16 = std::int16_t;

/// Converts decimal text to a 16-bit signed number. Blanks around the number are
/// allowed, as are a sign and a fractional part (rounded half to even).
/// Raises 13 "Type mismatch" for text that is not a number (empty text included) and
/// 6 "Overflow" for a number outside -32768..32767.
Int16 ToInt16(std::string_view text);

/// a + b, raising 6 "Overflow" when the sum leaves the 16-bit range.
Int16 AddInt16(Int16 a, int b);

/// Adds 1 to a 16-bit counter in place, raising 6 "Overflow" past 32767.
void Increment(Int16& counter);

/// The decimal text of a number, as the files hold it.
std::string DecimalText(long value);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_INT16_H_
