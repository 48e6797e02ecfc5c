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
const std::array<SignRow, kSignCount>& SignRows();

// What the result window shows of the Indu Lagna sign, in the order the row
// copy writes it. The sign's English name is shown twice (as the sign the
// Indu Lagna stands in, and as the English name); the last five before the
// compatibility lists are the interpretation texts.
enum class SignAttribute {
  InduLagnaSign,
  VedicName,
  EnglishName,
  RulingPlanet,
  Symbol,
  Nature,
  Color,
  SignType,
  Gender,
  ActivityPeriod,
  Barren,
  Caste,
  Position,
  Constituent,
  LuckyDays,
  LuckyNumbers,
  Direction,
  LuckyColors,
  Gemstone,
  BodyPart,
  Physique,
  LooksText,
  NatureText,
  CareerText,
  LoveText,
  HealthText,
  CompatibleWith,
  NotCompatibleWith,
};
inline constexpr int kAttributeCount = 28;

// True for the five interpretation texts (shown in text boxes, not labels).
constexpr bool IsInterpretationText(SignAttribute a) {
  return a >= SignAttribute::LooksText && a <= SignAttribute::HealthText;
}

// One attribute and its value for the Indu Lagna sign.
struct AttributeValue {
  SignAttribute attribute = SignAttribute::InduLagnaSign;
  std::string_view value;
};
using AttributeRow = std::array<AttributeValue, kAttributeCount>;

// The value of one attribute in a copied row.
constexpr std::string_view ValueOf(const AttributeRow& row, SignAttribute a) {
  return row[static_cast<std::size_t>(a)].value;
}

// The row copy for the Indu Lagna sign, in SignAttribute order; nothing when
// the index lies outside the tables.
std::optional<AttributeRow> SignRowCopy(int induLagnaIndex);

}  // namespace orvanta
