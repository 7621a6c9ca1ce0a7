// Time stamps of stored files are day counts since 1899-12-30; a wrong epoch or fraction writes
// dates that other readers of the same files misread.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "base/DateTime.h"

namespace tarn {
namespace {

TEST(DateTimeTest, EncodesKnownDates) {
  EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
  EXPECT_EQ(EncodeDateTime(1900, 1, 1, 0, 0, 0, 0), 2.0);
  EXPECT_EQ(EncodeDateTime(2000, 1, 1, 12, 0, 0, 0), 36526.5);
  // A time stamp of a known shipped file.
  EXPECT_NEAR(EncodeDateTime(2011, 7, 20, 12, 2, 32, 187), 40744.50176142361, 1e-9);
  // Before the epoch the fraction counts forward from midnight: 1899-12-29 06:00 is -1.25.
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(DateTimeTest, NowIsTheLocalClock) {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  const double expected = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                         local.tm_hour, local.tm_min, local.tm_sec, 0);
  EXPECT_NEAR(Now(), expected, 5.0 / 86400.0);
}

}  // namespace
}  // namespace tarn
