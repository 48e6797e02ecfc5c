// The calculation settings a chart is computed with: the Indu Lagna rule,
// the ayanamsa, the lunar node Rahu and Ketu stand at, and the year the
// dasha periods are counted in.
//
// A chart is a function of its birth and these settings alone. The defaults
// are the program's own choices, so that a chart computed without choosing
// anything is the chart the program has always shown. Each choice has a
// stable name (the command line's values and the JSON's `settings` members)
// and a caption for the user (the settings dialog, the caption line of the
// result window, the printed page and the text report's heading).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "dasha/vimshottari.h"
#include "engine/ayanamsa.h"
#include "engine/lunar_node.h"
#include "lagna/indu_lagna.h"

namespace orvanta {

inline constexpr InduLagnaRule kDefaultInduLagnaRule = InduLagnaRule::FromAscendantVenus10;

struct CalculationSettings {
  InduLagnaRule induLagnaRule = kDefaultInduLagnaRule;
  AyanamsaChoice ayanamsa = kDefaultAyanamsa;
  NodeChoice node = kDefaultNode;
  dasha::YearLength dashaYear = dasha::kDefaultYearLength;

  bool operator==(const CalculationSettings&) const = default;
  // True when every choice is the program's own.
  bool IsDefault() const { return *this == CalculationSettings{}; }
};

// Stable name of an Indu Lagna rule ("program", "classical") and back.
std::string_view InduLagnaRuleName(InduLagnaRule rule);
std::optional<InduLagnaRule> InduLagnaRuleFromName(std::string_view name);

// The user's caption of each choice, as the settings dialog offers it.
std::string_view InduLagnaRuleCaption(InduLagnaRule rule);
std::string_view AyanamsaCaption(AyanamsaChoice choice);
std::string_view NodeCaption(NodeChoice choice);
std::string_view DashaYearCaption(dasha::YearLength length);

// Every choice, in the order the settings dialog lists them (the default
// first).
inline constexpr std::array<InduLagnaRule, 2> kInduLagnaRules = {
    InduLagnaRule::FromAscendantVenus10, InduLagnaRule::FromMoonVenus12};
inline constexpr std::array<AyanamsaChoice, 4> kAyanamsaChoices = {
    AyanamsaChoice::Program, AyanamsaChoice::Lahiri, AyanamsaChoice::Raman,
    AyanamsaChoice::Krishnamurti};
inline constexpr std::array<NodeChoice, 3> kNodeChoices = {NodeChoice::Program, NodeChoice::Mean,
                                                           NodeChoice::True};
inline constexpr std::array<dasha::YearLength, 4> kDashaYearChoices = {
    dasha::YearLength::Julian, dasha::YearLength::Gregorian, dasha::YearLength::Sidereal,
    dasha::YearLength::Savana};

// The settings in one line, in short: "Settings: ayanamsa Lahiri; Rahu/Ketu
// true node; Indu Lagna classical count; dasha year 365.25 days".
std::string SettingsLine(const CalculationSettings& settings);

}  // namespace orvanta
