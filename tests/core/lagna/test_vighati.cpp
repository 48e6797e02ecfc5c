// The vighati split into a whole count and a truncated arc.
#include <gtest/gtest.h>

#include "lagna/vighati.h"

namespace orvanta {
namespace {

TEST(Vighati2Degree, WorkedExamples) {
  struct Row {
    const char* name;
    double value;
    double signs, degrees, minutes, seconds;  // worked examples of the conversion
  };
  const Row rows[] = {
      {"whole 30", 30, 2, 0, 0, 0},
      {"30.5", 30.5, 2, 15, 0, 0},
      {"7.25", 7.25, 0, 7, 30, 0},
      {"100.123 truncates, never rounds", 100.123, 6, 3, 41, 24},
      {"negative as its absolute value", -100.123, 6, 3, 41, 24},
      {"negative 30.5", -30.5, 2, 15, 0, 0},
      {"below 15 has no whole count", 14.99, 0, 29, 42, 0},
      {"zero", 0, 0, 0, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const VighatiArc arc = Vighati2Degree(r.value);
    EXPECT_EQ(arc.ArcSigns, r.signs) << "value " << r.value;
    EXPECT_EQ(arc.ArcDegrees, r.degrees) << "value " << r.value;
    EXPECT_EQ(arc.ArcMinutes, r.minutes) << "value " << r.value;
    EXPECT_EQ(arc.ArcSeconds, r.seconds) << "value " << r.value;
  }
}

TEST(Vighati2Degree, CountBelowFifteenIsAlwaysZero) {
  for (int i = 0; i < 1500; ++i) {
    const double value = i / 100.0;
    SCOPED_TRACE(value);
    const VighatiArc arc = Vighati2Degree(value);
    EXPECT_EQ(arc.ArcSigns, 0);
    EXPECT_GE(arc.ArcDegrees, 0);
    EXPECT_LT(arc.ArcDegrees, 30);
    EXPECT_LT(arc.ArcMinutes, 60);
    EXPECT_LT(arc.ArcSeconds, 60);
  }
}

}  // namespace
}  // namespace orvanta
