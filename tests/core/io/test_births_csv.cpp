// Tests of the births file: rows written and read back (exact offsets, tz
// names, notes, texts a spreadsheet would run as formulas), and files
// written whole or not at all (a full disk, a device that is full).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "atlas/atlas.h"
#include "chart/legacy_record.h"
#include "io/birth_resolution.h"
#include "io/births_csv.h"
#include "io/file_name.h"
#include "io/offset_text.h"
#include "io/saved_birth.h"
#include "io/whole_file.h"
#include "support/form_typing.h"
#include "support/random_births.h"

namespace orvanta {
namespace {

struct SavedRow {
  FormEntries entries;
  std::string tz, note;
};

// Reads a births file written under kBirthsFileHeader back into rows.
std::vector<SavedRow> ReadBack(const std::string& text) {
  std::istringstream in(text);
  CsvReader reader(in);
  std::optional<CsvRecord> header = reader.Next();
  EXPECT_TRUE(header);
  const std::optional<BatchLayout> layout = header ? LayoutOfHeader(*header) : std::nullopt;
  EXPECT_TRUE(layout);
  std::vector<SavedRow> rows;
  if (!layout) return rows;
  while (std::optional<CsvRecord> record = reader.Next()) {
    Parsed<BirthFields> fields = FieldsOfRecord(*record, *layout);
    EXPECT_TRUE(fields.value) << "line " << record->lineNumber << ": " << fields.error;
    if (!fields.value) continue;
    Parsed<FormEntries> entries = testing::TypedIntoForm(*fields.value);
    EXPECT_TRUE(entries.value) << "line " << record->lineNumber << ": " << entries.error;
    if (!entries.value) continue;
    rows.push_back({std::move(*entries.value), fields.value->tz, fields.value->note});
  }
  return rows;
}

std::string WriteFile(const std::vector<SavedRow>& rows) {
  std::string text(kBirthsFileHeader);
  text += '\n';
  for (const SavedRow& r : rows) text += BirthsRowOf(r.entries, r.tz, r.note) + "\n";
  return text;
}

void ExpectSameEntries(const FormEntries& a, const FormEntries& b) {
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.city, b.city);
  EXPECT_EQ(a.state, b.state);
  EXPECT_EQ(a.country, b.country);
  EXPECT_EQ(a.monthIndex, b.monthIndex);
  EXPECT_EQ(a.dayText, b.dayText);
  EXPECT_EQ(a.yearText, b.yearText);
  EXPECT_EQ(a.hourText, b.hourText);
  EXPECT_EQ(a.minuteText, b.minuteText);
  EXPECT_EQ(a.secondText, b.secondText);
  EXPECT_EQ(a.latDeg, b.latDeg);
  EXPECT_EQ(a.latMin, b.latMin);
  EXPECT_EQ(a.north, b.north);
  EXPECT_EQ(a.lonDeg, b.lonDeg);
  EXPECT_EQ(a.lonMin, b.lonMin);
  EXPECT_EQ(a.east, b.east);
  EXPECT_EQ(a.zoneIndex, b.zoneIndex);
  EXPECT_EQ(a.exactOffsetMinutes, b.exactOffsetMinutes);
  EXPECT_EQ(ExactOffsetSecondsOf(a), ExactOffsetSecondsOf(b));
  EXPECT_EQ(a.daylightTick, b.daylightTick);
}

FormEntries Kathmandu() {
  FormEntries e;
  e.name = "KATHMANDU 1990";
  e.city = "Kathmandu";
  e.country = "Nepal";
  e.monthIndex = 6;
  e.dayText = "4";
  e.yearText = "1990";
  e.hourText = "14";
  e.minuteText = "25";
  e.secondText = "0";
  e.latDeg = "27";
  e.latMin = "42";
  e.lonDeg = "85";
  e.lonMin = "19";
  // Nepal's +5:45 is no row of the zone list: the form leaves the list
  // unselected and keeps the exact offset.
  e.zoneIndex = -1;
  e.exactOffsetMinutes = 345;
  return e;
}

TEST(BirthsFile, RowsReadBackAsWritten) {
  FormEntries formula = Kathmandu();
  formula.name = "=HYPERLINK(\"http://x\",\"y\")";
  formula.city = "+91 Delhi";
  formula.state = "-";
  formula.country = "@India";
  FormEntries apostrophes = Kathmandu();
  apostrophes.name = "'=not a formula";
  apostrophes.city = "'s-Hertogenbosch";
  FormEntries west = Kathmandu();
  west.exactOffsetMinutes = -210;  // Newfoundland's -3:30
  west.east = false;
  // Kathmandu's mean time of 1901, +5:41:16, to the second.
  FormEntries meanTime = Kathmandu();
  meanTime.yearText = "1901";
  SetExactOffset(meanTime, 5 * 3600 + 41 * 60 + 16);
  FormEntries listed = Kathmandu();
  listed.exactOffsetMinutes.reset();
  listed.zoneIndex = 34;
  listed.daylightTick = true;
  const std::vector<SavedRow> rows = {
      {Kathmandu(), "Asia/Kathmandu", "born at home"},
      {formula, "", "=1+1, \"quoted\""},
      {apostrophes, "", "'"},
      {west, "America/St_Johns", ""},
      {listed, "", ""},
      {meanTime, "Asia/Kathmandu", ""},
  };
  const std::string text = WriteFile(rows);
  // The exact offset in minutes, the zone list left empty; formulas behind
  // an apostrophe.
  EXPECT_NE(text.find("KATHMANDU 1990,1990-07-04,14:25:00,27N42,85E19,,0,Kathmandu,,Nepal,"
                      "Asia/Kathmandu,345,born at home\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""), std::string::npos) << text;
  EXPECT_NE(text.find(",'+91 Delhi,'-,'@India,"), std::string::npos) << text;
  EXPECT_NE(text.find("\n''=not a formula,"), std::string::npos) << text;
  EXPECT_NE(text.find(",''s-Hertogenbosch,"), std::string::npos) << text;
  // An offset with seconds is written with them, behind the guard its sign
  // needs.
  EXPECT_NE(text.find(",Asia/Kathmandu,'+5:41:16,\n"), std::string::npos) << text;
  const std::vector<SavedRow> back = ReadBack(text);
  ASSERT_EQ(back.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    ExpectSameEntries(back[i].entries, rows[i].entries);
    EXPECT_EQ(back[i].tz, rows[i].tz);
    EXPECT_EQ(back[i].note, rows[i].note);
  }
  EXPECT_EQ(WriteFile(back), text);
}

TEST(BirthsFile, ThousandsOfRandomBirthsRoundTripByteForByte) {
  // Property over the form's whole input domain, with exact offsets, tz
  // names and notes drawn as well: write, read, write gives the same bytes
  // and the same entries.
  std::mt19937_64 rng(20261208);
  const std::vector<std::string> texts = {"",  "Asia/Kolkata", "=A1", "+5", "'x", "a,b", "\"q\"",
                                          "-", "@home",        "'+",  "É"};
  std::vector<SavedRow> rows;
  for (int i = 0; i < 5000; ++i) {
    SavedRow r{testing::RandomFormEntries(rng, -1), texts[rng() % texts.size()],
               texts[rng() % texts.size()]};
    // The form leaves its zone list unselected only beside an exact offset.
    if (rng() % 4 == 0 || r.entries.zoneIndex < 0) {
      r.entries.exactOffsetMinutes = static_cast<int>(rng() % 1561) - 720;
      // Some to the second, as local mean time gives them.
      if (rng() % 3 == 0) SetExactOffset(r.entries, static_cast<int>(rng() % 93601) - 43200);
      if (rng() % 2 == 0) r.entries.zoneIndex = -1;
    }
    r.entries.name = texts[rng() % texts.size()] + r.entries.name;
    r.entries.city = texts[rng() % texts.size()];
    rows.push_back(std::move(r));
  }
  const std::string text = WriteFile(rows);
  const std::vector<SavedRow> back = ReadBack(text);
  ASSERT_EQ(back.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i) + ": " +
                 BirthsRowOf(rows[i].entries, rows[i].tz, rows[i].note));
    ExpectSameEntries(back[i].entries, rows[i].entries);
    EXPECT_EQ(back[i].tz, rows[i].tz);
    EXPECT_EQ(back[i].note, rows[i].note);
  }
  EXPECT_EQ(WriteFile(back), text);
}

TEST(BirthsFile, OffsetColumnShapes) {
  // Minutes east of Greenwich; the bounds are the world's extremes, -12:00
  // and +14:00.
  const struct {
    const char* text;
    std::optional<int> minutes;
    bool ok;
  } cases[] = {
      {"", std::nullopt, true}, {"345", 345, true},  {"+345", 345, true}, {" -210 ", -210, true},
      {"-720", -720, true},     {"840", 840, true},  {"841", {}, false},  {"-721", {}, false},
      {"5:45", {}, false},      {"5.75", {}, false}, {"--5", {}, false},  {"+", {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Parsed<std::optional<int>> parsed = ParseOffset(c.text);
    EXPECT_EQ(parsed.value.has_value(), c.ok) << parsed.error;
    if (parsed.value) {
      EXPECT_EQ(*parsed.value, c.minutes);
    }
  }
}

// The offset column as it reads today: minutes as always, or signed hours,
// minutes and seconds.
TEST(BirthsFile, OffsetColumnWithSeconds) {
  const struct {
    const char* text;
    std::optional<int> seconds;
    bool ok;
  } cases[] = {
      {"", std::nullopt, true},
      {"345", 345 * 60, true},
      {"-210", -210 * 60, true},
      {"+5:41:16", 20476, true},  // Kathmandu's mean time, the tz database's LMT
      {"5:45", 20700, true},
      {"-0:19:32", -1172, true},
      {" +5:53:20 ", 21200, true},  // Calcutta Time
      {"+14:00", 14 * 3600, true},
      {"-12:00:00", -12 * 3600, true},
      {"+14:00:01", {}, false},
      {"-12:00:01", {}, false},
      {"5:60", {}, false},
      {"5:45:60", {}, false},
      {"5:4", {}, false},
      {"5:45:1", {}, false},
      {"5::45", {}, false},
      {":45", {}, false},
      {"5:45:16:00", {}, false},
      {"123:00", {}, false},
      {"+", {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Parsed<std::optional<int>> parsed = ParseOffsetSeconds(c.text);
    EXPECT_EQ(parsed.value.has_value(), c.ok) << parsed.error;
    if (parsed.value) {
      EXPECT_EQ(*parsed.value, c.seconds);
    }
    // Written back in the shortest form that reads to the same seconds.
    if (parsed.value && *parsed.value) {
      EXPECT_EQ(ParseOffsetSeconds(OffsetText(**parsed.value)).value, *parsed.value);
    }
  }
  EXPECT_EQ(OffsetText(20476), "+5:41:16");
  EXPECT_EQ(OffsetText(-1172), "-0:19:32");
  EXPECT_EQ(OffsetText(345 * 60), "345");
  EXPECT_EQ(OffsetText(-210 * 60), "-210");
  // An old file's minutes read as before: no seconds of their own.
  FormEntries e;
  SetExactOffset(e, 345 * 60);
  EXPECT_EQ(e.exactOffsetMinutes, 345);
  EXPECT_FALSE(e.exactOffsetSeconds);
  SetExactOffset(e, 20476);
  EXPECT_EQ(e.exactOffsetMinutes, 341);
  EXPECT_EQ(e.exactOffsetSeconds, 20476);
  // Seconds that no longer fit the minutes (a zone filled since) are not
  // the offset.
  e.exactOffsetMinutes = 345;
  EXPECT_EQ(ExactOffsetSecondsOf(e), 345 * 60);
}

// Births resolved from the atlas take the place's own clock: the city time
// inside its area and period, the birth's own mean time where the tz
// history gives LMT, the tz reading otherwise or where the row names its tz
// zone. Written to a births file and read back, each gives the same chart
// and the same clock to the second. The expected offsets are those of
// tests/core/tz/test_birth_clock.cpp, with their sources.
TEST(BirthsFile, ResolvedClocksRoundTripToTheSecond) {
  struct Case {
    const char* name;
    const char* place;
    const char* tz;
    const char* lat;
    const char* lon;
    const char* date;
    const char* time;
    ClockPreference preference;
    int offsetSeconds;
    const char* clockText;  // the chart's clock line
  };
  const ClockPreference city = ClockPreference::City;
  const Case cases[] = {
      {"Mumbai 1930", "Mumbai, India", "", "", "", "1930-05-10", "08:00", city, 4 * 3600 + 51 * 60,
       "Bombay Time, UTC+4:51, the city's own clock until 1955"},
      {"Mumbai 1930 standard", "Mumbai, India", "", "", "", "1930-05-10", "08:00",
       ClockPreference::Standard, 5 * 3600 + 1800, "Asia/Kolkata, UTC+5:30, standard time"},
      {"Mumbai 1930 tz", "Mumbai, India", "Asia/Kolkata", "", "", "1930-05-10", "08:00", city,
       5 * 3600 + 1800, "Asia/Kolkata, UTC+5:30, standard time"},
      {"Kolkata 1930", "Kolkata, India", "", "", "", "1930-05-10", "08:00", city, 21200,
       "Calcutta Time, UTC+5:53:20, the city's own clock until 1948"},
      {"Kathmandu 1901", "Kathmandu, Nepal", "", "", "", "1901-01-15", "10:00", city, 20476,
       "local mean time at 85\u00B019\u2032 E, UTC+5:41:16"},
      {"Pokhara 1901", "Pokhara, Nepal", "", "", "", "1901-01-15", "10:00", city, 20152,
       "local mean time at 83\u00B058\u2032 E, UTC+5:35:52"},
      {"28N00 80E00 1901", "", "Asia/Kathmandu", "28N00", "80E00", "1901-01-15", "10:00", city,
       19200, "local mean time at 80\u00B000\u2032 E, UTC+5:20"},
      {"Kathmandu 1990", "Kathmandu, Nepal", "", "", "", "1990-05-10", "10:00", city, 20700,
       "Asia/Kathmandu, UTC+5:45, standard time"},
  };
  const Atlas atlas;
  ZoneHistory history;
  PlaceResolution found;
  const PlaceFinder findPlace = [&](const std::string& query) -> const PlaceResolution& {
    found = atlas.Resolve(query);
    return found;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BirthFields fields;
    fields.name = c.name;
    fields.place = c.place;
    fields.tz = c.tz;
    fields.lat = c.lat;
    fields.lon = c.lon;
    fields.date = c.date;
    fields.time = c.time;
    const RowResolution r = ResolveRow(fields, findPlace, history, kDstColumnWords, c.preference);
    ASSERT_TRUE(r.birth) << r.error;
    ASSERT_FALSE(r.birth->refusal);
    const Birth& b = r.birth->birth;
    EXPECT_EQ(b.clock.offsetSeconds, c.offsetSeconds);
    const ChartOutput chart = ComputeChart(b, CalculationSettings{});
    EXPECT_EQ(ChartClockOf(chart.birth).text, c.clockText);

    // Exported and imported: the zone or offset column decides the clock.
    const Parsed<FormEntries> e = FormEntriesOfBirth(b);
    ASSERT_TRUE(e.value) << e.error;
    std::string text(kBirthsFileHeader);
    text += "\n" + BirthsRowOf(*e.value, r.zoneName) + "\n";
    std::istringstream in(text);
    CsvReader reader(in);
    std::optional<CsvRecord> header = reader.Next();
    ASSERT_TRUE(header);
    const std::optional<BatchLayout> layout = LayoutOfHeader(*header);
    ASSERT_TRUE(layout);
    std::optional<CsvRecord> record = reader.Next();
    ASSERT_TRUE(record);
    Parsed<BirthFields> back = FieldsOfRecord(*record, *layout);
    ASSERT_TRUE(back.value) << back.error;
    const RowResolution again = ResolveRow(*back.value, findPlace, history);
    ASSERT_TRUE(again.birth) << again.error;
    ASSERT_FALSE(again.birth->refusal);
    const Birth& b2 = again.birth->birth;
    EXPECT_EQ(b2.clock.offsetSeconds, b.clock.offsetSeconds);
    EXPECT_EQ(b2.local.year, b.local.year);
    EXPECT_EQ(b2.local.hour, b.local.hour);
    EXPECT_EQ(b2.position.longitude.degrees, b.position.longitude.degrees);
    EXPECT_EQ(b2.position.longitude.minutes, b.position.longitude.minutes);
    const ChartOutput chartAgain = ComputeChart(b2, CalculationSettings{});
    EXPECT_EQ(LegacyCaptionsOf(chartAgain).positionText, LegacyCaptionsOf(chart).positionText);
    EXPECT_EQ(ChartClockOf(chartAgain.birth).offsetMinutes,
              ChartClockOf(chart.birth).offsetMinutes);
  }
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder that holds only `bytes` bytes: a small tmpfs mounted in a mount
// namespace of this process's own (root only); empty when that is refused.
std::optional<std::string> SmallDisk(const std::string& where, std::size_t bytes) {
  std::filesystem::create_directories(where);
  if (::unshare(CLONE_NEWNS) != 0) return std::nullopt;
  if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return std::nullopt;
  const std::string size = "size=" + std::to_string(bytes);
  if (::mount("tmpfs", where.c_str(), "tmpfs", 0, size.c_str()) != 0) return std::nullopt;
  return where;
}

TEST(WholeFile, AFailedWriteLeavesThePreviousFile) {
  const std::string folder =
      ::testing::TempDir() + "orvanta-whole-file-" + std::to_string(::getpid());
  const std::string previous = "name,date,time\nOLD,1980-01-01,10:00\n";
  const std::string large(256 * 1024, 'x');
  if (const std::optional<std::string> disk = SmallDisk(folder, 64 * 1024)) {
    // A full disk: the write stops with ENOSPC part way.
    const std::string path = *disk + "/births.csv";
    ASSERT_EQ(WriteWholeFile(path, previous), std::nullopt);
    EXPECT_EQ(WriteWholeFile(path, large), std::optional<std::string>("No space left on device"));
    EXPECT_EQ(FileText(path), previous);
    // Nothing is left behind, so the disk is as free as before.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(*disk),
                            std::filesystem::directory_iterator{}),
              1);
    ::umount(disk->c_str());
  } else {
    // Without the right to mount: a file-size limit makes the write fail
    // part way instead (EFBIG), through the same code.
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/births.csv";
    ASSERT_EQ(WriteWholeFile(path, previous), std::nullopt);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<std::string> error = WriteWholeFile(path, large);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(error, std::optional<std::string>("File too large"));
    EXPECT_EQ(FileText(path), previous);
  }
  // A link stays a link, and the file it names gets the new bytes.
  std::filesystem::create_directories(folder);
  const std::string target = folder + "/births.csv";
  const std::string link = folder + "/latest.csv";
  ASSERT_EQ(WriteWholeFile(target, previous), std::nullopt);
  std::filesystem::create_symlink("births.csv", link);
  ASSERT_EQ(WriteWholeFile(link, "name,date,time\n"), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(FileText(target), "name,date,time\n");
  std::filesystem::remove_all(folder);
  // A device that is always full is written in place and reported.
  if (::access("/dev/full", W_OK) == 0) {
    EXPECT_EQ(WriteWholeFile("/dev/full", large),
              std::optional<std::string>("No space left on device"));
  }
}

}  // namespace
// The name Export Chart proposes stays one name in the dialog's folder:
// nothing of it is a path, a hidden file or a name other systems refuse.
TEST(ProposedFileName, OneNameInTheFolderWhateverTheText) {
  struct Row {
    const char* label;
    std::string_view text, name;
  };
  const Row rows[] = {
      {"a plain name", "ARJUN MEHTA", "ARJUN MEHTA"},
      {"a path", "../../etc/passwd", "_.._etc_passwd"},
      {"a slash inside", "AC/DC", "AC_DC"},
      {"a backslash", "C:\\Users\\x", "C__Users_x"},
      {"characters other systems refuse", "a*b?c\"d<e>f|g", "a_b_c_d_e_f_g"},
      {"controls and ESC", "A\x01\n\x1B[31mB\x7F", "A___[31mB_"},
      {"bytes not UTF-8", "S\xE3o \xED\xA0\x80", "S_o ___"},
      {"UTF-8 kept", "Jos\u00E9 \u092E\u0941\u0902", "Jos\u00E9 \u092E\u0941\u0902"},
      {"dots and spaces at the ends", " .hidden. ", "hidden"},
      {"only dots", "..", "chart"},
      {"empty", "", "chart"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ProposedFileName(row.text, "chart"), row.name);
  }
  // A long name is cut at a character's end.
  std::string longName;
  for (int i = 0; i < 50000; ++i) longName += "\u00E9";  // two bytes each
  const std::string cut = ProposedFileName("a" + longName, "chart");
  EXPECT_EQ(cut.size(), kLongestProposedFileName - 1);
  EXPECT_EQ(cut, "a" + longName.substr(0, kLongestProposedFileName - 2));
}

}  // namespace orvanta
