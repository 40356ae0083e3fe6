// Date formatting: the general form and every pattern code, in a fixed time zone.
#include "common/date_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace tarvelo {
namespace {

constexpr std::int64_t kMonday = 1796676765;  // Monday 2026-12-07 20:52:45 UTC

class DateFormatTest : public ::testing::Test {
 protected:
  void SetUp() override { SetZone("UTC"); }
  void TearDown() override {
    if (had_zone_) {
      SetZone(old_zone_.c_str());
    } else {
      unsetenv("TZ");
      tzset();
    }
  }
  static void SetZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  const bool had_zone_ = std::getenv("TZ") != nullptr;
  const std::string old_zone_ = had_zone_ ? std::getenv("TZ") : "";
};

TEST_F(DateFormatTest, GeneralDateIsLocalTime) {
  EXPECT_EQ(GeneralDate(kMonday), "2026-12-07 20:52:45");
  SetZone("EST5");  // five hours behind, no daylight saving
  EXPECT_EQ(GeneralDate(kMonday), "2026-12-07 15:52:45");
  EXPECT_EQ(FormatDate(kMonday, "hh"), "15");
}

TEST_F(DateFormatTest, EveryCode) {
  const struct {
    const char* pattern;
    const char* text;
  } cases[] = {{"d dd ddd dddd", "7 07 Mon Monday"},
               {"ddddd", "2026-12-07"},
               {"dddddd", "Monday, December 7, 2026"},
               {"w ww", "2 50"},
               {"m mm mmm mmmm", "12 12 Dec December"},
               {"q y yy yyyy", "4 341 26 2026"},
               {"h hh n nn s ss", "20 20 52 52 45 45"},
               {"ttttt", "20:52:45"},
               {"c", "2026-12-07 20:52:45"},
               {"YYYY-MM-DD", "2026-12-07"},
               {"dd/mm/yyyy", "07/12/2026"},
               {"hh:mm:ss", "20:52:45"},
               {"h:m", "20:52"},
               {"hhmm", "2052"},
               {"hh mm", "20 12"},
               {"hh:mmm", "20:Dec"},
               {"h AM/PM", "8 PM"},
               {"hh:nn am/pm", "08:52 pm"},
               {"h A/P", "8 P"},
               {"h a/p", "8 p"},
               {"h AMPM", "8 PM"},
               {"\"day\" d", "day 7"},
               {"\\d\\a\\y d", "day 7"},
               {"\"open", "open"},
               {"yyy ddddddd t", "26341 Monday, December 7, 20267 t"},
               {"Today: ", "To7a341: "},
               {"", "2026-12-07 20:52:45"},
               {"x\\", "x"},
               {"dddd, mmmm d, yyyy", "Monday, December 7, 2026"},
               {"\"Week \"ww\" of \"yyyy", "Week 50 of 2026"},
               {"\"on \"dddd", "on Monday"},
               {"\"Today\"", "Today"}};
  for (const auto& c : cases) EXPECT_EQ(FormatDate(kMonday, c.pattern), c.text) << c.pattern;
}

TEST_F(DateFormatTest, TwelveHourClock) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {{1767398400, "12:00 AM"},  // midnight
               {1767528000, "12:00 PM"},  // noon
               {1735635843, "9:04 AM"},
               {1672491909, "1:05 PM"}};
  for (const auto& c : cases) EXPECT_EQ(FormatDate(c.seconds, "h:nn AM/PM"), c.text);
}

TEST_F(DateFormatTest, WeeksStartOnSundayAndWeekOneHoldsTheFirstOfJanuary) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {1767398400, "2026-01-03 Sat w7 ww1 y3"},    {1767528000, "2026-01-04 Sun w1 ww2 y4"},
      {1798761599, "2026-12-31 Thu w5 ww53 y365"}, {1672491909, "2022-12-31 Sat w7 ww53 y365"},
      {1672533005, "2023-01-01 Sun w1 ww1 y1"},    {1735635843, "2024-12-31 Tue w3 ww53 y366"},
      {1609502400, "2021-01-01 Fri w6 ww1 y1"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDate(c.seconds, "yyyy-mm-dd ddd \\ww \\w\\www \\yy"), c.text);
  }
}

}  // namespace
}  // namespace tarvelo
