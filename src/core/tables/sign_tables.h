// Classical attributes of the twelve signs and five interpretation texts
// per sign, shown for the Indu Lagna sign on the result window's second tab.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/records.h"

namespace orvanta {

// One sign's row across all tables (index 0 = Aries).
struct SignRow {
  std::string_view EnglishName;
  std::string_view VedicName;
  std::string_view DisplayAbbreviation;
  std::string_view RulingPlanet;
  std::string_view Symbol;
  std::string_view Element;
  std::string_view SignColor;
  std::string_view SignType;
  std::string_view Gender;
  std::string_view ActivityPeriod;
  std::string_view Fruitfulness;
  std::string_view Caste;
  std::string_view Position;
  std::string_view Constituent;
  std::string_view LuckyDays;
  std::string_view LuckyNumbers;
  std::string_view Direction;
  std::string_view LuckyColors;
  std::string_view Gemstone;
  std::string_view BodyPart;
  std::string_view Physique;
  std::string_view LooksText;
  std::string_view NatureText;
  std::string_view CareerText;
  std::string_view LoveText;
  std::string_view HealthText;
  std::string_view CompatibleSigns;
  std::string_view IncompatibleSigns;
};

// The twelve rows, Aries first.
const std::array<SignRow, kSignCount>& FillSignTables();

// One control of the result window and the value it receives.
struct AttributeValue {
  std::string_view control;  // "lblVedicName", "txtLooks", ...
  std::string_view value;
};

inline constexpr int kAttributeCount = 28;
using AttributeRow = std::array<AttributeValue, kAttributeCount>;

// The row copy for the Indu Lagna sign, in the order the controls are
// written (lblArudhaLagnaPresentInSign first, lblNotCompatibleWith last);
// nothing when the index lies outside the tables.
std::optional<AttributeRow> SignRowCopy(int induLagnaIndex);

}  // namespace orvanta
