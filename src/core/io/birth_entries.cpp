#include "io/birth_entries.h"

#include <cstdint>
#include <string_view>

#include "io/offset_text.h"
#include "model/whole_number.h"
#include "tables/zones.h"
#include "tz/zone_resolution.h"

namespace orvanta {

namespace {

// Reads a list text into a field, up to the 16-bit range the form's
// numbers have always had; a text without a value leaves the field as it
// was (the front ends offer only numbers).
template <typename Field>
void ReadField(std::string_view text, Field& field) {
  if (const auto v = PlainWholeNumber(text); v && *v <= 32767) field = static_cast<Field>(*v);
}

}  // namespace

ValidationInput ValidationInputOf(const FormEntries& e) {
  ValidationInput in;
  in.name = e.name;
  in.lonDeg = e.lonDeg;
  in.lonMin = e.lonMin;
  in.latDeg = e.latDeg;
  in.latMin = e.latMin;
  in.year = e.yearText;
  in.monthIndex = e.monthIndex;
  // The day list holds 1..31 at positions 0..30.
  const auto day = PlainWholeNumber(e.dayText);
  in.dayIndex = day ? static_cast<int>(*day - 1) : -1;
  in.day = e.dayText;
  in.hour = e.hourText;
  in.minute = e.minuteText;
  in.second = e.secondText;
  return in;
}

namespace {

// The clock of validated entries: the offset to the second, the exact
// offset or the zone row's; with no zone selected the offset is zero
// (universal time).
Clock ClockOf(const FormEntries& e) {
  Clock clock;
  std::optional<ZoneShift> shift;
  // Seconds count only while they round to the entries' minutes (a zone
  // chosen since replaces them).
  if (e.exactOffsetSeconds && ExactOffsetSecondsOf(e) == e.exactOffsetSeconds) {
    clock.offsetSeconds = *e.exactOffsetSeconds;
    clock.source = e.clockSource.value_or(ClockSource::ZoneHistory);
  } else {
    shift = e.exactOffsetMinutes ? ZoneShiftOf(ExactOffset{*e.exactOffsetMinutes})
                                 : ZoneShiftOf(e.zoneIndex);
    if (shift) clock.offsetSeconds = OffsetSecondsOfShift(*shift);
    if (e.exactOffsetMinutes) {
      clock.source = e.clockSource.value_or(e.zoneName.empty() ? ClockSource::GivenOffset
                                                               : ClockSource::ZoneHistory);
    } else if (shift) {
      clock.zoneRow = e.zoneIndex;
    }
  }
  clock.daylightTick = e.daylightTick;
  clock.zoneName = e.zoneName;
  clock.summerTime = e.zoneName.empty() ? IsSummerTimeRow(e.zoneIndex) : e.summerTime;
  clock.caption = e.clockCaption;
  return clock;
}

// The birth from validated entries.
Birth BirthOf(const FormEntries& e) {
  Birth b;
  b.name = e.name;
  b.city = e.city;
  b.state = e.state;
  b.country = e.country;
  CivilTime& local = b.local;
  // A list position whose month does not fit the 16-bit field (only a caller
  // outside the form can give one) leaves the field as it was.
  if (e.monthIndex >= INT16_MIN - 1 && e.monthIndex < INT16_MAX) {
    local.month = static_cast<std::int16_t>(e.monthIndex + 1);
  }
  ReadField(e.dayText, local.day);
  ReadField(e.yearText, local.year);
  ReadField(e.hourText, local.hour);
  ReadField(e.minuteText, local.minute);
  if (const auto s = PlainWholeNumber(e.secondText)) local.second = static_cast<int>(*s);
  b.clock = ClockOf(e);
  ReadField(e.lonDeg, b.position.longitude.degrees);
  ReadField(e.lonMin, b.position.longitude.minutes);
  ReadField(e.latDeg, b.position.latitude.degrees);
  ReadField(e.latMin, b.position.latitude.minutes);
  b.position.longitude.positive = e.east;
  b.position.latitude.positive = e.north;
  return b;
}

}  // namespace

BirthReading ReadBirth(const FormEntries& e) {
  BirthReading reading;
  reading.refusal = ValidateEntries(ValidationInputOf(e));
  if (!reading.refusal) reading.birth = BirthOf(e);
  return reading;
}

ChartRun ComputeChart(const FormEntries& e, const CalculationSettings& settings, ChartScope scope) {
  ChartRun run;
  BirthReading reading = ReadBirth(e);
  if (reading.refusal) {
    run.refusal = reading.refusal;
    return run;
  }
  run.chart = ComputeChart(reading.birth, settings, scope);
  return run;
}

ChartRun ComputeChart(const FormEntries& e, ChartScope scope) {
  return ComputeChart(e, CalculationSettings{}, scope);
}

}  // namespace orvanta
