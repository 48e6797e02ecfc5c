// Tests of the command line and of the texts of one birth: the shapes each
// option accepts, the zone lookup by position or abbreviation, and the
// mapping into the form's entries.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/chart_json.h"
#include "cli/render.h"
#include "support/form_typing.h"
#include "tables/zones.h"

namespace orvanta::cli {
namespace {

struct DateCase {
  const char* label;
  std::string_view text;
  bool ok;
  int year, month, day;
};

TEST(ParseDate, ShapesAndRanges) {
  // Expected values: the YYYY-MM-DD shape, month 1..12, day 1..31 and the
  // form's year list 1901..2050; calendar validity is left to validation.
  const DateCase cases[] = {
      {"plain", "1980-06-15", true, 1980, 6, 15},
      {"single-digit month and day", "1980-6-5", true, 1980, 6, 5},
      {"blanks around", " 2000-02-29 ", true, 2000, 2, 29},
      {"first year of the list", "1901-01-01", true, 1901, 1, 1},
      {"last year of the list", "2050-12-31", true, 2050, 12, 31},
      {"29 February of a common year reaches validation", "1981-02-29", true, 1981, 2, 29},
      {"31 April reaches validation", "1980-04-31", true, 1980, 4, 31},
      {"year before the list", "1900-06-15", false, 0, 0, 0},
      {"year after the list", "2051-01-01", false, 0, 0, 0},
      {"month 13", "1980-13-01", false, 0, 0, 0},
      {"month 0", "1980-00-10", false, 0, 0, 0},
      {"day 32", "1980-01-32", false, 0, 0, 0},
      {"day 0", "1980-01-00", false, 0, 0, 0},
      {"two-digit year", "80-06-15", false, 0, 0, 0},
      {"slashes", "1980/06/15", false, 0, 0, 0},
      {"letters", "1980-Jun-15", false, 0, 0, 0},
      {"trailing text", "1980-06-15x", false, 0, 0, 0},
      {"signed day", "1980-06-+5", false, 0, 0, 0},
      {"empty", "", false, 0, 0, 0},
      {"three-digit day", "1980-06-015", false, 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.label << ": \"" << c.text << "\"");
    const auto parsed = ParseDate(c.text);
    ASSERT_EQ(parsed.value.has_value(), c.ok) << parsed.error;
    if (!c.ok) {
      EXPECT_NE(parsed.error.find("bad date"), std::string::npos) << parsed.error;
      continue;
    }
    EXPECT_EQ(parsed.value->year, c.year);
    EXPECT_EQ(parsed.value->month, c.month);
    EXPECT_EQ(parsed.value->day, c.day);
  }
}

struct TimeCase {
  const char* label;
  std::string_view text;
  bool ok;
  int hour, minute, second;
};

TEST(ParseTime, ShapesAndRanges) {
  // Expected values: the form's lists hold hours 0..23 and minutes and
  // seconds 0..59; seconds default to 0.
  const TimeCase cases[] = {
      {"hours and minutes", "10:30", true, 10, 30, 0},
      {"with seconds", "23:59:59", true, 23, 59, 59},
      {"midnight", "0:0", true, 0, 0, 0},
      {"leading zeros", "07:05:09", true, 7, 5, 9},
      {"hour 24", "24:00", false, 0, 0, 0},
      {"minute 60", "10:60", false, 0, 0, 0},
      {"second 60", "10:30:60", false, 0, 0, 0},
      {"no minutes", "10", false, 0, 0, 0},
      {"empty minutes", "10:", false, 0, 0, 0},
      {"am/pm", "10:30pm", false, 0, 0, 0},
      {"fraction", "10.5:00", false, 0, 0, 0},
      {"four parts", "10:30:00:00", false, 0, 0, 0},
      {"negative", "-1:30", false, 0, 0, 0},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.label << ": \"" << c.text << "\"");
    const auto parsed = ParseTime(c.text);
    ASSERT_EQ(parsed.value.has_value(), c.ok) << parsed.error;
    if (!c.ok) continue;
    EXPECT_EQ(parsed.value->hour, c.hour);
    EXPECT_EQ(parsed.value->minute, c.minute);
    EXPECT_EQ(parsed.value->second, c.second);
  }
}

struct CoordinateCase {
  const char* label;
  std::string_view text;
  bool latitude;  // else longitude
  bool ok;
  std::string_view degrees, minutes;
  bool positive;
};

TEST(ParseCoordinate, AstrologicalNotation) {
  // Expected values: degrees, hemisphere letter, minutes; the texts pass on
  // as typed so that validation judges their values (95N00 is a shape that
  // validation refuses, not the parser).
  const CoordinateCase cases[] = {
      {"Delhi latitude", "28N36", true, true, "28", "36", true},
      {"Delhi longitude", "77E12", false, true, "77", "12", true},
      {"south, lower case", "33s52", true, true, "33", "52", false},
      {"west, lower case", "74w00", false, true, "74", "00", false},
      {"east, lower case", "151e12", false, true, "151", "12", true},
      {"zero", "0N0", true, true, "0", "0", true},
      {"out of range passes to validation", "95N00", true, true, "95", "00", true},
      {"many digits pass to validation", "99999999999999999999E1", false, true,
       "99999999999999999999", "1", true},
      {"longitude letter on a latitude", "28E36", true, false, "", "", false},
      {"latitude letter on a longitude", "77N12", false, false, "", "", false},
      {"no minutes", "28N", true, false, "", "", false},
      {"no degrees", "N36", true, false, "", "", false},
      {"decimal degrees", "28.6", true, false, "", "", false},
      {"sign", "-28N36", true, false, "", "", false},
      {"minutes with a letter", "28N3x", true, false, "", "", false},
      {"two letters", "28NN36", true, false, "", "", false},
      {"empty", "", true, false, "", "", false},
  };
  for (const CoordinateCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.label << ": \"" << c.text << "\"");
    const auto parsed = c.latitude ? ParseCoordinate(c.text, 'N', 'S', "latitude")
                                   : ParseCoordinate(c.text, 'E', 'W', "longitude");
    ASSERT_EQ(parsed.value.has_value(), c.ok) << parsed.error;
    if (!c.ok) {
      EXPECT_NE(parsed.error.find(c.latitude ? "latitude" : "longitude"), std::string::npos);
      continue;
    }
    EXPECT_EQ(parsed.value->degreesText, c.degrees);
    EXPECT_EQ(parsed.value->minutesText, c.minutes);
    EXPECT_EQ(parsed.value->positive, c.positive);
  }
}

struct ZoneCase {
  const char* label;
  std::string_view text;
  int expected;  // -1: refused
};

TEST(ParseZone, PositionOrAbbreviation) {
  // Expected positions: the zone list (entry/zones.h), e.g. "Indian Time,
  // IST, +5.3" at 34, "Universal Time, UT, 0.0" at 61.
  const ZoneCase cases[] = {
      {"default when empty", "", kDefaultZoneIndex},
      {"position 0", "0", 0},
      {"position 70", "70", 70},
      {"position with a leading zero", "05", 5},
      {"position 71", "71", -1},
      {"negative position", "-1", -1},
      {"IST", "IST", 34},
      {"lower case", "ist", 34},
      {"GMT", "GMT", 29},
      {"UT after a blank in its text", "UT", 61},
      {"AT after a blank in its text", "AT", 11},
      {"EST", "EST", 27},
      {"NZST", "NZST", 46},
      {"SAD and SDT are different abbreviations", "SDT", 57},
      {"ambiguous NST", "NST", -1},
      {"unknown", "XYZ", -1},
      {"zone name is not an abbreviation", "Indian Time", -1},
  };
  for (const ZoneCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.label << ": \"" << c.text << "\"");
    const auto parsed = ParseZone(c.text);
    if (c.expected < 0) {
      EXPECT_FALSE(parsed.value.has_value());
      EXPECT_FALSE(parsed.error.empty());
    } else {
      ASSERT_TRUE(parsed.value.has_value()) << parsed.error;
      EXPECT_EQ(*parsed.value, c.expected);
    }
  }
}

TEST(ParseZone, AmbiguousAbbreviationNamesEveryCandidate) {
  // "Newfoundland Standard Time,NST,-3.5" (50) and "North Sumatra Time,NST,+6.5" (52).
  const auto parsed = ParseZone("NST");
  ASSERT_FALSE(parsed.value.has_value());
  EXPECT_NE(parsed.error.find("50 (Newfoundland Standard Time,NST,-3.5)"), std::string::npos)
      << parsed.error;
  EXPECT_NE(parsed.error.find("52 (North Sumatra Time,NST,+6.5)"), std::string::npos)
      << parsed.error;
}

TEST(ZoneAbbreviation, EveryEntryHasOneAndOnlyNstRepeats) {
  // Property over the whole list: each text's second comma field, trimmed, is
  // a non-empty run of capitals and digits; NST is the only repeated one.
  std::multiset<std::string_view> seen;
  for (int i = 0; i < kZoneCount; ++i) {
    const std::string_view abbreviation = ZoneAbbreviation(i);
    SCOPED_TRACE(std::string(kZones[static_cast<std::size_t>(i)].text));
    ASSERT_FALSE(abbreviation.empty());
    for (char ch : abbreviation) EXPECT_TRUE((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'));
    seen.insert(abbreviation);
    // Every unique abbreviation finds its own position again.
    if (abbreviation != "NST") {
      EXPECT_EQ(ParseZone(abbreviation).value, i);
    }
  }
  for (std::string_view a : seen) EXPECT_EQ(seen.count(a), a == "NST" ? 2u : 1u) << a;
  EXPECT_TRUE(ZoneAbbreviation(-1).empty());
  EXPECT_TRUE(ZoneAbbreviation(kZoneCount).empty());
}

TEST(ParseDst, AcceptedWords) {
  const std::pair<std::string_view, std::optional<bool>> cases[] = {
      {"", false},    {"0", false},        {"1", true},         {"true", true},
      {"TRUE", true}, {"Yes", true},       {"no", false},       {"false", false},
      {" 1 ", true},  {"2", std::nullopt}, {"y", std::nullopt}, {"on", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(::testing::Message() << "\"" << text << "\"");
    EXPECT_EQ(ParseDst(text).value, expected);
  }
}

TEST(BirthOfFields, ReadsTheFieldsIntoNumbers) {
  // Padded digits, seconds, the southern and eastern hemispheres, a zone
  // by its abbreviation (IST is row 34) and the tick by a word.
  const BirthFields fields{
      "ARJUN MEHTA", "1980-06-05", "09:05:07",  "33S52", "151E12", "IST", "yes",
      "Sydney",      "NSW",        "Australia", "",      "",       "",    ""};
  const auto parsed = BirthOfFields(fields);
  ASSERT_TRUE(parsed.value.has_value()) << parsed.error;
  ASSERT_FALSE(parsed.value->refusal);
  const Birth& b = parsed.value->birth;
  EXPECT_EQ(b.name, "ARJUN MEHTA");
  EXPECT_EQ(b.city, "Sydney");
  EXPECT_EQ(b.state, "NSW");
  EXPECT_EQ(b.country, "Australia");
  EXPECT_EQ(b.local.year, 1980);
  EXPECT_EQ(b.local.month, 6);
  EXPECT_EQ(b.local.day, 5);
  EXPECT_EQ(b.local.hour, 9);
  EXPECT_EQ(b.local.minute, 5);
  EXPECT_EQ(b.local.second, 7);
  EXPECT_EQ(b.position.latitude.degrees, 33);
  EXPECT_EQ(b.position.latitude.minutes, 52);
  EXPECT_FALSE(b.position.latitude.positive);
  EXPECT_EQ(b.position.longitude.degrees, 151);
  EXPECT_EQ(b.position.longitude.minutes, 12);
  EXPECT_TRUE(b.position.longitude.positive);
  EXPECT_EQ(b.clock.zoneRow, 34);
  EXPECT_EQ(b.clock.offsetSeconds, 5 * 3600 + 30 * 60);
  EXPECT_TRUE(b.clock.daylightTick);
}

TEST(BirthOfFields, EmptyNameIsTheFormsRefusal) {
  // An empty name is well formed; the form's check refuses it, with the
  // default zone row read all the same.
  const auto parsed = BirthOfFields(
      {"", "1980-06-15", "10:30", "28N36", "77E12", "", "", "", "", "", "", "", "", ""});
  ASSERT_TRUE(parsed.value.has_value()) << parsed.error;
  ASSERT_TRUE(parsed.value->refusal);
  EXPECT_EQ(parsed.value->refusal->message, "Please Enter Name");
  EXPECT_EQ(parsed.value->birth.clock.zoneRow, kDefaultZoneIndex);
  EXPECT_FALSE(parsed.value->birth.clock.daylightTick);
}

TEST(BirthOfFields, SameBirthAndRefusalAsTheFormsReading) {
  // The command line reads its fields straight into numbers; the form reads
  // its texts. Over many random births, near-misses included (an empty
  // name, 31 April, 29 February of a common year, 95 degrees, minutes of
  // 60, padded digits, exact offsets with seconds), both give the same
  // refusal, or the same birth.
  std::mt19937 rng(20261209);
  const auto pick = [&rng](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
  };
  const auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  for (int i = 0; i < 20000; ++i) {
    BirthFields f;
    f.name = pick(0, 20) == 0 ? "  " : "RAVI";
    f.date = std::to_string(pick(kFirstYear, kLastYear)) + "-" + two(pick(1, 12)) + "-" +
             two(pick(pick(0, 3) == 0 ? 28 : 1, 31));
    f.time = two(pick(0, 23)) + ":" + two(pick(0, 59)) + (pick(0, 1) ? ":" + two(pick(0, 59)) : "");
    const auto coordinate = [&](int most, char pos, char neg) {
      std::string degrees = std::to_string(pick(0, pick(0, 10) == 0 ? most + 10 : most));
      if (pick(0, 10) == 0) degrees.insert(0, "00");
      return degrees + (pick(0, 1) ? pos : neg) +
             (pick(0, 1) ? two(pick(0, pick(0, 10) == 0 ? 60 : 59)) : std::to_string(pick(0, 59)));
    };
    f.lat = coordinate(89, 'N', 's');
    f.lon = coordinate(179, 'e', 'W');
    if (pick(0, 1)) f.zone = std::to_string(pick(0, kZoneCount - 1));
    f.dst = pick(0, 3) == 0 ? "1" : "";
    if (pick(0, 4) == 0) {
      f.offset = pick(0, 1) ? std::to_string(pick(-720, 840))
                            : "+" + std::to_string(pick(0, 13)) + ":" + two(pick(0, 59)) + ":" +
                                  two(pick(0, 59));
    }
    SCOPED_TRACE(::testing::Message() << f.date << " " << f.time << " " << f.lat << " " << f.lon
                                    << " zone " << f.zone << " offset " << f.offset);
    const Parsed<BirthReading> direct = BirthOfFields(f);
    const Parsed<FormEntries> entries = orvanta::testing::TypedIntoForm(f);
    ASSERT_EQ(direct.value.has_value(), entries.value.has_value());
    ASSERT_EQ(direct.error, entries.error);
    if (!direct.value) continue;
    const BirthReading form = ReadBirth(*entries.value);
    ASSERT_EQ(direct.value->refusal.has_value(), form.refusal.has_value());
    if (form.refusal) {
      EXPECT_EQ(direct.value->refusal->message, form.refusal->message);
      continue;
    }
    const Birth& a = direct.value->birth;
    const Birth& b = form.birth;
    EXPECT_EQ(a.local.year, b.local.year);
    EXPECT_EQ(a.local.month, b.local.month);
    EXPECT_EQ(a.local.day, b.local.day);
    EXPECT_EQ(a.local.hour, b.local.hour);
    EXPECT_EQ(a.local.minute, b.local.minute);
    EXPECT_EQ(a.local.second, b.local.second);
    EXPECT_EQ(a.position.latitude.degrees, b.position.latitude.degrees);
    EXPECT_EQ(a.position.latitude.minutes, b.position.latitude.minutes);
    EXPECT_EQ(a.position.latitude.positive, b.position.latitude.positive);
    EXPECT_EQ(a.position.longitude.degrees, b.position.longitude.degrees);
    EXPECT_EQ(a.position.longitude.minutes, b.position.longitude.minutes);
    EXPECT_EQ(a.position.longitude.positive, b.position.longitude.positive);
    EXPECT_EQ(a.clock.offsetSeconds, b.clock.offsetSeconds);
    EXPECT_EQ(a.clock.zoneRow, b.clock.zoneRow);
    EXPECT_EQ(a.clock.daylightTick, b.clock.daylightTick);
    EXPECT_EQ(a.clock.summerTime, b.clock.summerTime);
  }
}

struct ArgumentsCase {
  const char* label;
  std::vector<std::string_view> args;
  std::optional<Mode> mode;    // nothing: refused
  std::string_view errorPart;  // part of the message when refused
};

TEST(ParseArguments, ModesAndMistakes) {
  const std::vector<std::string_view> birth = {"--name", "A",     "--date", "1980-06-15", "--time",
                                               "10:30",  "--lat", "28N36",  "--lon",      "77E12"};
  const auto with = [&](std::vector<std::string_view> extra) {
    std::vector<std::string_view> all = birth;
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
  };
  const ArgumentsCase cases[] = {
      {"one chart", birth, Mode::Chart, ""},
      {"one chart, json, dst, zone", with({"--json", "--dst", "--zone", "IST"}), Mode::Chart, ""},
      {"value after =",
       {"--name=A", "--date=1980-06-15", "--time=10:30", "--lat=28N36", "--lon=77E12"},
       Mode::Chart,
       ""},
      {"help wins", with({"--help"}), Mode::Help, ""},
      {"short help", {"-h"}, Mode::Help, ""},
      {"version", {"--version"}, Mode::Version, ""},
      {"zone list", {"--list-zones"}, Mode::ListZones, ""},
      {"batch", {"--batch", "rows.csv", "--json"}, Mode::Batch, ""},
      {"batch from standard input", {"--batch", "-"}, Mode::Batch, ""},
      {"nothing", {}, std::nullopt, "no birth"},
      {"missing name",
       {"--date", "1980-06-15", "--time", "10:30", "--lat", "28N36", "--lon", "77E12"},
       std::nullopt,
       "missing --name"},
      {"missing lon",
       {"--name", "A", "--date", "1980-06-15", "--time", "10:30", "--lat", "28N36"},
       std::nullopt,
       "missing --lon"},
      {"value missing at the end", with({"--zone"}), std::nullopt, "--zone needs a value"},
      {"option twice", with({"--name", "B"}), std::nullopt, "--name given twice"},
      {"unknown option", with({"--colour"}), std::nullopt, "unknown option"},
      {"stray argument", with({"extra"}), std::nullopt, "unexpected argument"},
      {"flag with a value", with({"--dst=1"}), std::nullopt, "--dst takes no value"},
      {"help with a value", {"--help=1"}, std::nullopt, "--help takes no value"},
      {"version with a value", {"--version=x"}, std::nullopt, "--version takes no value"},
      // A value is never the next option: a forgotten one is reported.
      {"value forgotten before a flag", with({"--city", "--json"}), std::nullopt,
       "--city needs a value"},
      {"value forgotten before an option", with({"--zone", "--city", "X"}), std::nullopt,
       "--zone needs a value"},
      {"batch file forgotten", {"--batch", "--json"}, std::nullopt, "--batch needs a file"},
      {"value that starts with -- after =", with({"--city=--x--"}), Mode::Chart, ""},
      {"value that starts with one dash", with({"--city", "-x"}), Mode::Chart, ""},
      {"batch with birth options",
       {"--batch", "x.csv", "--name", "A"},
       std::nullopt,
       "give no birth options"},
      {"batch without a file", {"--batch"}, std::nullopt, "--batch needs a file"},
      {"zone list with others", {"--list-zones", "--json"}, std::nullopt, "no other options"},
      {"batch on 8 threads", {"--batch", "-", "--jobs", "8"}, Mode::Batch, ""},
      {"jobs at the limit", {"--batch", "-", "--jobs=256"}, Mode::Batch, ""},
      {"no jobs", {"--batch", "-", "--jobs", "0"}, std::nullopt, "--jobs needs a number"},
      {"jobs over the limit", {"--batch", "-", "--jobs", "257"}, std::nullopt, "1..256"},
      {"jobs not a number", {"--batch", "-", "--jobs", "2x"}, std::nullopt, "not \"2x\""},
      {"jobs forgotten", {"--batch", "-", "--jobs"}, std::nullopt, "--jobs needs a number"},
      {"jobs twice", {"--batch", "-", "--jobs", "2", "--jobs", "2"}, std::nullopt, "twice"},
      {"jobs for one chart", with({"--jobs", "2"}), std::nullopt, "--jobs is for --batch"},
      {"fields of a batch",
       {"--batch", "-", "--json-record", "--fields", "Name, InduLagnaIndex"},
       Mode::Batch,
       ""},
      {"fields of one chart", with({"--json-record", "--fields=Attributes"}), Mode::Chart, ""},
      {"fields without json",
       {"--batch", "-", "--fields", "Name"},
       std::nullopt,
       "give --json or --json-record"},
      {"fields of the chart schema",
       {"--batch", "-", "--fields", "name,bodies,induLagna", "--json"},
       Mode::Batch,
       ""},
      {"record's member with the chart schema",
       {"--batch", "-", "--json", "--fields", "Name"},
       std::nullopt,
       "unknown member \"Name\""},
      {"schema's member with the record",
       {"--batch", "-", "--json-record", "--fields", "bodies"},
       std::nullopt,
       "unknown member \"bodies\""},
      {"both JSON forms", with({"--json", "--json-record"}), std::nullopt,
       "give --json or --json-record, not both"},
      {"record of a batch", {"--batch", "rows.csv", "--json-record"}, Mode::Batch, ""},
      {"places with the record",
       {"--places", "Madrid", "--json-record"},
       std::nullopt,
       "--places takes no other options but --json"},
      {"unknown field",
       {"--batch", "-", "--json-record", "--fields", "Name,Moon"},
       std::nullopt,
       "unknown member \"Moon\""},
      {"field in the wrong case",
       {"--batch", "-", "--json-record", "--fields", "name"},
       std::nullopt,
       "unknown member \"name\""},
      {"empty field",
       {"--batch", "-", "--json-record", "--fields", "Name,,Valid"},
       std::nullopt,
       "--fields needs member names"},
      {"fields forgotten",
       {"--batch", "-", "--json-record", "--fields"},
       std::nullopt,
       "--fields needs member names"},
      {"settings of one chart", with({"--ayanamsa", "kp", "--node=true", "--il-rule", "classical"}),
       Mode::Chart, ""},
      {"settings of a batch",
       {"--batch", "-", "--ayanamsa=raman", "--node", "mean"},
       Mode::Batch,
       ""},
      {"unknown ayanamsa", with({"--ayanamsa", "fagan"}), std::nullopt,
       "--ayanamsa needs program, lahiri, raman or kp, not \"fagan\""},
      {"ayanamsa in capitals", with({"--ayanamsa", "Lahiri"}), std::nullopt, "not \"Lahiri\""},
      {"unknown node", with({"--node", "osculating"}), std::nullopt,
       "--node needs program, mean or true"},
      {"unknown rule", with({"--il-rule=textbook"}), std::nullopt,
       "--il-rule needs program or classical, not \"textbook\""},
      {"rule forgotten", with({"--il-rule"}), std::nullopt, "--il-rule needs program or classical"},
      {"setting twice", with({"--node", "mean", "--node", "true"}), std::nullopt,
       "--node given twice"},
      {"settings with the places",
       {"--places", "Madrid", "--node", "mean"},
       std::nullopt,
       "--places takes no other options"},
      {"settings with the zone list",
       {"--list-zones", "--ayanamsa", "kp"},
       std::nullopt,
       "--list-zones takes no other options"},
      {"drawing in a style", with({"--svg", "c.svg", "--style", "north", "--chart", "navamsa"}),
       Mode::Chart, ""},
      {"drawing on standard output", with({"--svg", "-", "--json"}), Mode::Chart, ""},
      {"style of a batch's JSON", {"--batch", "-", "--json", "--style=east"}, Mode::Batch, ""},
      {"drawing of a batch",
       {"--batch", "-", "--svg", "c.svg"},
       std::nullopt,
       "does not go with --batch"},
      {"drawing without a file", with({"--svg"}), std::nullopt, "--svg needs a file name"},
      {"drawing twice", with({"--svg", "a.svg", "--svg", "b.svg"}), std::nullopt,
       "--svg given twice"},
      {"unknown style", with({"--style", "western"}), std::nullopt,
       "--style needs south, north or east, not \"western\""},
      {"style in full", with({"--style", "north-indian"}), std::nullopt, "--style needs"},
      {"style twice", with({"--style", "north", "--style", "east"}), std::nullopt, "twice"},
      {"city clock", with({"--clock", "city"}), Mode::Chart, ""},
      {"standard clock", with({"--clock=standard"}), Mode::Chart, ""},
      {"unknown clock", with({"--clock", "local"}), std::nullopt,
       "--clock needs city or standard, not \"local\""},
      {"clock without a value", with({"--clock"}), std::nullopt, "--clock needs city or standard"},
      {"clock twice", with({"--clock", "city", "--clock", "standard"}), std::nullopt, "twice"},
      {"unknown chart", with({"--svg", "c.svg", "--chart", "d10"}), std::nullopt,
       "--chart needs rasi, navamsa or both"},
      {"chart without a drawing", with({"--chart", "rasi"}), std::nullopt, "give --svg FILE"},
      {"zone list with a style",
       {"--list-zones", "--style", "north"},
       std::nullopt,
       "no other options"},
      {"names in a script", with({"--names", "tamil"}), Mode::Chart, ""},
      {"names of a batch", {"--batch", "-", "--names=devanagari"}, Mode::Batch, ""},
      {"unknown names", with({"--names", "hindi"}), std::nullopt,
       "--names needs english, sanskrit, devanagari, tamil, telugu, kannada, malayalam, bengali "
       "or gujarati, not \"hindi\""},
      {"names in capitals", with({"--names", "Tamil"}), std::nullopt, "--names needs"},
      {"names without a value", with({"--names"}), std::nullopt, "--names needs"},
      {"names twice", with({"--names", "tamil", "--names", "telugu"}), std::nullopt, "twice"},
      {"zone list with names",
       {"--list-zones", "--names", "tamil"},
       std::nullopt,
       "no other options"},
      {"places with names",
       {"--places", "Madrid", "--names", "tamil"},
       std::nullopt,
       "--places takes no other options"},
  };
  for (const ArgumentsCase& c : cases) {
    SCOPED_TRACE(c.label);
    const auto parsed = ParseArguments(c.args);
    if (!c.mode) {
      EXPECT_FALSE(parsed.value.has_value());
      EXPECT_NE(parsed.error.find(c.errorPart), std::string::npos) << parsed.error;
      continue;
    }
    ASSERT_TRUE(parsed.value.has_value()) << parsed.error;
    EXPECT_EQ(parsed.value->mode, *c.mode);
  }
  // The place's own clock unless the standard one is asked for.
  EXPECT_EQ(ParseArguments(birth).value->clock, ClockPreference::City);
  EXPECT_EQ(ParseArguments(with({"--clock", "standard"})).value->clock, ClockPreference::Standard);
  // English names unless others are asked for; every script by its key.
  EXPECT_EQ(ParseArguments(birth).value->names, NameScript::English);
  for (const NameScript script : kNameScripts) {
    const auto parsed = ParseArguments(with({"--names", NameScriptKey(script)}));
    ASSERT_TRUE(parsed.value) << parsed.error;
    EXPECT_EQ(parsed.value->names, script);
  }
}

// The drawing's options land in the options; without them the drawing is
// none, South Indian, both charts.
TEST(ParseArguments, DrawingOptions) {
  const std::vector<std::string_view> base = {"--name", "A",     "--date", "1980-06-15", "--time",
                                              "10:30",  "--lat", "28N36",  "--lon",      "77E12"};
  const auto plain = ParseArguments(base);
  ASSERT_TRUE(plain.value) << plain.error;
  EXPECT_TRUE(plain.value->svgPath.empty());
  EXPECT_EQ(plain.value->style, ChartStyle::SouthIndian);
  EXPECT_EQ(plain.value->charts, ChartSelection::Both);
  struct Row {
    std::string_view style, chart;
    ChartStyle expectedStyle;
    ChartSelection expectedCharts;
  };
  for (const Row& r : {Row{"south", "rasi", ChartStyle::SouthIndian, ChartSelection::Rasi},
                       Row{"north", "navamsa", ChartStyle::NorthIndian, ChartSelection::Navamsa},
                       Row{" east ", "both", ChartStyle::EastIndian, ChartSelection::Both}}) {
    std::vector<std::string_view> args = base;
    for (std::string_view a :
         {std::string_view("--svg"), std::string_view("out.svg"), std::string_view("--style"),
          r.style, std::string_view("--chart"), r.chart}) {
      args.push_back(a);
    }
    const auto parsed = ParseArguments(args);
    ASSERT_TRUE(parsed.value) << parsed.error;
    EXPECT_EQ(parsed.value->svgPath, "out.svg");
    EXPECT_EQ(parsed.value->style, r.expectedStyle);
    EXPECT_EQ(parsed.value->charts, r.expectedCharts);
  }
}

// The dasha's options: the year length (a calculation setting), the levels
// and the date; each refused with its one-line message when out of range.
TEST(ParseArguments, DashaOptions) {
  const std::vector<std::string_view> base = {"--name", "A",     "--date", "1980-06-15", "--time",
                                              "10:30",  "--lat", "28N36",  "--lon",      "77E12"};
  const auto plain = ParseArguments(base);
  ASSERT_TRUE(plain.value) << plain.error;
  EXPECT_EQ(plain.value->dasha.levels, 2);
  EXPECT_FALSE(plain.value->dasha.at);
  EXPECT_EQ(plain.value->calculation.dashaYear, dasha::YearLength::Julian);
  struct Row {
    const char* name;
    std::vector<std::string_view> extra;
    std::string error;  // empty: accepted
  };
  const Row rows[] = {
      {"all three",
       {"--dasha-year", "sidereal", "--dasha-levels", "5", "--dasha-at", "2024-02-29"},
       ""},
      {"with =", {"--dasha-year=savana", "--dasha-levels=1", "--dasha-at=2000-01-01"}, ""},
      {"unknown year",
       {"--dasha-year", "tropical"},
       "--dasha-year needs julian, gregorian, sidereal or savana, not \"tropical\""},
      {"level 0",
       {"--dasha-levels", "0"},
       "--dasha-levels needs a number of levels 1..5, not \"0\""},
      {"level 6",
       {"--dasha-levels", "6"},
       "--dasha-levels needs a number of levels 1..5, not \"6\""},
      {"no level", {"--dasha-levels"}, "--dasha-levels needs a number of levels 1..5"},
      {"no such day",
       {"--dasha-at", "2023-02-29"},
       "--dasha-at needs a date YYYY-MM-DD, not \"2023-02-29\""},
      {"wrong shape",
       {"--dasha-at", "9/12/2026"},
       "--dasha-at needs a date YYYY-MM-DD, not \"9/12/2026\""},
      {"twice", {"--dasha-at", "2026-12-09", "--dasha-at", "2026-12-10"}, "--dasha-at given twice"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::string_view> args = base;
    args.insert(args.end(), r.extra.begin(), r.extra.end());
    const auto parsed = ParseArguments(args);
    if (r.error.empty()) {
      ASSERT_TRUE(parsed.value) << parsed.error;
    } else {
      EXPECT_FALSE(parsed.value);
      EXPECT_EQ(parsed.error, r.error);
    }
  }
  std::vector<std::string_view> args = base;
  for (std::string_view a :
       {"--dasha-year", "sidereal", "--dasha-levels", "5", "--dasha-at", "2024-02-29"}) {
    args.push_back(a);
  }
  const auto parsed = ParseArguments(args);
  ASSERT_TRUE(parsed.value) << parsed.error;
  EXPECT_EQ(parsed.value->calculation.dashaYear, dasha::YearLength::Sidereal);
  EXPECT_EQ(parsed.value->dasha.levels, 5);
  ASSERT_TRUE(parsed.value->dasha.at);
  EXPECT_EQ(*parsed.value->dasha.at, std::chrono::year_month_day(std::chrono::year{2024} / 2 / 29));
  // Not with the zone list.
  EXPECT_FALSE(
      ParseArguments(std::vector<std::string_view>{"--list-zones", "--dasha-levels", "3"}).value);
}

TEST(ParseArguments, FillsTheBirthFields) {
  const std::vector<std::string_view> args = {
      "--name",  "ARJUN MEHTA", "--date",    "1980-06-15", "--time", "10:30",  "--lat",
      "28N36",   "--lon",       "77E12",     "--zone",     "IST",    "--city", "New Delhi",
      "--state", "Delhi",       "--country", "India",      "--dst",  "--json"};
  const auto parsed = ParseArguments(args);
  ASSERT_TRUE(parsed.value.has_value()) << parsed.error;
  const BirthFields& b = parsed.value->birth;
  EXPECT_EQ(b.name, "ARJUN MEHTA");
  EXPECT_EQ(b.date, "1980-06-15");
  EXPECT_EQ(b.time, "10:30");
  EXPECT_EQ(b.lat, "28N36");
  EXPECT_EQ(b.lon, "77E12");
  EXPECT_EQ(b.zone, "IST");
  EXPECT_EQ(b.city, "New Delhi");
  EXPECT_EQ(b.state, "Delhi");
  EXPECT_EQ(b.country, "India");
  EXPECT_EQ(b.dst, "1");
  EXPECT_TRUE(parsed.value->json);
  EXPECT_EQ(parsed.value->jobs, 0);  // one per usable core
  EXPECT_TRUE(parsed.value->fields.all());
  EXPECT_TRUE(parsed.value->schemaFields.all());
  EXPECT_TRUE(parsed.value->calculation.IsDefault());
  // --fields with --json chooses the schema's members, whichever comes first.
  const auto schema = ParseArguments(
      std::vector<std::string_view>{"--batch", "-", "--fields", "name, texts,dasha", "--json"});
  ASSERT_TRUE(schema.value.has_value()) << schema.error;
  EXPECT_EQ(schema.value->schemaFields, ChartSchemaMembers{}.set(1).set(11).set(12));
  EXPECT_TRUE(schema.value->fields.all());

  // The settings' options fill the calculation settings.
  std::vector<std::string_view> chosen = args;
  for (std::string_view extra :
       {"--ayanamsa", "lahiri", "--node", "true", "--il-rule", "classical"}) {
    chosen.push_back(extra);
  }
  const auto withSettings = ParseArguments(chosen);
  ASSERT_TRUE(withSettings.value.has_value()) << withSettings.error;
  const CalculationSettings& c = withSettings.value->calculation;
  EXPECT_EQ(c.ayanamsa, AyanamsaChoice::Lahiri);
  EXPECT_EQ(c.node, NodeChoice::True);
  EXPECT_EQ(c.induLagnaRule, InduLagnaRule::FromMoonVenus12);
}

TEST(ParseFieldList, NamesInAnyOrderGiveTheMembersInTheirOrder) {
  // Every member name is accepted, alone and all together in reverse order.
  std::string all;
  for (std::size_t k = kChartJsonMemberCount; k-- > 0;) {
    const std::string_view name = ChartJsonMemberName(k);
    ASSERT_FALSE(name.empty()) << k;
    const auto one = ParseFieldList(name);
    ASSERT_TRUE(one.value.has_value()) << name << ": " << one.error;
    EXPECT_EQ(one.value->count(), 1u);
    EXPECT_TRUE(one.value->test(k)) << name;
    all += std::string(name) + (k > 0 ? " , " : "");
  }
  const auto every = ParseFieldList(all);
  ASSERT_TRUE(every.value.has_value()) << every.error;
  EXPECT_TRUE(every.value->all());
}

}  // namespace
}  // namespace orvanta::cli
