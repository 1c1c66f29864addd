#include "core/log/ole_date_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kJanuaryFirst2000 = 36526.0;  // days since 1899-12-30

COleDateTime at(double dayCount) {
  return COleDateTime{dayCount, COleDateTimeValid};
}

double secondsIntoDay(double hours, double minutes, double seconds) {
  return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

std::string cabrilloStamp(double dayCount) {
  return stats::formatDateTime(at(dayCount), "%Y-%m-%d %H%M");
}

TEST(OleDateTime, RoundsToTheNearestSecondAtMinuteBoundaries) {
  EXPECT_EQ(cabrilloStamp(kJanuaryFirst2000 + secondsIntoDay(12, 34, 0)), "2000-01-01 1234");
  EXPECT_EQ(cabrilloStamp(kJanuaryFirst2000 + secondsIntoDay(12, 33, 59.9999)), "2000-01-01 1234");
  EXPECT_EQ(cabrilloStamp(kJanuaryFirst2000 + secondsIntoDay(12, 33, 59.51)), "2000-01-01 1234");
  EXPECT_EQ(cabrilloStamp(kJanuaryFirst2000 + secondsIntoDay(12, 33, 59.4)), "2000-01-01 1233");
  EXPECT_EQ(cabrilloStamp(kJanuaryFirst2000 + secondsIntoDay(23, 59, 59.6)), "2000-01-02 0000");
  EXPECT_EQ(stats::formatDateTime(at(kJanuaryFirst2000 + secondsIntoDay(7, 5, 0)), "%H:%M"),
            "07:05");
}

TEST(OleDateTime, NegativeDayCountsTakeTheDayFromTheIntegerPart) {
  EXPECT_EQ(stats::formatDateTime(at(0.0), "%Y-%m-%d %H:%M:%S"), "1899-12-30 00:00:00");
  EXPECT_EQ(stats::formatDateTime(at(-1.25), "%Y-%m-%d %H:%M"), "1899-12-29 06:00");
  EXPECT_EQ(stats::formatDateTime(at(-0.5), "%Y-%m-%d %H:%M"), "1899-12-30 12:00");
  EXPECT_EQ(stats::formatDateTime(at(-2.0 - secondsIntoDay(10, 29, 59.7)), "%Y-%m-%d %H%M"),
            "1899-12-28 1030");
}

TEST(OleDateTime, YearsOutsideOneHundredToNineThousandNineHundredNinetyNineAreInvalid) {
  EXPECT_EQ(cabrilloStamp(-657434.0), "0100-01-01 0000");
  EXPECT_EQ(cabrilloStamp(-657435.0), "Invalid DateTime");
  EXPECT_EQ(cabrilloStamp(2958465.0 + secondsIntoDay(23, 59, 59.0)), "9999-12-31 2359");
  EXPECT_EQ(cabrilloStamp(2958465.0 + secondsIntoDay(23, 59, 59.6)), "Invalid DateTime");
  EXPECT_EQ(cabrilloStamp(1e300), "Invalid DateTime");
  EXPECT_EQ(cabrilloStamp(std::nan("")), "Invalid DateTime");
  EXPECT_EQ(cabrilloStamp(2.0 + 59.0), "1900-03-01 0000");  // no 1900-02-29 in the calendar
}

TEST(OleDateTime, StatusDecidesBeforeTheValue) {
  EXPECT_EQ(stats::formatDateTime(COleDateTime{36526.5, COleDateTimeNull}, "%H:%M"), "");
  EXPECT_EQ(stats::formatDateTime(COleDateTime{36526.5, COleDateTimeInvalid}, "%H:%M"),
            "Invalid DateTime");
  EXPECT_EQ(stats::copyDateTime(nullptr).m_status, COleDateTimeNull);
}

TEST(OleDateTime, EqualityIgnoresTheDayCountOfNonValidValues) {
  EXPECT_TRUE(stats::sameDateTime(COleDateTime{1.0, COleDateTimeNull},
                                  COleDateTime{2.0, COleDateTimeNull}));
  EXPECT_FALSE(stats::sameDateTime(at(1.0), at(1.5)));
  EXPECT_FALSE(stats::sameDateTime(at(1.0), COleDateTime{1.0, COleDateTimeInvalid}));
}

}  // namespace
