#include "chart/settings.h"

#include <array>

namespace orvanta {

namespace {

// Each choice's caption in the settings dialog, and its short form in the
// settings line.
struct RuleRow {
  InduLagnaRule rule;
  std::string_view name;
  std::string_view caption;
  std::string_view shortCaption;
};
inline constexpr std::array<RuleRow, 2> kRuleRows = {{
    {InduLagnaRule::FromAscendantVenus10, "program",
     "This program's count (from the ascendant, Venus 10)", "program's count"},
    {InduLagnaRule::FromMoonVenus12, "classical", "The classical count (from the Moon, Venus 12)",
     "classical count"},
}};

struct AyanamsaRow {
  AyanamsaChoice choice;
  std::string_view caption;
  std::string_view shortCaption;
};
inline constexpr std::array<AyanamsaRow, 4> kAyanamsaRows = {{
    {AyanamsaChoice::Program, "This program's own (Lahiri type)", "program's own"},
    {AyanamsaChoice::Lahiri, "Lahiri (Chitrapaksha)", "Lahiri"},
    {AyanamsaChoice::Raman, "Raman", "Raman"},
    {AyanamsaChoice::Krishnamurti, "Krishnamurti (KP)", "KP"},
}};

struct NodeRow {
  NodeChoice choice;
  std::string_view caption;
  std::string_view shortCaption;
};
inline constexpr std::array<NodeRow, 3> kNodeRows = {{
    {NodeChoice::Program, "This program's own (below the mean node)", "program's own"},
    {NodeChoice::Mean, "The mean node", "mean node"},
    {NodeChoice::True, "The true node", "true node"},
}};

}  // namespace

std::string_view InduLagnaRuleName(InduLagnaRule rule) {
  for (const RuleRow& row : kRuleRows) {
    if (row.rule == rule) return row.name;
  }
  return {};
}

std::optional<InduLagnaRule> InduLagnaRuleFromName(std::string_view name) {
  for (const RuleRow& row : kRuleRows) {
    if (row.name == name) return row.rule;
  }
  return std::nullopt;
}

std::string_view InduLagnaRuleCaption(InduLagnaRule rule) {
  for (const RuleRow& row : kRuleRows) {
    if (row.rule == rule) return row.caption;
  }
  return {};
}

std::string_view AyanamsaCaption(AyanamsaChoice choice) {
  for (const AyanamsaRow& row : kAyanamsaRows) {
    if (row.choice == choice) return row.caption;
  }
  return {};
}

std::string_view NodeCaption(NodeChoice choice) {
  for (const NodeRow& row : kNodeRows) {
    if (row.choice == choice) return row.caption;
  }
  return {};
}

namespace {

std::string_view ShortCaption(InduLagnaRule rule) {
  for (const RuleRow& row : kRuleRows) {
    if (row.rule == rule) return row.shortCaption;
  }
  return {};
}

std::string_view ShortCaption(AyanamsaChoice choice) {
  for (const AyanamsaRow& row : kAyanamsaRows) {
    if (row.choice == choice) return row.shortCaption;
  }
  return {};
}

std::string_view ShortCaption(NodeChoice choice) {
  for (const NodeRow& row : kNodeRows) {
    if (row.choice == choice) return row.shortCaption;
  }
  return {};
}

}  // namespace

std::string SettingsLine(const CalculationSettings& s) {
  std::string line = "Settings: ayanamsa ";
  line += ShortCaption(s.ayanamsa);
  line += "; Rahu/Ketu ";
  line += ShortCaption(s.node);
  line += "; Indu Lagna ";
  line += ShortCaption(s.induLagnaRule);
  return line;
}

}  // namespace orvanta
