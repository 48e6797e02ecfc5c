// Tests of the sign tables: every short value of the twelve rows, the row copy
// into the result window's controls, and the form of the 60 interpretation
// paragraphs (opening words, length, one second-person paragraph each).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "tables/sign_tables.h"

namespace orvanta {
namespace {

// Reference values of the short tables, transcribed column by column from the
// published attribute tables of the result window (one row per sign, Aries
// first), written here independently of the program's own table.
struct ExpectedRow {
  std::string_view englishName, vedicName, abbreviation, rulingPlanet, symbol, element, signColor,
      signType, gender, activityPeriod, fruitfulness, caste, position, constituent, luckyDays,
      luckyNumbers, direction, luckyColors, gemstone, bodyPart, physique, compatibleSigns,
      incompatibleSigns;
};

// clang-format off
constexpr std::array<ExpectedRow, kSignCount> kExpectedRows = {{
    {"Aries", "Mesha", "Ari", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable", "Male",
     "Night", "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)", "Monday, Tuesday", "9, 1", "East",
     "Red, Brown, Copper", "Coral", "Head", "Short", "Leo, Sagittarius, Gemini, Aquarius, Libra",
     "Scorpio, Pisces, Cancer"},
    {"Taurus", "Vrishabha", "Tau", "Venus", "The Bull", "Earth", "White", "Fixed", "Female",
     "Night", "Semi-Fruitful", "Vaisya", "Bahya", "Vegetable (Moola)", "Thursday, Friday", "2, 8",
     "South", "Pink, Green", "Diamond", "Face", "Short",
     "Cancer, Virgo, Scorpio, Capricorn, Pisces", "Gemini, Aquarius, Libra"},
    {"Gemini", "Mithuna", "Gem", "Mercury", "The Twins", "Air", "Green", "Mixed", "Female", "Night",
     "Barren", "Sudra", "Garbha", "Animal (Jeeva)", "Monday, Wednesday", "3, 7", "West",
     "Yellow, Purple, Blue", "Emerald", "Shoulders", "Even",
     "Aries, Leo, Libra, Sagittarius, Aquarius", "Taurus, Virgo, Capricorn"},
    {"Cancer", "Kataka", "Can", "Moon", "The Crab", "Water", "Pink", "Movable", "Female", "Night",
     "Fruitful", "Brahmana", "Dwara", "Mineral (Dhatu)", "Monday, Thursday", "2, 7, 9", "North",
     "White, Red, Yellow", "Pearl", "Chest", "Even", "Virgo, Scorpio, Capricorn, Pisces, Taurus",
     "Aries, Leo, Sagittarius"},
    {"Leo", "Simha", "Leo", "Sun", "The Lion", "Fire", "White", "Fixed", "Male", "Day", "Barren",
     "Kshatriya", "Bahya", "Vegetable (Moola)", "Sunday, Monday", "1, 4, 5, 9", "East",
     "Orange, Red, Green", "Ruby", "Heart & Stomach", "Tall",
     "Libra, Sagittarius, Aquarius, Aries, Gemini", "Scorpio, Pisces, Cancer"},
    {"Virgo", "Kanya", "Vir", "Mercury", "The Virgin", "Earth", "Multicolored", "Mixed", "Female",
     "Day", "Barren", "Vaisya", "Garbha", "Animal (Jeeva)", "Wednesday, Friday", "2, 3, 5, 6",
     "South", "Green", "Emerald", "Abdomen", "Tall", "Scorpio, Capricorn, Pisces, Cancer",
     "Gemini, Aquarius, Libra"},
    {"Libra", "Thula", "Lib", "Venus", "The Balance", "Air", "Black", "Movable", "Male", "Day",
     "Semi-Fruitful", "Sudra", "Dwara", "Mineral (Dhatu)", "Friday, Wednesday, Thursday", "1, 2, 4",
     "West", "White, Green, Yellow", "Diamond", "Lower Abdomen & Groin", "Tall",
     "Sagittarius, Aquarius, Aries, Gemini, Leo", "Taurus, Virgo, Capricorn"},
    {"Scorpio", "Vrischika", "Sco", "Mars", "The Scorpion", "Water", "Reddish Brown", "Fixed",
     "Female", "Day", "Fruitful", "Brahmana", "Bahya", "Vegetable (Moola)",
     "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral",
     "External Genitalia", "Tall", "Capricorn, Pisces, Taurus, Cancer, Virgo",
     "Aries, Leo, Sagittarius"},
    {"Sagittarius", "Dhanus", "Sag", "Jupiter", "The Archer", "Fire", "Yellowish brown", "Mixed",
     "Male", "Night", "Semi-Fruitful", "Kshatriya", "Garbha", "Animal (Jeeva)", "Sunday, Thursday",
     "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire", "Thighs", "Even",
     "Aquarius, Aries, Gemini, Leo, Libra", "Scorpio, Pisces, Cancer"},
    {"Capricorn", "Makara", "Cap", "Saturn", "The Crocodile", "Earth", "Multicolored", "Movable",
     "Female", "Night", "Barren", "Vaisya", "Dwara", "Mineral (Dhatu)", "Saturday, Wednesday",
     "6, 8, 9", "South", "Black, Blue", "Blue Sapphire", "Knees", "Even",
     "Pisces, Taurus, Cancer, Virgo, Scorpio", "Gemini, Aquarius, Libra"},
    {"Aquarius", "Kumbha", "Aqu", "Saturn", "The Water Carrier", "Air", "Deep Brown", "Fixed",
     "Male", "Day", "Semi-Fruitful", "Sudra", "Bahya", "Vegetable (Moola)",
     "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire", "Calves",
     "Short", "Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"},
    {"Pisces", "Meena", "Pis", "Jupiter", "The Double Fish", "Water", "Blue", "Mixed", "Female",
     "Day", "Fruitful", "Brahmana", "Garbha", "Animal (Jeeva)", "Thursday, Monday, Tuesday",
     "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire", "Feet", "Short",
     "Taurus, Cancer, Virgo, Scorpio, Capricorn", "Aries, Leo, Sagittarius"},
}};
// clang-format on

// One short field: its name in failure messages, where the program keeps it and
// where the reference keeps it.
struct ShortField {
  std::string_view name;
  std::string_view SignRow::*actual;
  std::string_view ExpectedRow::*expected;
};

constexpr std::array<ShortField, 23> kShortFields = {{
    {"EnglishName", &SignRow::EnglishName, &ExpectedRow::englishName},
    {"VedicName", &SignRow::VedicName, &ExpectedRow::vedicName},
    {"DisplayAbbreviation", &SignRow::DisplayAbbreviation, &ExpectedRow::abbreviation},
    {"RulingPlanet", &SignRow::RulingPlanet, &ExpectedRow::rulingPlanet},
    {"Symbol", &SignRow::Symbol, &ExpectedRow::symbol},
    {"Element", &SignRow::Element, &ExpectedRow::element},
    {"SignColor", &SignRow::SignColor, &ExpectedRow::signColor},
    {"SignType", &SignRow::SignType, &ExpectedRow::signType},
    {"Gender", &SignRow::Gender, &ExpectedRow::gender},
    {"ActivityPeriod", &SignRow::ActivityPeriod, &ExpectedRow::activityPeriod},
    {"Fruitfulness", &SignRow::Fruitfulness, &ExpectedRow::fruitfulness},
    {"Caste", &SignRow::Caste, &ExpectedRow::caste},
    {"Position", &SignRow::Position, &ExpectedRow::position},
    {"Constituent", &SignRow::Constituent, &ExpectedRow::constituent},
    {"LuckyDays", &SignRow::LuckyDays, &ExpectedRow::luckyDays},
    {"LuckyNumbers", &SignRow::LuckyNumbers, &ExpectedRow::luckyNumbers},
    {"Direction", &SignRow::Direction, &ExpectedRow::direction},
    {"LuckyColors", &SignRow::LuckyColors, &ExpectedRow::luckyColors},
    {"Gemstone", &SignRow::Gemstone, &ExpectedRow::gemstone},
    {"BodyPart", &SignRow::BodyPart, &ExpectedRow::bodyPart},
    {"Physique", &SignRow::Physique, &ExpectedRow::physique},
    {"CompatibleSigns", &SignRow::CompatibleSigns, &ExpectedRow::compatibleSigns},
    {"IncompatibleSigns", &SignRow::IncompatibleSigns, &ExpectedRow::incompatibleSigns},
}};

TEST(SignTables, EveryShortValueMatchesTheReferenceRow) {
  const auto& rows = SignRows();
  for (std::size_t k = 0; k < rows.size(); ++k) {
    for (const ShortField& field : kShortFields) {
      SCOPED_TRACE(std::string(kExpectedRows[k].englishName) + "." + std::string(field.name));
      EXPECT_EQ(rows[k].*field.actual, kExpectedRows[k].*field.expected);
    }
  }
}

// The irregular entries, spelled out once more so that a "tidied" table fails
// with a message that names them.
TEST(SignTables, IrregularEntriesStayAsPublished) {
  const auto& rows = SignRows();
  EXPECT_EQ(rows[8].SignColor, "Yellowish brown");                           // lower-case b
  EXPECT_EQ(rows[5].CompatibleSigns, "Scorpio, Capricorn, Pisces, Cancer");  // four signs
  EXPECT_EQ(rows[10].CompatibleSigns, "Aquarius, Libra, Gemini");            // three, itself first
  EXPECT_EQ(rows[4].BodyPart, "Heart & Stomach");
  EXPECT_EQ(rows[6].BodyPart, "Lower Abdomen & Groin");
}

// The value each attribute of the copy must receive for sign k: labels from the
// reference rows, texts from the sign's own paragraphs.
std::array<std::string_view, kAttributeCount> ExpectedCopy(std::size_t k) {
  const ExpectedRow& e = kExpectedRows[k];
  const SignRow& r = SignRows()[k];
  return {e.englishName,  e.vedicName,       e.englishName,      e.rulingPlanet, e.symbol,
          e.element,      e.signColor,       e.signType,         e.gender,       e.activityPeriod,
          e.fruitfulness, e.caste,           e.position,         e.constituent,  e.luckyDays,
          e.luckyNumbers, e.direction,       e.luckyColors,      e.gemstone,     e.bodyPart,
          e.physique,     r.LooksText,       r.NatureText,       r.CareerText,   r.LoveText,
          r.HealthText,   e.compatibleSigns, e.incompatibleSigns};
}

TEST(SignRowCopy, WritesTheTwentyEightAttributesInOrder) {
  for (int k = 0; k < kSignCount; ++k) {
    const auto copy = SignRowCopy(k);
    ASSERT_TRUE(copy.has_value()) << "index " << k;
    const auto expected = ExpectedCopy(static_cast<std::size_t>(k));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(testing::Message()
                   << kExpectedRows[static_cast<std::size_t>(k)].englishName << ", position " << i);
      EXPECT_EQ((*copy)[i].attribute, static_cast<SignAttribute>(i));
      EXPECT_EQ((*copy)[i].value, expected[i]);
    }
  }
}

// Edge case: Indu Lagna in Aries.
TEST(SignRowCopy, InduLagnaInAries) {
  const auto copy = SignRowCopy(0);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(ValueOf(*copy, SignAttribute::InduLagnaSign), "Aries");
  EXPECT_EQ(ValueOf(*copy, SignAttribute::EnglishName), "Aries");
  EXPECT_EQ(ValueOf(*copy, SignAttribute::VedicName), "Mesha");
  EXPECT_EQ(ValueOf(*copy, SignAttribute::LuckyNumbers), "9, 1");
  EXPECT_EQ(ValueOf(*copy, SignAttribute::CompatibleWith),
            "Leo, Sagittarius, Gemini, Aquarius, Libra");
}

// Edge case: Indu Lagna in Aquarius lists only three compatible signs.
TEST(SignRowCopy, InduLagnaInAquariusListsThreeCompatibleSigns) {
  const auto copy = SignRowCopy(10);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(ValueOf(*copy, SignAttribute::CompatibleWith), "Aquarius, Libra, Gemini");
}

// Edge case: the sign's colour and its lucky colours come from two tables and
// agree only for Aries.
TEST(SignRowCopy, SignColourAgreesWithLuckyColoursOnlyForAries) {
  for (int k = 0; k < kSignCount; ++k) {
    const auto copy = SignRowCopy(k);
    ASSERT_TRUE(copy.has_value()) << "index " << k;
    const std::string_view color = ValueOf(*copy, SignAttribute::Color);
    const std::string_view lucky = ValueOf(*copy, SignAttribute::LuckyColors);
    EXPECT_EQ(color == lucky, k == 0)
        << "index " << k << ": lblColor \"" << color << "\", lblLuckyColors \"" << lucky << "\"";
  }
}

// An index outside the tables copies nothing, so the window keeps what it showed.
TEST(SignRowCopy, IndexOutsideTheTablesGivesNothing) {
  struct Case {
    const char* name;
    int index;
  };
  constexpr std::array<Case, 7> kCases = {{{"one below Aries", -1},
                                           {"minus twelve", -12},
                                           {"one past Pisces", 12},
                                           {"thirteen", 13},
                                           {"large", 1000},
                                           {"int max", INT_MAX},
                                           {"int min", INT_MIN}}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(SignRowCopy(c.index).has_value()) << "index " << c.index;
  }
}

// Stated length and opening words of each interpretation paragraph.
struct ExpectedText {
  std::string_view topic;
  int sign;
  std::string_view SignRow::*field;
  int statedLengthChars;
  std::string_view begins;
};

// clang-format off
constexpr std::array<ExpectedText, 60> kExpectedTexts = {{
    {"Nature", 0, &SignRow::NatureText, 883, "You are very independent and dynamic."},
    {"Nature", 1, &SignRow::NatureText, 685, "You have a powerful and commanding"},
    {"Nature", 2, &SignRow::NatureText, 652, "You have an analytical mind. You"},
    {"Nature", 3, &SignRow::NatureText, 619, "You are a patient person and"},
    {"Nature", 4, &SignRow::NatureText, 716, "You are a leader and can"},
    {"Nature", 5, &SignRow::NatureText, 855, "You are practical and polished. You"},
    {"Nature", 6, &SignRow::NatureText, 769, "Justice means everything to you. You"},
    {"Nature", 7, &SignRow::NatureText, 811, "Mysterious is the first word that"},
    {"Nature", 8, &SignRow::NatureText, 515, "You are very optimistic and spontaneous"},
    {"Nature", 9, &SignRow::NatureText, 726, "You want to achieve a lot"},
    {"Nature", 10, &SignRow::NatureText, 626, "You are a thinker, philosopher and"},
    {"Nature", 11, &SignRow::NatureText, 699, "You are very creative and soft"},
    {"Looks", 0, &SignRow::LooksText, 185, "You may be slim and of"},
    {"Looks", 1, &SignRow::LooksText, 191, "You are attractive and beautiful. You"},
    {"Looks", 2, &SignRow::LooksText, 127, "You are tall slim and good"},
    {"Looks", 3, &SignRow::LooksText, 136, "You have a medium stature and"},
    {"Looks", 4, &SignRow::LooksText, 137, "You are tall  and have"},
    {"Looks", 5, &SignRow::LooksText, 131, "You are tall and slim with"},
    {"Looks", 6, &SignRow::LooksText, 150, "You are tall and thin. You"},
    {"Looks", 7, &SignRow::LooksText, 103, "You have broad body shape. You"},
    {"Looks", 8, &SignRow::LooksText, 167, "You may be medium to tall"},
    {"Looks", 9, &SignRow::LooksText, 107, "You have beautiful eyes. Your slender"},
    {"Looks", 10, &SignRow::LooksText, 221, "You have a fair complexion. Your"},
    {"Looks", 11, &SignRow::LooksText, 154, "You have the perfect body with"},
    {"Health", 0, &SignRow::HealthText, 121, "You may be prone to blood"},
    {"Health", 1, &SignRow::HealthText, 84, "You may not enjoy good health"},
    {"Health", 2, &SignRow::HealthText, 108, "You may have some problems of"},
    {"Health", 3, &SignRow::HealthText, 166, "You may have stress and mental"},
    {"Health", 4, &SignRow::HealthText, 124, "Heart problems may occur. Stomach and"},
    {"Health", 5, &SignRow::HealthText, 81, "Your intestine and liver may give"},
    {"Health", 6, &SignRow::HealthText, 93, "Kidney and liver are your weak"},
    {"Health", 7, &SignRow::HealthText, 110, "You may have problems from piles"},
    {"Health", 8, &SignRow::HealthText, 155, "Your body gives out too much"},
    {"Health", 9, &SignRow::HealthText, 93, "You may be prone to gout"},
    {"Health", 10, &SignRow::HealthText, 155, "Your legs and eyes may be"},
    {"Health", 11, &SignRow::HealthText, 131, "Common cold will be your constant"},
    {"Career", 0, &SignRow::CareerText, 175, "You are ambitious by nature. You"},
    {"Career", 1, &SignRow::CareerText, 282, "You love spending on luxurious things."},
    {"Career", 2, &SignRow::CareerText, 227, "You will do very well in"},
    {"Career", 3, &SignRow::CareerText, 186, "You have an artistic bent of"},
    {"Career", 4, &SignRow::CareerText, 215, "You can do well in professions"},
    {"Career", 5, &SignRow::CareerText, 126, "You are skilled in music and"},
    {"Career", 6, &SignRow::CareerText, 157, "You could make a career of"},
    {"Career", 7, &SignRow::CareerText, 257, "You may come in possession of"},
    {"Career", 8, &SignRow::CareerText, 240, "You always yearn to learn more"},
    {"Career", 9, &SignRow::CareerText, 166, "Material wealth means a lot to"},
    {"Career", 10, &SignRow::CareerText, 195, "You will do very well in"},
    {"Career", 11, &SignRow::CareerText, 231, "You are artistically inclined. You are"},
    {"Love", 0, &SignRow::LoveText, 210, "You are a romantic to the"},
    {"Love", 1, &SignRow::LoveText, 140, "You may not express your emotions"},
    {"Love", 2, &SignRow::LoveText, 216, "You are blessed with a long"},
    {"Love", 3, &SignRow::LoveText, 220, "Parents will mean a lot to"},
    {"Love", 4, &SignRow::LoveText, 321, "You love living life king size."},
    {"Love", 5, &SignRow::LoveText, 150, "You are not romantic at all."},
    {"Love", 6, &SignRow::LoveText, 184, "Being peaceful and loving by nature,"},
    {"Love", 7, &SignRow::LoveText, 276, "Your possessive nature may create problems"},
    {"Love", 8, &SignRow::LoveText, 297, "You may have some problem dealing"},
    {"Love", 9, &SignRow::LoveText, 324, "Domestic life will have its share"},
    {"Love", 10, &SignRow::LoveText, 177, "You are influenced more by your"},
    {"Love", 11, &SignRow::LoveText, 293, "Your children will be very fortunate"},
}};
// clang-format on

// A paragraph may differ from its stated length by at most this fraction.
inline constexpr double kLengthTolerance = 0.10;

std::string Describe(const ExpectedText& e) {
  return std::string(e.topic) + " text of " +
         std::string(kExpectedRows[static_cast<std::size_t>(e.sign)].englishName);
}

TEST(SignTexts, EachParagraphKeepsItsOpeningLengthAndForm) {
  for (const ExpectedText& e : kExpectedTexts) {
    SCOPED_TRACE(Describe(e));
    const std::string_view text = SignRows()[static_cast<std::size_t>(e.sign)].*e.field;
    EXPECT_TRUE(text.starts_with(e.begins))
        << "expected to begin with \"" << e.begins << "\"\nactual: \"" << text << "\"";
    const double ratio = static_cast<double>(text.size()) / e.statedLengthChars;
    EXPECT_LE(std::abs(ratio - 1.0), kLengthTolerance)
        << "stated length " << e.statedLengthChars << ", actual " << text.size();
    // One paragraph: no line break, no tab, no leading or trailing blank, and it
    // ends a sentence.
    EXPECT_EQ(text.find_first_of("\r\n\t"), std::string_view::npos);
    EXPECT_FALSE(text.empty() || text.front() == ' ' || text.back() == ' ');
    EXPECT_TRUE(text.ends_with(".")) << "last character '" << text.back() << "'";
    // Plain printable text, so every text box shows it the same way.
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) {
      return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f;
    }));
    // Written to the reader.
    const bool secondPerson = text.find("You") != std::string_view::npos ||
                              text.find("you") != std::string_view::npos ||
                              text.find("Your") != std::string_view::npos;
    EXPECT_TRUE(secondPerson) << text;
  }
}

// The two paragraphs that are published in full.
TEST(SignTexts, PublishedParagraphsAreReproducedExactly) {
  const auto& rows = SignRows();
  EXPECT_EQ(rows[1].HealthText,
            "You may not enjoy good health all the time. Throat and heart ailments may be "
            "common.");
  EXPECT_EQ(rows[5].HealthText,
            "Your intestine and liver may give you some problems. Else you enjoy sound health.");
}

TEST(SignTexts, NoTwoParagraphsAreEqual) {
  for (std::size_t a = 0; a < kExpectedTexts.size(); ++a) {
    for (std::size_t b = a + 1; b < kExpectedTexts.size(); ++b) {
      const auto& ea = kExpectedTexts[a];
      const auto& eb = kExpectedTexts[b];
      const std::string_view ta = SignRows()[static_cast<std::size_t>(ea.sign)].*ea.field;
      const std::string_view tb = SignRows()[static_cast<std::size_t>(eb.sign)].*eb.field;
      EXPECT_NE(ta, tb) << Describe(ea) << " equals " << Describe(eb);
    }
  }
}

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// Each nature paragraph belongs to its own sign: it names the sign's ruler and
// its element, as the same row's short values give them.
TEST(SignTexts, NatureParagraphNamesTheRulerAndElementOfItsRow) {
  for (std::size_t k = 0; k < kExpectedRows.size(); ++k) {
    const ExpectedRow& e = kExpectedRows[k];
    SCOPED_TRACE(std::string(e.englishName));
    const std::string nature = Lower(SignRows()[k].NatureText);
    EXPECT_NE(nature.find(Lower(e.rulingPlanet)), std::string::npos) << "ruler " << e.rulingPlanet;
    EXPECT_NE(nature.find(Lower(e.element)), std::string::npos) << "element " << e.element;
  }
}

}  // namespace
}  // namespace orvanta
