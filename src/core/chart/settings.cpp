#include "chart/settings.h"

#include <array>
#include <cstdint>

namespace orvanta {

namespace {

// One choice: its stable name (the Indu Lagna rule's; the ayanamsa and the
// node have theirs in the engine), its caption in the settings dialog and
// its short form in the settings line.
template <typename Choice>
struct ChoiceRow {
  Choice choice;
  std::string_view name;
  std::string_view caption;
  std::string_view shortCaption;
};

inline constexpr std::array<ChoiceRow<InduLagnaRule>, 2> kRuleRows = {{
    {InduLagnaRule::FromAscendantVenus10, "program",
     "This program's count (from the ascendant, Venus 10)", "program's count"},
    {InduLagnaRule::FromMoonVenus12, "classical", "The classical count (from the Moon, Venus 12)",
     "classical count"},
}};

inline constexpr std::array<ChoiceRow<AyanamsaChoice>, 4> kAyanamsaRows = {{
    {AyanamsaChoice::Program, "", "This program's own (Lahiri type)", "program's own"},
    {AyanamsaChoice::Lahiri, "", "Lahiri (Chitrapaksha)", "Lahiri"},
    {AyanamsaChoice::Raman, "", "Raman", "Raman"},
    {AyanamsaChoice::Krishnamurti, "", "Krishnamurti (KP)", "KP"},
}};

inline constexpr std::array<ChoiceRow<NodeChoice>, 3> kNodeRows = {{
    {NodeChoice::Program, "", "This program's own (below the mean node)", "program's own"},
    {NodeChoice::Mean, "", "The mean node", "mean node"},
    {NodeChoice::True, "", "The true node", "true node"},
}};

// The row of `choice`; the first row for a value outside the enumeration.
template <typename Choice, std::size_t N>
const ChoiceRow<Choice>& RowOf(const std::array<ChoiceRow<Choice>, N>& rows, Choice choice) {
  for (const ChoiceRow<Choice>& row : rows) {
    if (row.choice == choice) return row;
  }
  return rows.front();
}

}  // namespace

std::string_view InduLagnaRuleName(InduLagnaRule rule) {
  return RowOf(kRuleRows, rule).name;
}

std::optional<InduLagnaRule> InduLagnaRuleFromName(std::string_view name) {
  for (const ChoiceRow<InduLagnaRule>& row : kRuleRows) {
    if (row.name == name) return row.choice;
  }
  return std::nullopt;
}

std::string_view InduLagnaRuleCaption(InduLagnaRule rule) {
  return RowOf(kRuleRows, rule).caption;
}

std::string_view AyanamsaCaption(AyanamsaChoice choice) {
  return RowOf(kAyanamsaRows, choice).caption;
}

std::string_view NodeCaption(NodeChoice choice) {
  return RowOf(kNodeRows, choice).caption;
}

std::string_view DashaYearCaption(dasha::YearLength length) {
  return dasha::YearLengthRowOf(length).caption;
}

std::string SettingsLine(const CalculationSettings& s) {
  std::string line = "Settings: ayanamsa ";
  line += RowOf(kAyanamsaRows, s.ayanamsa).shortCaption;
  line += "; Rahu/Ketu ";
  line += RowOf(kNodeRows, s.node).shortCaption;
  line += "; Indu Lagna ";
  line += RowOf(kRuleRows, s.induLagnaRule).shortCaption;
  line += "; dasha year ";
  const double days = dasha::YearDays(s.dashaYear);
  line += std::to_string(static_cast<long long>(days));
  // The fraction as its table gives it (.25, .2425, .256363), without
  // trailing zeros.
  const std::int64_t fraction = dasha::YearLengthRowOf(s.dashaYear).microdays % 1'000'000;
  if (fraction != 0) {
    std::string digits = std::to_string(1'000'000 + fraction).substr(1);
    while (digits.back() == '0') digits.pop_back();
    line += "." + digits;
  }
  line += " days";
  return line;
}

}  // namespace orvanta
