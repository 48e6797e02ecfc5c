// The classical rules of the wealth reading, one function per rule: sign
// lords, dignity, natural friendship, the nature of a body, whole-sign
// aspects, houses counted from a sign, the time-based wealth lagnas, the
// Sree Lagna and the arudha of a house.
//
// Signs are 0-based (0 = Aries .. 11 = Pisces); bodies are the chart's body
// indexes (0 Sun .. 8 Ketu, 9 the ascendant); longitudes in degrees, 0 =
// sidereal Aries. Every function is pure: the same signs give the same
// answer.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/records.h"

namespace orvanta::wealth {

// The lord of each sign, Aries first, as a body. Scorpio's lord is Mars and
// Aquarius's Saturn: the single classical lords of Brihat Parashara Hora
// Shastra's chapter on the signs (the co-lordship of Ketu and Rahu some later authors
// give is not used).
inline constexpr std::array<int, kSignCount> kSignLordBody = {
    Mars, Venus, Mercury, Moon, Sun, Mercury, Venus, Mars, Jupiter, Saturn, Saturn, Jupiter};

// The lord of `sign`; nothing for a sign outside 0..11.
std::optional<int> SignLordOf(int sign);

// The sign each planet is exalted in, Sun..Saturn (Brihat Parashara Hora
// Shastra's chapter on the planets): Sun Aries, Moon Taurus, Mercury Virgo, Venus Pisces,
// Mars Capricorn, Jupiter Cancer, Saturn Libra. Debilitation is the sign
// opposite.
inline constexpr std::array<int, 7> kExaltationSign = {0, 1, 5, 11, 9, 3, 6};

// The natural relationship of a planet to another.
enum class Relation { Friend, Neutral, Enemy };

// Natural friendships, Sun..Saturn against Sun..Saturn (Brihat Parashara
// Hora Shastra's chapter on the planets, the naisargika maitri). Row: the planet;
// column: the planet it regards. F friend, N neutral, E enemy; a planet's
// own column is unused (N).
inline constexpr std::array<std::string_view, 7> kNaturalRelations = {
    // Su Mo Me Ve Ma Ju Sa
    "NFNEFFE",  // Sun: friends Moon, Mars, Jupiter; Mercury neutral; Venus, Saturn enemies
    "FNFNNNN",  // Moon: friends Sun, Mercury; the rest neutral
    "FENFNNN",  // Mercury: friends Sun, Venus; Moon enemy; the rest neutral
    "EEFNNNF",  // Venus: friends Mercury, Saturn; Sun, Moon enemies; Mars, Jupiter neutral
    "FFENNFN",  // Mars: friends Sun, Moon, Jupiter; Mercury enemy; Venus, Saturn neutral
    "FFEEFNN",  // Jupiter: friends Sun, Moon, Mars; Mercury, Venus enemies; Saturn neutral
    "EEFFENN",  // Saturn: friends Mercury, Venus; Sun, Moon, Mars enemies; Jupiter neutral
};

// How `planet` regards `other` (both Sun..Saturn); nothing for Rahu, Ketu,
// the ascendant or one planet against itself.
std::optional<Relation> NaturalRelation(int planet, int other);

// A planet's dignity in a sign, in the order it is decided.
enum class Dignity { Exalted, Debilitated, Own, Friend, Neutral, Enemy };

// The dignity of `body` in `sign`: exalted, debilitated, own sign, else the
// natural relationship of the body to the sign's lord. Nothing for Rahu and
// Ketu (the traditions give them different exaltation signs) and the
// ascendant, and for a sign outside 0..11.
std::optional<Dignity> DignityOf(int body, int sign);

// The JSON's and the reports' word for a dignity: "exalted", "debilitated",
// "own", "friend", "neutral", "enemy".
std::string_view DignityName(Dignity dignity);

// A body's nature in the wealth reading.
enum class Nature { Benefic, Malefic };
std::string_view NatureName(Nature nature);  // "benefic", "malefic"

// The natural nature of `body` (Sun..Ketu) in a chart whose bodies stand in
// `signs` (-1 for none), after Phaladeepika's chapter on the planets: Jupiter and Venus
// benefic; Mercury benefic unless it shares its sign with the Sun, Mars,
// Saturn, Rahu or Ketu; the Moon benefic while waxing, its elongation from
// the Sun (`moonElongationDeg`, 0 <= e < 360) below 180 degrees; the Sun,
// Mars, Saturn, Rahu and Ketu malefic. Nothing for the ascendant.
std::optional<Nature> NatureOf(int body, const std::array<int, kBodyCount>& signs,
                               double moonElongationDeg);

// The Moon's elongation from the Sun, 0 <= e < 360 degrees.
double ElongationDeg(double moonDeg, double sunDeg);

// The house (1..12) of `sign` counted from `fromSign`, `fromSign` itself
// being the first; nothing for a sign outside 0..11.
std::optional<int> HouseFrom(int fromSign, int sign);

// The houses (counted from the body's own sign) a body aspects by whole
// signs, after Brihat Parashara Hora Shastra's chapter on aspects: every planet the
// 7th; Mars also the 4th and 8th; Jupiter the 5th and 9th; Saturn the 3rd
// and 10th. Rahu and Ketu are given the 7th only (some authors give them
// Jupiter's 5th and 9th as well). Empty for the ascendant.
std::array<int, 3> AspectHouses(int body);  // unused places hold 0

// Whether `body` standing in `fromSign` aspects `targetSign`.
bool Aspects(int body, int fromSign, int targetSign);

// What a house from the Indu Lagna means for wealth (Kalidasa's Uttara
// Kalamrita on the Indu Lagna: planets in the angles and trines from it give, those in the
// 3rd, 6th, 8th and 12th take away; the 2nd and 11th are the houses of
// wealth).
enum class HouseClass { Gives, Costs, Wealth };
std::optional<HouseClass> ClassOfHouse(int house);

// The three time-based lagnas, each moving from the Sun's longitude at the
// last sunrise before the birth at its rate (Brihat Parashara Hora Shastra's
// chapter on the special ascendants): the Bhava Lagna one sign in five ghatis, the Hora Lagna one
// sign in two and a half ghatis, the Ghati Lagna one sign in one ghati (a
// ghati is 24 minutes).
inline constexpr double kHoraLagnaDegPerMinute = 0.5;
inline constexpr double kGhatiLagnaDegPerMinute = 1.25;
inline constexpr double kBhavaLagnaDegPerMinute = 0.25;

// The longitude, 0 <= value < 360, of the lagna moving at `degPerMinute`
// from `sunAtSunriseDeg` after `elapsedSeconds` of time since that sunrise.
double TimeLagnaDeg(double sunAtSunriseDeg, double degPerMinute, long long elapsedSeconds);

// The Sree Lagna (the Jaimini tradition's wealth lagna): the ascendant
// plus the whole turn times the part of its nakshatra (13 deg 20') the Moon
// has run; 0 <= value < 360.
double SreeLagnaDeg(double ascendantDeg, double moonDeg);

// The arudha (pada) of the house in `houseSign` whose lord stands in
// `lordSign` (Jaimini's Upadesa Sutras, and Brihat Parashara Hora Shastra's
// chapter on the arudha padas): count the signs from the house to its
// lord, inclusive, and the same count again from the lord; where that falls
// in the house itself or in the 7th from it, the arudha is the 10th from
// that sign. Nothing for a sign outside 0..11.
std::optional<int> ArudhaOf(int houseSign, int lordSign);

// The sign of a longitude (0..11), nothing for one that is not finite.
std::optional<int> SignOfDeg(double longitudeDeg);

}  // namespace orvanta::wealth
