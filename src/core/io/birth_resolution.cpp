#include "io/birth_resolution.h"

#include "io/birth_place.h"
#include "io/births_csv.h"
#include "io/offset_text.h"
#include "tz/birth_clock.h"

namespace orvanta {

namespace {

RowResolution Fail(std::string message, bool malformed) {
  RowResolution r;
  r.error = std::move(message);
  r.malformed = malformed;
  return r;
}

// The coordinates of an atlas place, to the minute of arc.
GeoPosition PositionOf(const FormCoordinates& c) {
  GeoPosition p;
  p.latitude = {static_cast<std::int16_t>(c.latDeg), static_cast<std::int16_t>(c.latMin), c.north};
  p.longitude = {static_cast<std::int16_t>(c.lonDeg), static_cast<std::int16_t>(c.lonMin), c.east};
  return p;
}

// The atlas's message on one line: a list of candidates, one a line for a
// terminal, is joined with "; " so that a row's problem stays one line.
std::string OneLine(std::string_view message) {
  std::string line;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] != '\n') {
      line += message[i];
      continue;
    }
    while (i + 1 < message.size() && message[i + 1] == ' ') ++i;
    line += !line.empty() && line.back() == ':' ? " " : "; ";
  }
  return line;
}

}  // namespace

RowResolution ResolveRow(const BirthFields& fields, const PlaceFinder& findPlace,
                         ZoneHistory& history, ReadingChoiceWords words,
                         ClockPreference preference) {
  const bool zoneGiven = ZoneGivenByRow(fields);
  // A row without place or zone name is read as it is, without copies.
  if (fields.place.empty() && (fields.tz.empty() || zoneGiven)) {
    Parsed<BirthReading> parsed = BirthOfFields(fields);
    if (!parsed.value) return Fail(std::move(parsed.error), true);
    RowResolution plain;
    plain.birth = std::move(parsed.value);
    plain.zoneName = fields.tz;
    return plain;
  }
  BirthFields f = fields;
  RowResolution result;
  std::string zoneName;
  std::optional<GeoPosition> placePosition;

  if (!f.place.empty()) {
    const PlaceResolution& found = findPlace(f.place);
    if (found.outcome == PlaceOutcome::Refused)
      return Fail("bad place: " + OneLine(found.message), true);
    if (!found.place) return Fail(OneLine(found.message), false);
    const Place& place = *found.place;
    const FormCoordinates c = CoordinatesToMinute(place.latitudeDeg, place.longitudeDeg);
    placePosition = PositionOf(c);
    if (f.city.empty()) f.city = place.name;
    if (f.state.empty()) f.state = place.state;
    if (f.country.empty()) f.country = place.country;
    result.place = place;
    result.coordinates = c;
    zoneName = place.timeZone;
  }
  if (!f.tz.empty()) {
    if (!zoneGiven) {
      if (std::optional<std::string> problem = history.DatabaseProblem(f.tz)) {
        return Fail(std::move(*problem), false);
      }
      if (!history.Knows(f.tz)) {
        return Fail("unknown time zone " + QuotedForMessage(f.tz) +
                        ": give a tz database name such as Europe/Madrid",
                    true);
      }
    }
    zoneName = f.tz;
  }

  // A zone or offset given wins over the zone's history; its dst is then
  // the form's tick.
  const bool resolve = !zoneName.empty() && !zoneGiven;
  std::optional<bool> readingWanted;
  if (resolve) {
    const Parsed<bool> dst = ParseDst(f.dst);
    if (!dst.value) return Fail(dst.error, true);
    if (!TrimField(f.dst).empty()) readingWanted = *dst.value;
    f.dst.clear();
  }
  Parsed<BirthReading> parsed = BirthOfFields(f, placePosition ? &*placePosition : nullptr);
  if (!parsed.value) return Fail(std::move(parsed.error), true);
  Birth& birth = parsed.value->birth;

  if (resolve) {
    // A date that does not exist (31 April) is left to the validation,
    // which refuses it with the form's own message.
    if (const std::optional<LocalDateTime> local = ExistingLocalTime(birth.local)) {
      const DoubledChoice choice = !readingWanted   ? DoubledChoice::Refuse
                                   : *readingWanted ? DoubledChoice::Summer
                                                    : DoubledChoice::Standard;
      // The birth's clock: a city time or the place's own mean time where
      // they apply, else the tz reading.
      BirthClockQuery query;
      query.zoneName = zoneName;
      query.position = birth.position;
      query.placeFromAtlas = !f.place.empty() && f.tz.empty();
      query.local = *local;
      query.doubled = choice;
      const BirthClock clock = BirthClockOf(history, query, preference);
      const ZoneResolutionResult& r = clock.tz;
      if (!r.resolution) {
        if (r.kind == LocalTimeKind::Doubled || r.kind == LocalTimeKind::Skipped) {
          return Fail(LocalTimeProblem(zoneName, *local, r.reading, words.summer, words.standard),
                      false);
        }
        return Fail(r.message, false);
      }
      birth.clock = KeptClockOf(*clock.clock);
      result.zone = r.resolution;
      if (clock.clock->clock.source != ClockSource::ZoneHistory)
        result.ownClockCaption = clock.clock->caption;
      if (clock.alternative) result.otherClockCaption = clock.alternative->caption;
    }
  }
  result.birth = std::move(parsed.value);
  // The name kept with the birth: the one resolved, or the tz column's.
  result.zoneName = resolve ? zoneName : f.tz;
  return result;
}

}  // namespace orvanta
