// Decimal conversion with the 16-bit range checks.
#include "common/int16.h"

#include <cmath>

#include "common/error.h"

namespace tarvelo {

Int16 ToInt16(std::string_view text) {
  size_t i = 0;
  size_t end = text.size();
  while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
  while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  double value = 0;
  bool any_digit = false;
  while (i < end && text[i] >= '0' && text[i] <= '9') {
    // Saturate far outside the range; the overflow check below reports it.
    if (value < 1e9) value = value * 10 + (text[i] - '0');
    any_digit = true;
    ++i;
  }
  if (i < end && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < end && text[i] >= '0' && text[i] <= '9') {
      value += (text[i] - '0') * scale;
      scale /= 10;
      any_digit = true;
      ++i;
    }
  }
  if (!any_digit || i != end) throw RuntimeError(kTypeMismatch);
  if (negative) value = -value;
  const double rounded = std::nearbyint(value);  // default rounding: half to even
  if (rounded < -32768.0 || rounded > 32767.0) throw RuntimeError(kOverflow);
  return static_cast<Int16>(rounded);
}

Int16 AddInt16(Int16 a, int b) {
  const long sum = static_cast<long>(a) + b;
  if (sum < -32768 || sum > 32767) throw RuntimeError(kOverflow);
  return static_cast<Int16>(sum);
}

void Increment(Int16& counter) {
  counter = AddInt16(counter, 1);
}

std::string DecimalText(long value) {
  return std::to_string(value);
}

}  // namespace tarvelo
