// The wealth reading of a chart: what stands in the Indu Lagna, what aspects
// it, its lord and the lord's strength, every body's house from it, the
// time-based and Sree Lagnas, the Arudha Lagna with the arudhas of the 2nd
// and 11th houses, and the dasha periods that give or cost.
//
// Everything is counted from the chart's numbers alone (the bodies' signs
// and sidereal longitudes, the Indu Lagna's sign, the Sun at the last
// sunrise and the time since it), by the rules of wealth/wealth_rules.h, so
// the reading follows whatever Indu Lagna rule and ayanamsa made those
// numbers. Signs 0-based (0 = Aries), bodies the chart's indexes (0 Sun ..
// 9 the ascendant), longitudes in degrees.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dasha/vimshottari.h"
#include "model/records.h"
#include "wealth/wealth_rules.h"

namespace orvanta::wealth {

// The last sunrise before the birth: the Sun's sidereal longitude then and
// the whole seconds from it to the birth.
struct SunriseBasis {
  double sunDeg = 0;
  long long elapsedSeconds = 0;
};

struct WealthInput {
  std::array<int, kBodyCount> signs{};             // Sun..Asc, -1 where the chart shows none
  std::array<double, kBodyCount> longitudesDeg{};  // Sun..Asc, sidereal
  int induLagnaSign = -1;
  std::optional<SunriseBasis> sunrise;  // nothing on a day without a sunrise
};

struct Occupant {
  int body = 0;
  Nature nature = Nature::Malefic;
  std::optional<Dignity> dignity;  // nothing for Rahu and Ketu
};

struct SpecialLagna {
  double longitudeDeg = 0;
  int sign = 0;
};

// The nine bodies that stand in signs and rule periods: Sun..Ketu.
inline constexpr int kPlanetCount = 9;

struct WealthReading {
  int induLagnaSign = 0;
  int lord = 0;       // the Indu Lagna's lord (a planet, Sun..Saturn)
  int lordSign = -1;  // where it stands; -1 where the chart shows none
  std::optional<int> lordHouseFromAscendant, lordHouseFromInduLagna;
  std::optional<Dignity> lordDignity;
  std::vector<Occupant> occupants;                                     // in body order
  std::vector<int> aspectedBy;                                         // in body order
  std::array<std::optional<int>, kPlanetCount> housesFromInduLagna{};  // Sun..Ketu
  double moonElongationDeg = 0;
  // The time-based lagnas: nothing without a sunrise before the birth.
  std::optional<SpecialLagna> hora, ghati, bhava;
  std::optional<SpecialLagna> sree;  // nothing without an ascendant or a Moon
  // The Arudha Lagna and the arudhas of the 2nd and 11th houses; nothing
  // without an ascendant's sign or where a house's lord has none.
  std::optional<int> arudhaLagna, a2, a11;
  std::vector<int> secondFromArudha, eleventhFromArudha;  // their occupants, Sun..Ketu
};

// The reading of a chart; nothing when the Indu Lagna has no sign.
std::optional<WealthReading> ReadWealth(const WealthInput& input);

// Why a lord's periods give or cost.
enum class ReasonKind {
  StandsIn,    // stands in the Indu Lagna
  Aspects,     // aspects it
  Rules,       // is its lord
  AngleTrine,  // stands in an angle or trine from it (house 4, 5, 7, 9, 10)
  Dusthana,    // stands in its 3rd, 6th, 8th or 12th
};
struct Reason {
  ReasonKind kind = ReasonKind::StandsIn;
  int house = 0;  // the house from the Indu Lagna, for AngleTrine and Dusthana
};
// "stands in the Indu Lagna", "aspects the Indu Lagna", "rules the Indu
// Lagna", "stands in the 5th from the Indu Lagna, a trine", "stands in the
// 8th from the Indu Lagna".
std::string ReasonText(const Reason& reason);

enum class Effect { Gives, Costs };
std::string_view EffectName(Effect effect);  // "gives", "costs"

// One lord's part in the wealth periods (Uttara Kalamrita on the Indu
// Lagna: the planets in it, aspecting it, ruling it or in the angles and
// trines from it give wealth in their periods; those in its 3rd, 6th, 8th
// and 12th take it away). A lord may have a mark of each effect.
struct LordMark {
  int body = 0;  // Sun..Ketu
  Effect effect = Effect::Gives;
  std::vector<Reason> why;
};

// The marks of the nine lords, in body order, gives before costs.
std::vector<LordMark> LordMarks(const WealthReading& reading);

// The chart body of a dasha lord.
int BodyOfLord(dasha::Lord lord);

struct WealthPeriod {
  dasha::Period period;  // a mahadasha (level 1) or an antardasha (level 2)
  Effect effect = Effect::Gives;
  std::vector<Reason> why;
};

// The mahadashas and antardashas whose lord is marked, in time order, each
// mahadasha followed by its antardashas; one entry per mark.
std::vector<WealthPeriod> WealthPeriods(const std::vector<LordMark>& marks,
                                        const dasha::Vimshottari& v);

}  // namespace orvanta::wealth
