// The wealth reading of a computed chart, and its texts: the Wealth
// section of the text report, of the printed and exported page and of the
// result window's Wealth page all come from here.
//
// The reading is counted from the chart's numbers only (wealth/wealth.h):
// the bodies' signs and sidereal longitudes, the Indu Lagna's sign under
// the chart's rule, and the Sun at the last sunrise before the birth by the
// program's own sunrise with the whole seconds since it. That sunrise is the
// reference sunrise of the chart's hidden moving points, except for a birth
// after sunset, where those count forward to the next sunrise and the
// wealth lagnas still count from the sunrise before the birth.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_layout.h"
#include "tables/names.h"
#include "wealth/wealth.h"

namespace orvanta {

// The last sunrise before the birth, as the time-based lagnas count from it;
// nothing on a day without a sunrise (or a chart computed without its
// sunrise references).
std::optional<wealth::SunriseBasis> LastSunriseBasis(const ChartOutput& chart);

// The reading's input from a chart's numbers.
wealth::WealthInput WealthInputOf(const ChartOutput& chart);

// A chart's whole wealth reading: the factors, the lords' marks and the
// marked periods (empty without a sidereal Moon).
struct ChartWealth {
  wealth::WealthReading reading;
  std::vector<wealth::LordMark> marks;
  std::vector<wealth::WealthPeriod> periods;
};
std::optional<ChartWealth> WealthOf(const ChartOutput& chart);

// The English names the reports use.
std::string_view BodyName(int body);  // "Sun" .. "Ketu", "Asc"
std::string_view SignName(int sign);  // "Aries" .. "Pisces"; "" outside 0..11

// The short marks of the special lagnas in the chart drawings, and their
// names.
struct SpecialLagnaMark {
  std::string_view mark;  // "HL"
  std::string_view name;  // "Hora Lagna"
  int sign = -1;
};
// HL, GL, BL, SL, AL, A2, A11, each where the chart has it.
std::vector<SpecialLagnaMark> SpecialLagnaMarks(const wealth::WealthReading& reading);

// Adds the special lagnas' marks to a drawn chart: in the birth chart each
// of HL, GL, BL, SL, AL, A2 and A11 in its sign; in the Navamsa the four
// that are longitudes (HL, GL, BL, SL) in their navamsa signs (the arudhas
// are signs of the birth chart only). The marks of one cell share one line
// after its bodies ("HL AL").
void AddSpecialLagnaMarks(ChartDrawing& drawing, const ChartOutput& chart);

// One line per factor, in the program's words, each naming the classical
// rule it reads: the Indu Lagna and its lord, the occupants or the aspects
// on an empty Indu Lagna, the houses from it, the other wealth lagnas, the
// arudhas.
// The signs and bodies are named in `script`.
std::vector<std::string> WealthReadingLines(const ChartWealth& w,
                                            NameScript script = NameScript::English);

// The legend: the conventions the reading follows, one line each.
std::vector<std::string> WealthLegendLines();

// "Jupiter mahadasha" / "Jupiter-Saturn antardasha".
std::string PeriodName(const dasha::Period& p, NameScript script = NameScript::English);

// The Wealth section of the text report.
void AppendWealthReport(std::string& out, const ChartOutput& chart,
                        NameScript script = NameScript::English);

inline constexpr std::string_view kWealthHeading = "Wealth";

}  // namespace orvanta
