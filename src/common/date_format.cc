// Date formatting by pattern. The pattern is read once into codes and literal text,
// because whether "h" means a 12-hour clock depends on an AM/PM code anywhere in it.
// Code letters are matched without regard to case ("YYYY-MM-DD" works as written).
#include "common/date_format.h"

#include <ctime>
#include <vector>

namespace tarvelo {
namespace {

constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

enum class Code {
  kLiteral,
  kDay,
  kDay2,
  kDayAbbr,
  kDayName,
  kShortDate,
  kLongDate,
  kWeekday,
  kWeekOfYear,
  kMonth,
  kMonth2,
  kMonthAbbr,
  kMonthName,
  kQuarter,
  kDayOfYear,
  kYear2,
  kYear4,
  kHour,
  kHour2,
  kMinute,
  kMinute2,
  kSecond,
  kSecond2,
  kTime,
  kDateTime,
  kAmPmUpper,
  kAmPmLower,
  kApUpper,
  kApLower,
  kAmPm,
};

struct Token {
  Code code;
  std::string_view text;  // kLiteral only
};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool StartsWithFolded(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

// Length of the run of `letter` (either case) starting at `at`.
size_t RunLength(std::string_view text, size_t at, char letter) {
  size_t n = 0;
  while (at + n < text.size() && Lower(text[at + n]) == letter) ++n;
  return n;
}

std::vector<Token> Tokenize(std::string_view pattern) {
  std::vector<Token> tokens;
  bool after_hour = false;  // an "m" right after "h" or "hh" means minutes
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    const char lc = Lower(c);
    Code code = Code::kLiteral;
    size_t length = 1;
    std::string_view literal = pattern.substr(i, 1);
    if (c == '"') {
      size_t close = pattern.find('"', i + 1);
      if (close == std::string_view::npos) close = pattern.size();
      literal = pattern.substr(i + 1, close - i - 1);
      length = close - i + 1;
    } else if (c == '\\') {
      literal = pattern.substr(i + 1, 1);  // empty for a trailing backslash
      length = 2;
    } else if (StartsWithFolded(pattern, i, "am/pm")) {
      code = c == 'A' ? Code::kAmPmUpper : Code::kAmPmLower;
      length = 5;
    } else if (StartsWithFolded(pattern, i, "ampm")) {
      code = Code::kAmPm;
      length = 4;
    } else if (StartsWithFolded(pattern, i, "a/p")) {
      code = c == 'A' ? Code::kApUpper : Code::kApLower;
      length = 3;
    } else {
      const size_t run = RunLength(pattern, i, lc);
      switch (lc) {
        case 'd': {
          static constexpr Code kDays[] = {Code::kDay,     Code::kDay2,      Code::kDayAbbr,
                                           Code::kDayName, Code::kShortDate, Code::kLongDate};
          length = run < 6 ? run : 6;
          code = kDays[length - 1];
          break;
        }
        case 'w':
          length = run < 2 ? run : 2;
          code = length == 2 ? Code::kWeekOfYear : Code::kWeekday;
          break;
        case 'm':
          length = run < 4 ? run : 4;
          if (length <= 2 && after_hour) {
            code = length == 2 ? Code::kMinute2 : Code::kMinute;
          } else {
            static constexpr Code kMonths[] = {Code::kMonth, Code::kMonth2, Code::kMonthAbbr,
                                               Code::kMonthName};
            code = kMonths[length - 1];
          }
          break;
        case 'q':
          code = Code::kQuarter;
          break;
        case 'y':
          length = run >= 4 ? 4 : run >= 2 ? 2 : 1;
          code = length == 4 ? Code::kYear4 : length == 2 ? Code::kYear2 : Code::kDayOfYear;
          break;
        case 'h':
          length = run < 2 ? run : 2;
          code = length == 2 ? Code::kHour2 : Code::kHour;
          break;
        case 'n':
          length = run < 2 ? run : 2;
          code = length == 2 ? Code::kMinute2 : Code::kMinute;
          break;
        case 's':
          length = run < 2 ? run : 2;
          code = length == 2 ? Code::kSecond2 : Code::kSecond;
          break;
        case 't':
          if (run >= 5) {
            code = Code::kTime;
            length = 5;
          }
          break;
        case 'c':
          code = Code::kDateTime;
          break;
        default:
          break;
      }
    }
    if (code != Code::kLiteral || literal != ":") {
      after_hour = code == Code::kHour || code == Code::kHour2;
    }
    tokens.push_back({code, literal});
    i += length;
  }
  return tokens;
}

void AppendNumber(std::string& out, long value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) out.append(width - digits.size(), '0');
  out += digits;
}

void AppendShortDate(std::string& out, const std::tm& tm) {
  AppendNumber(out, tm.tm_year + 1900L, 4);
  out += '-';
  AppendNumber(out, tm.tm_mon + 1, 2);
  out += '-';
  AppendNumber(out, tm.tm_mday, 2);
}

void AppendTime(std::string& out, const std::tm& tm) {
  AppendNumber(out, tm.tm_hour, 2);
  out += ':';
  AppendNumber(out, tm.tm_min, 2);
  out += ':';
  AppendNumber(out, tm.tm_sec, 2);
}

std::tm LocalTime(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm tm{};
  if (localtime_r(&time, &tm) == nullptr) tm = std::tm{};
  return tm;
}

// Week of the year: weeks start on Sunday and week 1 holds 1 January.
int WeekOfYear(const std::tm& tm) {
  const int first_weekday = ((tm.tm_wday - tm.tm_yday) % 7 + 7) % 7;
  return (tm.tm_yday + first_weekday) / 7 + 1;
}

void AppendCode(std::string& out, const Token& token, const std::tm& tm, bool twelve_hour) {
  const bool pm = tm.tm_hour >= 12;
  int hour = tm.tm_hour;
  if (twelve_hour) hour = hour % 12 == 0 ? 12 : hour % 12;
  const std::string_view day_name = kDayNames[tm.tm_wday % 7];
  const std::string_view month_name = kMonthNames[tm.tm_mon % 12];
  switch (token.code) {
    case Code::kLiteral:
      out += token.text;
      break;
    case Code::kDay:
      AppendNumber(out, tm.tm_mday, 1);
      break;
    case Code::kDay2:
      AppendNumber(out, tm.tm_mday, 2);
      break;
    case Code::kDayAbbr:
      out += day_name.substr(0, 3);
      break;
    case Code::kDayName:
      out += day_name;
      break;
    case Code::kShortDate:
      AppendShortDate(out, tm);
      break;
    case Code::kLongDate:
      out += day_name;
      out += ", ";
      out += month_name;
      out += ' ';
      AppendNumber(out, tm.tm_mday, 1);
      out += ", ";
      AppendNumber(out, tm.tm_year + 1900L, 4);
      break;
    case Code::kWeekday:
      AppendNumber(out, tm.tm_wday + 1, 1);
      break;
    case Code::kWeekOfYear:
      AppendNumber(out, WeekOfYear(tm), 1);
      break;
    case Code::kMonth:
      AppendNumber(out, tm.tm_mon + 1, 1);
      break;
    case Code::kMonth2:
      AppendNumber(out, tm.tm_mon + 1, 2);
      break;
    case Code::kMonthAbbr:
      out += month_name.substr(0, 3);
      break;
    case Code::kMonthName:
      out += month_name;
      break;
    case Code::kQuarter:
      AppendNumber(out, tm.tm_mon / 3 + 1, 1);
      break;
    case Code::kDayOfYear:
      AppendNumber(out, tm.tm_yday + 1, 1);
      break;
    case Code::kYear2:
      AppendNumber(out, (tm.tm_year + 1900L) % 100, 2);
      break;
    case Code::kYear4:
      AppendNumber(out, tm.tm_year + 1900L, 4);
      break;
    case Code::kHour:
      AppendNumber(out, hour, 1);
      break;
    case Code::kHour2:
      AppendNumber(out, hour, 2);
      break;
    case Code::kMinute:
      AppendNumber(out, tm.tm_min, 1);
      break;
    case Code::kMinute2:
      AppendNumber(out, tm.tm_min, 2);
      break;
    case Code::kSecond:
      AppendNumber(out, tm.tm_sec, 1);
      break;
    case Code::kSecond2:
      AppendNumber(out, tm.tm_sec, 2);
      break;
    case Code::kTime:
      AppendTime(out, tm);
      break;
    case Code::kDateTime:
      AppendShortDate(out, tm);
      out += ' ';
      AppendTime(out, tm);
      break;
    case Code::kAmPmUpper:
    case Code::kAmPm:
      out += pm ? "PM" : "AM";
      break;
    case Code::kAmPmLower:
      out += pm ? "pm" : "am";
      break;
    case Code::kApUpper:
      out += pm ? 'P' : 'A';
      break;
    case Code::kApLower:
      out += pm ? 'p' : 'a';
      break;
  }
}

}  // namespace

std::string GeneralDate(std::int64_t seconds) {
  const std::tm tm = LocalTime(seconds);
  std::string out;
  AppendShortDate(out, tm);
  out += ' ';
  AppendTime(out, tm);
  return out;
}

std::string FormatDate(std::int64_t seconds, std::string_view pattern) {
  if (pattern.empty()) return GeneralDate(seconds);
  const std::vector<Token> tokens = Tokenize(pattern);
  bool twelve_hour = false;
  for (const Token& token : tokens) {
    switch (token.code) {
      case Code::kAmPmUpper:
      case Code::kAmPmLower:
      case Code::kApUpper:
      case Code::kApLower:
      case Code::kAmPm:
        twelve_hour = true;
        break;
      default:
        break;
    }
  }
  const std::tm tm = LocalTime(seconds);
  std::string out;
  for (const Token& token : tokens) AppendCode(out, token, tm, twelve_hour);
  return out;
}

}  // namespace tarvelo
