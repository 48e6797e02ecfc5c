// The Moon's ascending node for the Rahu and Ketu choices: the program's
// own point, the mean node and the true (osculating) node.
//
// Method: the mean node is the ELP-2000/82 polynomial (Chapront-Touzé and
// Chapront; Meeus, Astronomical Algorithms, 2nd ed., eq. 47.7). The true node
// is the node of the Moon's instantaneous orbit: the plane through the
// Earth's centre holding the Moon's geocentric position and velocity, from
// the 60-term longitude and distance and 60-term latitude series of the
// ELP-2000/82 truncation (Meeus tables 47.A and 47.B, with the additive
// terms A1..A3; about 10" in longitude and 4" in latitude), the velocity by
// a central difference over 0.02 day. The program's point is the engine's
// Rahu before the ayanamsa: its linear mean node, turned back into degrees
// with pi rounded to 3.1416, less one degree.
// Input: Julian Day in universal time, used as dynamical time as everywhere
// in the engine (a minute or two of time moves the mean node by less than
// 0.01' and the true node by less than 0.1' in 1900..2050). Output: tropical
// longitude on the mean ecliptic and equinox of date, degrees, 0 <= value <
// 360 (add NutationInLongitudeDeg for the apparent value). Good for
// 1800..2200.
#pragma once

#include <optional>
#include <string_view>

namespace orvanta {

enum class NodeChoice {
  Program,  // one degree below the engine's mean node (the default)
  Mean,     // the mean node
  True,     // the true (osculating) node
};

inline constexpr NodeChoice kDefaultNode = NodeChoice::Program;

// Tropical longitude of the node of `choice` at Julian Day `jdUt`, degrees.
// Empty for a non-finite day or one more than ayanamsa::kMaxDaysFromJ2000
// from J2000.0.
std::optional<double> NodeLongitudeDeg(NodeChoice choice, double jdUt);

// Stable name of a choice ("program", "mean", "true") and back.
std::string_view NodeChoiceName(NodeChoice choice);
std::optional<NodeChoice> NodeChoiceFromName(std::string_view name);

}  // namespace orvanta
