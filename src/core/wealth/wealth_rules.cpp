#include "wealth/wealth_rules.h"

#include <cmath>

namespace orvanta::wealth {

namespace {

bool IsSign(int sign) {
  return sign >= 0 && sign < kSignCount;
}

bool IsPlanet(int body) {
  return body >= Sun && body <= Saturn;
}

// The degrees of a nakshatra: 13 deg 20'.
constexpr double kNakshatraDeg = 360.0 / 27.0;

double Reduced(double deg) {
  double r = std::fmod(deg, 360.0);
  if (r < 0) r += 360.0;
  // fmod of a tiny negative value plus 360 can round up to 360 itself.
  return r >= 360.0 ? 0.0 : r;
}

}  // namespace

std::optional<int> SignLordOf(int sign) {
  if (!IsSign(sign)) return std::nullopt;
  return kSignLordBody[static_cast<std::size_t>(sign)];
}

std::optional<Relation> NaturalRelation(int planet, int other) {
  if (!IsPlanet(planet) || !IsPlanet(other) || planet == other) return std::nullopt;
  switch (kNaturalRelations[static_cast<std::size_t>(planet)][static_cast<std::size_t>(other)]) {
    case 'F':
      return Relation::Friend;
    case 'E':
      return Relation::Enemy;
    default:
      return Relation::Neutral;
  }
}

std::optional<Dignity> DignityOf(int body, int sign) {
  if (!IsPlanet(body) || !IsSign(sign)) return std::nullopt;
  const int exalted = kExaltationSign[static_cast<std::size_t>(body)];
  if (sign == exalted) return Dignity::Exalted;
  if (sign == (exalted + 6) % kSignCount) return Dignity::Debilitated;
  const int lord = kSignLordBody[static_cast<std::size_t>(sign)];
  if (lord == body) return Dignity::Own;
  switch (*NaturalRelation(body, lord)) {
    case Relation::Friend:
      return Dignity::Friend;
    case Relation::Enemy:
      return Dignity::Enemy;
    case Relation::Neutral:
      break;
  }
  return Dignity::Neutral;
}

std::string_view DignityName(Dignity dignity) {
  switch (dignity) {
    case Dignity::Exalted:
      return "exalted";
    case Dignity::Debilitated:
      return "debilitated";
    case Dignity::Own:
      return "own";
    case Dignity::Friend:
      return "friend";
    case Dignity::Neutral:
      return "neutral";
    case Dignity::Enemy:
      return "enemy";
  }
  return "neutral";
}

std::string_view NatureName(Nature nature) {
  return nature == Nature::Benefic ? "benefic" : "malefic";
}

double ElongationDeg(double moonDeg, double sunDeg) {
  return Reduced(moonDeg - sunDeg);
}

std::optional<Nature> NatureOf(int body, const std::array<int, kBodyCount>& signs,
                               double moonElongationDeg) {
  switch (body) {
    case Jupiter:
    case Venus:
      return Nature::Benefic;
    case Mercury: {
      const int own = signs[Mercury];
      for (const int malefic : {Sun, Mars, Saturn, Rahu, Ketu}) {
        if (own >= 0 && signs[static_cast<std::size_t>(malefic)] == own) return Nature::Malefic;
      }
      return Nature::Benefic;
    }
    case Moon:
      return moonElongationDeg >= 0 && moonElongationDeg < 180.0 ? Nature::Benefic
                                                                 : Nature::Malefic;
    case Sun:
    case Mars:
    case Saturn:
    case Rahu:
    case Ketu:
      return Nature::Malefic;
    default:
      return std::nullopt;
  }
}

std::optional<int> HouseFrom(int fromSign, int sign) {
  if (!IsSign(fromSign) || !IsSign(sign)) return std::nullopt;
  return (sign - fromSign + kSignCount) % kSignCount + 1;
}

std::array<int, 3> AspectHouses(int body) {
  switch (body) {
    case Mars:
      return {7, 4, 8};
    case Jupiter:
      return {7, 5, 9};
    case Saturn:
      return {7, 3, 10};
    case Asc:
      return {0, 0, 0};
    default:
      return {7, 0, 0};
  }
}

bool Aspects(int body, int fromSign, int targetSign) {
  const auto house = HouseFrom(fromSign, targetSign);
  if (!house || body < Sun || body > Ketu) return false;
  for (const int h : AspectHouses(body)) {
    if (h != 0 && h == *house) return true;
  }
  return false;
}

std::optional<HouseClass> ClassOfHouse(int house) {
  switch (house) {
    case 1:
    case 4:
    case 5:
    case 7:
    case 9:
    case 10:
      return HouseClass::Gives;
    case 3:
    case 6:
    case 8:
    case 12:
      return HouseClass::Costs;
    case 2:
    case 11:
      return HouseClass::Wealth;
    default:
      return std::nullopt;
  }
}

double TimeLagnaDeg(double sunAtSunriseDeg, double degPerMinute, long long elapsedSeconds) {
  // The seconds are exact; the arc is taken per minute of time.
  const double arc = degPerMinute * (static_cast<double>(elapsedSeconds) / 60.0);
  return Reduced(sunAtSunriseDeg + Reduced(arc));
}

double SreeLagnaDeg(double ascendantDeg, double moonDeg) {
  const double moon = Reduced(moonDeg);
  const double run = std::fmod(moon, kNakshatraDeg) / kNakshatraDeg;
  return Reduced(Reduced(ascendantDeg) + 360.0 * run);
}

std::optional<int> ArudhaOf(int houseSign, int lordSign) {
  const auto count = HouseFrom(houseSign, lordSign);
  if (!count) return std::nullopt;
  int pada = (lordSign + *count - 1) % kSignCount;
  if (pada == houseSign || pada == (houseSign + 6) % kSignCount) pada = (pada + 9) % kSignCount;
  return pada;
}

std::optional<int> SignOfDeg(double longitudeDeg) {
  if (!std::isfinite(longitudeDeg)) return std::nullopt;
  const int sign = static_cast<int>(std::floor(Reduced(longitudeDeg) / 30.0));
  return sign < 0 || sign >= kSignCount ? 0 : sign;
}

}  // namespace orvanta::wealth
