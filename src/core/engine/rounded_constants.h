// The engine's rounded forms of pi and of the angle conversions built on it,
// in one place. Each is used exactly as written: the rounding is part of the
// result (an ascendant's last digit, a sunrise minute, Rahu's sign can turn
// on it), so none may be replaced by a more exact value, and no other file
// writes a rounded pi of its own.
#pragma once

namespace orvanta::rounded {

// Fifteen significant digits: the ascendant, the Moon and the planets.
// Pi as 3.14159265358979 (0x400921FB54442D11), one unit below M_PI in the
// last place.
inline constexpr double kPi = 3.14159265358979;
// A full turn, 6.28318530717958 (a few units below 2*pi in the last places).
inline constexpr double kTwoPi = 6.28318530717958;
// Degrees to radians, the Double 0.0174532925199433 (0x3F91DF46A2529D3A).
inline constexpr double kDegToRad = 0.0174532925199433;
// Radians to degrees, the Double 57.2957795130823 (0x404CA5DC1A63C1F5).
inline constexpr double kRadToDeg = 57.2957795130823;

// Four decimals: the node's conversion back to degrees, which lowers Rahu
// and Ketu by up to 0.00085 deg.
inline constexpr double kPiFourDecimals = 3.1416;

// Five or six significant digits: sunrise and sunset.
// Quarter turn; also the rise event's base angle (6 h).
inline constexpr double kQuarterTurnShort = 1.5708;
// Half turn; the right-ascension quadrant shift, and the reach of an event's
// local mean time either side of its base angle.
inline constexpr double kHalfTurnShort = 3.14159;
// Three quarter turns; also the set event's base angle (18 h).
inline constexpr double kThreeQuarterTurnShort = 4.71239;
// Full turn; the reduction of every angle into 0..2pi.
inline constexpr double kFullTurnShort = 6.28319;
// Degrees to radians.
inline constexpr double kDegToRadShort = 0.0174533;
// Hours to radians (15 degrees per hour).
inline constexpr double kHourToRadShort = 0.261799;
// Radians to hours (24 / 2pi).
inline constexpr double kRadToHourShort = 3.81972;

}  // namespace orvanta::rounded
