// Local civil date-times for the engine.
//
// The engine works with clock readings, not instants: a birth entered as
// 10:30 on 15 June 1980 is the local date-time 1980-06-15 10:30:00, and
// universal time is reached by adding a zone shift with calendar arithmetic
// (the date, month and year roll over). Seconds are whole; the proleptic
// Gregorian calendar of <chrono> is used for every date.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

using LocalDateTime = std::chrono::local_seconds;

// Full English month name, 1 = "January" .. 12 = "December"; "" outside 1..12.
std::string_view MonthName(int month);

// The date-time of month/day/year hour:minute:second. A day past the end of
// its month rolls into the next month (as calendar arithmetic does); callers
// validate dates before they build one.
LocalDateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0);

struct CivilTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

CivilTime Split(LocalDateTime t);

// Day of the year, 1 January = 1.
int DayOfYear(LocalDateTime t);

// Weekday with Sunday = 0, Monday = 1 .. Saturday = 6.
int WeekdaySunday0(LocalDateTime t);

// "YYYY-MM-DD HH:MM" (the form the command line prints).
std::string FormatIsoMinute(LocalDateTime t);

}  // namespace orvanta
