// Which of a birth's two clocks a user takes where a city time or local
// mean time differs from the tz zone's reading (tz/birth_clock.h).
#pragma once

namespace orvanta {

// `City` (the default) takes the place's own clock, `Standard` the tz
// zone's reading.
enum class ClockPreference { City, Standard };

}  // namespace orvanta
