// Retrograde marks of the planets from tables of their stations, 1899-2051.
//
// A planet is retrograde on a date strictly between the date of a station
// retrograde and the date of the following station direct; only the dates
// count (the station days themselves do not). Dates are local civil dates as
// entered, with no zone correction.
#pragma once

#include <array>
#include <string_view>

#include "model/datetime.h"
#include "model/records.h"

namespace orvanta {

// Planets with station tables, in RetroFlag order.
inline constexpr std::array<std::string_view, 8> kRetrogradePlanets = {
    "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};

// " (R) ": blank, parenthesis, R, parenthesis, blank.
inline constexpr std::string_view kRetrogradeMark = " (R) ";

// False for an unknown planet name or a date outside the tables.
bool IsRetrogradeOn(std::string_view planet, LocalDateTime when);

struct RetrogradeMarks {
  std::array<bool, 8> RetroFlag{};  // Mercury .. Pluto
  ChartLabels ChartLabel;           // plain names, " (R) " after Mercury..Saturn
};

RetrogradeMarks RetrogradeMarksAt(int month, int day, int year, int hour, int minute);

// Month field (1..12) of a station record "M,D,YYYY,H,MIN,".
int StationRecordMonth(std::string_view record);

}  // namespace orvanta
