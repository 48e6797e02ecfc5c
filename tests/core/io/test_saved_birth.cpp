// Tests of a saved birth's rows: a birth written as its numbers and read
// back is the same birth (random births over the form's whole domain, with
// exact offsets and tz names); the form's entries taken to a birth and back
// give the same chart; and every stored value the form cannot show is
// refused with its words.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "chart/chart.h"
#include "chart/legacy_record.h"
#include "io/offset_text.h"
#include "io/saved_birth.h"
#include "support/random_births.h"

namespace orvanta {
namespace {

bool SameBirth(const Birth& a, const Birth& b) {
  const auto sameAngle = [](const ArcAngle& x, const ArcAngle& y) {
    return x.degrees == y.degrees && x.minutes == y.minutes && x.positive == y.positive;
  };
  return a.name == b.name && a.city == b.city && a.state == b.state && a.country == b.country &&
         sameAngle(a.position.latitude, b.position.latitude) &&
         sameAngle(a.position.longitude, b.position.longitude) &&
         LocalMoment(a) == LocalMoment(b) && a.clock.offsetSeconds == b.clock.offsetSeconds &&
         a.clock.daylightTick == b.clock.daylightTick && a.clock.summerTime == b.clock.summerTime &&
         a.clock.zoneName == b.clock.zoneName && a.clock.zoneRow == b.clock.zoneRow &&
         a.clock.source == b.clock.source;
}

// What a chart shows, compared as a whole: the positions and their texts,
// the Indu Lagna, the sunrise days and the clock line.
std::string ChartImage(const ChartOutput& c) {
  std::string image;
  const LegacyCaptions captions = LegacyCaptionsOf(c);
  for (const std::string& t : captions.positionText) image += t + "|";
  for (const std::string& t : captions.signCells) image += t + "|";
  for (const std::string& t : captions.marks) image += t + "|";
  image += ChartClockOf(c.birth).text + "|" + std::to_string(c.AscSignIndex) + "|" +
           std::to_string(ChartClockOf(c.birth).offsetMinutes) +
           (ChartClockOf(c.birth).summerTime ? "S" : "W");
  for (const auto& day : {c.previousDay, c.day, c.nextDay}) {
    for (const auto& t : day) image += t ? FormatIsoMinute(*t) : std::string("-");
  }
  return image;
}

// Random births the form accepts, with a tz zone's exact offset or row now
// and then, written as a row and read back: the same birth, and the chart
// of its entries the chart of the entries it came from.
TEST(SavedBirth, RandomBirthsRoundTripThroughTheirRow) {
  constexpr int kBirths = 3000;
  std::mt19937_64 rng(31);
  int compared = 0;
  for (int i = 0; i < kBirths; ++i) {
    FormEntries e = testing::RandomFormEntries(rng);
    if (ReadBirth(e).refusal) continue;
    e.name = "BIRTH " + std::to_string(i);
    switch (i % 5) {
      case 1:  // Kathmandu's clock, which no row carries
        e.exactOffsetMinutes = 345;
        e.zoneIndex = -1;
        e.zoneName = "Asia/Kathmandu";
        break;
      case 2:  // a tz zone that matched a row, in summer time
        e.zoneName = "Europe/Madrid";
        e.summerTime = true;
        break;
      case 3:  // an offset given by hand, west
        e.exactOffsetMinutes = -210;
        e.zoneIndex = -1;
        break;
      case 4:  // the mean time of the place, to the second, with its caption
        SetExactOffset(e, 20476);
        e.zoneIndex = -1;
        e.zoneName = "Asia/Kathmandu";
        e.clockCaption = "local mean time at 85\u00B019\u2032 E, UTC+5:41:16";
        e.clockSource = ClockSource::LocalMeanTime;
        e.lonDeg = "85";  // the meridian of that mean time
        e.lonMin = "19";
        e.east = true;
        break;
      default:
        break;
    }
    const std::optional<Birth> birth = BirthOfFormEntries(e);
    ASSERT_TRUE(birth) << e.name;
    const Parsed<Birth> back = BirthOfStoredRow(StoredRowOf(*birth));
    ASSERT_TRUE(back.value) << e.name << ": " << back.error;
    EXPECT_TRUE(SameBirth(*birth, *back.value)) << e.name;
    const Parsed<FormEntries> entries = FormEntriesOfBirth(*back.value);
    ASSERT_TRUE(entries.value) << entries.error;
    EXPECT_EQ(ExactOffsetSecondsOf(*entries.value), ExactOffsetSecondsOf(e)) << e.name;
    EXPECT_EQ(entries.value->clockCaption, e.clockCaption) << e.name;
    const ChartRun before = ComputeChart(e);
    const ChartRun after = ComputeChart(*entries.value);
    ASSERT_FALSE(after.refusal) << e.name;
    EXPECT_EQ(ChartImage(before.chart), ChartImage(after.chart)) << e.name;
    ++compared;
  }
  EXPECT_GT(compared, kBirths / 2);
}

// The clock of each kind of entries: a row's offset in seconds east (the
// row holds the correction towards Universal Time), an exact offset, no row.
TEST(SavedBirth, ClockOfTheEntries) {
  struct Row {
    const char* what;
    int zoneIndex;
    std::optional<int> exactMinutes;
    const char* zoneName;
    int offsetSeconds;  // by hand from the zone list's texts
    std::optional<int> zoneRow;
    ClockSource source;
  };
  const Row rows[] = {
      {"Indian Time, +5:30", 34, std::nullopt, "", 19800, 34, ClockSource::ZoneRow},
      {"Newfoundland, -3:30", 50, std::nullopt, "", -12600, 50, ClockSource::ZoneRow},
      {"Kathmandu +5:45 from its zone", -1, 345, "Asia/Kathmandu", 20700, std::nullopt,
       ClockSource::ZoneHistory},
      {"Indian row from its zone", 34, std::nullopt, "Asia/Kolkata", 19800, 34,
       ClockSource::ZoneHistory},
      {"an offset by hand", -1, -45, "", -2700, std::nullopt, ClockSource::GivenOffset},
      {"no row", -1, std::nullopt, "", 0, std::nullopt, ClockSource::GivenOffset},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    FormEntries e;
    e.name = "A";
    e.latDeg = e.latMin = e.lonDeg = e.lonMin = "0";
    e.zoneIndex = r.zoneIndex;
    e.exactOffsetMinutes = r.exactMinutes;
    e.zoneName = r.zoneName;
    const std::optional<Birth> b = BirthOfFormEntries(e);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->clock.offsetSeconds, r.offsetSeconds);
    EXPECT_EQ(b->clock.zoneRow, r.zoneRow);
    EXPECT_EQ(b->clock.source, r.source);
  }
}

// Each stored value the form cannot show, and its words.
TEST(SavedBirth, RefusedRowsSayWhy) {
  std::optional<Birth> good = BirthOfFormEntries([] {
    FormEntries e;
    e.name = "ARJUN";
    e.monthIndex = 5;
    e.dayText = "15";
    e.yearText = "1980";
    e.hourText = "10";
    e.minuteText = "30";
    e.latDeg = "28";
    e.latMin = "36";
    e.lonDeg = "77";
    e.lonMin = "12";
    e.zoneIndex = 34;
    return e;
  }());
  ASSERT_TRUE(good);
  ASSERT_TRUE(BirthOfStoredRow(StoredRowOf(*good)).value);
  struct Row {
    const char* what;
    void (*spoil)(StoredTypedBirth&);
    const char* says;
  };
  const Row rows[] = {
      {"no name", [](StoredTypedBirth& s) { s.name = StoredValue::Text("  "); },
       "its name is empty"},
      {"a year past the list",
       [](StoredTypedBirth& s) { s.birthDate = StoredValue::Text("2051-01-01"); },
       "its year 2051 is outside the form's years 1901\u20132050"},
      {"a date not ISO", [](StoredTypedBirth& s) { s.birthDate = StoredValue::Text("15/06/1980"); },
       "its date \"15/06/1980\" is not written YYYY-MM-DD"},
      {"31 April", [](StoredTypedBirth& s) { s.birthDate = StoredValue::Text("1980-04-31"); },
       "the form refuses it ("},
      {"a time of 24 hours",
       [](StoredTypedBirth& s) { s.birthTime = StoredValue::Text("24:00:00"); },
       "its hour 24 is outside the form's hours 0\u201323"},
      {"a latitude of 90", [](StoredTypedBirth& s) { s.latDeg = StoredValue::Integer(90); },
       "its latitude degrees 90 is outside the form's latitudes 0\u201389"},
      {"a missing hemisphere", [](StoredTypedBirth& s) { s.east = StoredValue{}; },
       "its hemisphere of longitude is missing"},
      {"an offset of 15 hours",
       [](StoredTypedBirth& s) {
         s.offsetSeconds = StoredValue::Integer(54000);
         s.zoneRow = StoredValue{};
         s.clockSource = StoredValue::Text("given-offset");
       },
       "its offset from Greenwich in seconds 54000 is outside the widest clocks"},
      {"a row of another offset",
       [](StoredTypedBirth& s) { s.offsetSeconds = StoredValue::Integer(20700); },
       "its offset +5:45 is not that of its zone 34 (+5:30)"},
      {"a zone past the list", [](StoredTypedBirth& s) { s.zoneRow = StoredValue::Integer(71); },
       "its zone (list position) 71 is outside the form's zones 0\u201370"},
      {"an unknown source",
       [](StoredTypedBirth& s) { s.clockSource = StoredValue::Text("sundial"); },
       "its clock's source \"sundial\" is none of the known ones"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    StoredTypedBirth s = StoredRowOf(*good);
    r.spoil(s);
    const Parsed<Birth> read = BirthOfStoredRow(s);
    EXPECT_FALSE(read.value);
    EXPECT_NE(read.error.find(r.says), std::string::npos) << read.error;
  }
}

}  // namespace
}  // namespace orvanta
