// The words both front ends show with a chart: the bodies' names, the
// captions of the birth details and of the sign's attributes, the marks, and
// the fixed South-Indian arrangement of the twelve signs. The desktop window
// and the command line's text report read them from here, so the two never
// drift apart.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/positions.h"
#include "model/birth.h"
#include "model/records.h"
#include "tables/names.h"
#include "tables/sign_tables.h"

namespace orvanta {

// The chart text of a position: "05 Leo 07" for 5 deg 7 min in Leo. A
// position without a sign keeps the text the chart has always written for
// it (the digits of its angle, no sign letters).
std::string PositionText(const BodyPosition& position);
PositionTexts PositionTextsOf(const BodyPositions& bodies);
// The same in a script's names: the English text above, else the sign's
// whole name between the digits ("05 Simha 07", "05 சிம்மம் 07").
std::string PositionText(const BodyPosition& position, NameScript script);

// Names of the ten bodies as the result window lists them, in body order.
inline constexpr std::array<std::string_view, kBodyCount> kBodyWindowNames = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};
// A body's name in the positions table: kBodyWindowNames in English, else
// the body's name in the script's table.
std::string_view BodyWindowName(NameScript script, int body);

// Column captions of the positions table beside the bodies' names: the
// position with its retrograde mark, the nakshatra, its pada and the
// nakshatra's lord.
inline constexpr std::array<std::string_view, 4> kPositionColumns = {"Position", "Nakshatra",
                                                                     "Pada", "Lord"};

// Mark of the Indu Lagna's sign, and of a retrograde planet's position.
inline constexpr std::string_view kInduLagnaMark = "IL";
inline constexpr std::string_view kRetroMark = " (R)";

// The Indu Lagna's headline, legend and explanation. The headline reads
// "Indu Lagna: Scorpio (Vrischika)": the sign's English, then Vedic name.
inline constexpr std::string_view kHeadlinePrefix = "Indu Lagna: ";
inline constexpr std::string_view kLegendHeading = "Legend";
// What the marks and numbers of the chart mean, one entry per line.
inline constexpr std::array<std::string_view, 3> kLegendTexts = {
    "IL = Indu Lagna",
    "(R) = retrograde",
    "The corner numbers are sign numbers (Aries 1 … Pisces 12)",
};
inline constexpr std::string_view kHowFoundHeading = "How it was found";
// Heading of the other rule's reading, beside the one the chart follows.
inline constexpr std::string_view kOtherReadingHeading = "The other reading";

// Headings of the result window's parts.
inline constexpr std::string_view kDetailsHeading = "Your Details";
inline constexpr std::string_view kPositionsHeading = "Vedic Planetary Position";
inline constexpr std::string_view kChartHeading = "Indu Lagna - Chart";
inline constexpr std::string_view kAttributesHeading = "Indu Lagna Details";

// Sign index shown in each cell of the South-Indian chart, row by row from
// the top; -1 is the empty centre. Pisces stands top left and the signs run
// clockwise.
inline constexpr std::array<std::array<int, 4>, 4> kSouthIndianCells = {{
    {11, 0, 1, 2},
    {10, -1, -1, 3},
    {9, -1, -1, 4},
    {8, 7, 6, 5},
}};

// Row and column of a sign's cell in kSouthIndianCells.
struct ChartCell {
  int row = 0, column = 0;
};
constexpr ChartCell CellOfSign(int sign) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      if (kSouthIndianCells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] ==
          sign) {
        return {row, column};
      }
    }
  }
  return {-1, -1};
}
static_assert(CellOfSign(0).row == 0 && CellOfSign(0).column == 1 && CellOfSign(8).column == 0);

// Caption of each attribute of the Indu Lagna sign, in SignAttribute order.
inline constexpr std::array<std::string_view, kAttributeCount> kAttributeCaptions = {
    "Indu Lagna Present In Sign",
    "Vedic Name",
    "English Name",
    "Ruling Planet",
    "Symbol",
    "Nature",
    "Color",
    "Type Of Sign",
    "Gender",
    "Best Period Of Activity",
    "Barren",
    "Caste",
    "Position",
    "Constituent Character",
    "Lucky Days",
    "Lucky Numbers",
    "Best Direction",
    "Lucky Colors",
    "Lucky Gemstone",
    "Part Of The Body",
    "Physique",
    "Looks",
    "Nature",
    "Career And Finance",
    "Love And Domestic Life",
    "Health",
    "Compatible With",
    "Not Compatible With",
};
constexpr std::string_view CaptionOf(SignAttribute a) {
  return kAttributeCaptions[static_cast<std::size_t>(a)];
}

// The clock a chart was computed with, as every output names it.
struct ChartClock {
  std::string text;       // "Asia/Kathmandu, UTC+5:45, standard time"
  std::string zoneName;   // the tz zone; empty for a zone-list row or an offset typed by hand
  int offsetMinutes = 0;  // east of Greenwich, the daylight-saving tick counted
  bool summerTime = false;
};

// The birth details under the name, as the window writes them (the texts
// kDetailCaptions name).
struct BirthDetailTexts {
  std::string name, dateOfBirth, timeOfBirth, latitude, longitude;
  std::string city, state, country;
  // The clock the chart was computed with: "Asia/Kathmandu, UTC+5:45,
  // standard time" (ChartClock::text).
  std::string timeZone;
};
// The caption of BirthDetailTexts::timeZone, shown after kDetailCaptions.
inline constexpr std::string_view kTimeZoneCaption = "Time Zone";
struct DetailCaption {
  std::string_view caption;  // without the window's trailing colon
  std::string BirthDetailTexts::*text;
};
inline constexpr std::array<DetailCaption, 7> kDetailCaptions = {{
    {"Date of Birth", &BirthDetailTexts::dateOfBirth},
    {"Time of Birth", &BirthDetailTexts::timeOfBirth},
    {"Longitude", &BirthDetailTexts::longitude},
    {"Latitude", &BirthDetailTexts::latitude},
    {"City", &BirthDetailTexts::city},
    {"State", &BirthDetailTexts::state},
    {"Country", &BirthDetailTexts::country},
}};

// The clock of a birth: the zone it was resolved from (or the zone list's
// row), the offset from Universal Time with the daylight-saving tick
// counted, and whether it is summer time: "Asia/Kathmandu, UTC+5:45,
// standard time", "UTC+5:30, standard time (Indian Time, IST, +5.3)" as
// its text, and in parts. A city's own time or local mean time is named by
// its caption, to the second.
ChartClock ChartClockOf(const Birth& birth);

// The birth details as the window, the page and the report show them:
// "June/15/1980", "10:30", "28° 36' N", the place as typed, the clock's text.
BirthDetailTexts BirthDetailTextsOf(const Birth& birth);

}  // namespace orvanta
