#include "cli/places.h"

#include "chart/birth_place.h"
#include "cli/json.h"
#include "tables/zones.h"

namespace orvanta::cli {

namespace {

// How many places --places lists at most.
constexpr std::size_t kPlacesListed = 50;

ResolvedBirth Fail(int status, std::string message) {
  ResolvedBirth r;
  r.status = status;
  r.error = std::move(message);
  return r;
}

}  // namespace

const Atlas& PlaceServices::atlas() {
  if (!atlas_) atlas_.emplace();
  return *atlas_;
}

const PlaceResolution& PlaceServices::ResolveBirthPlace(const std::string& query) {
  if (const auto it = searches_.find(query); it != searches_.end()) return it->second;
  if (searches_.size() >= kRememberedSearches) searches_.clear();
  return searches_.emplace(query, atlas().Resolve(query)).first->second;
}

ResolvedBirth ResolveBirth(const BirthFields& fields, PlaceServices& services,
                           ReadingChoiceWords words) {
  // A birth without place or zone name is read as before, without copies.
  if (fields.place.empty() && fields.tz.empty()) {
    Parsed<FormEntries> parsed = EntriesOf(fields);
    if (!parsed.value) return Fail(kExitUsage, parsed.error);
    ResolvedBirth plain;
    plain.entries = std::move(parsed.value);
    return plain;
  }
  BirthFields f = fields;
  PlaceReport report;
  std::string zoneName;

  if (!f.place.empty()) {
    const PlaceResolution& found = services.ResolveBirthPlace(f.place);
    if (found.outcome == PlaceOutcome::Refused)
      return Fail(kExitUsage, "bad place: " + found.message);
    if (!found.place) return Fail(kExitRefused, found.message);
    const Place& place = *found.place;
    const FormCoordinates c = CoordinatesToMinute(place.latitudeDeg, place.longitudeDeg);
    if (f.lat.empty()) f.lat = LatitudeText(c);
    if (f.lon.empty()) f.lon = LongitudeText(c);
    if (f.city.empty()) f.city = place.name;
    if (f.state.empty()) f.state = place.state;
    if (f.country.empty()) f.country = place.country;
    report.place = place;
    report.coordinates = c;
    zoneName = place.timeZone;
  }
  if (!f.tz.empty()) {
    if (!f.zone.empty())
      return Fail(kExitUsage, "give the zone by list (--zone) or by name (--tz), not both");
    if (!services.history().Knows(f.tz)) {
      return Fail(kExitUsage, "unknown time zone \"" + f.tz +
                                  "\": give a tz database name such as Europe/Madrid");
    }
    zoneName = f.tz;
  }

  // A zone chosen from the list wins over the zone's history; its dst is
  // then the form's tick.
  const bool resolve = !zoneName.empty() && f.zone.empty();
  std::optional<bool> readingWanted;
  if (resolve) {
    const Parsed<bool> dst = ParseDst(f.dst);
    if (!dst.value) return Fail(kExitUsage, dst.error);
    if (!f.dst.empty()) readingWanted = *dst.value;
    f.dst.clear();
  }
  Parsed<FormEntries> parsed = EntriesOf(f);
  if (!parsed.value) return Fail(kExitUsage, parsed.error);
  FormEntries& entries = *parsed.value;

  if (resolve) {
    // A date that does not exist (31 April) is left to the validation,
    // which refuses it with the form's own message.
    if (const auto local = LocalBirthTime(entries)) {
      const DoubledChoice choice = !readingWanted   ? DoubledChoice::Refuse
                                   : *readingWanted ? DoubledChoice::Daylight
                                                    : DoubledChoice::Standard;
      const ZoneResolutionResult r = ResolveZone(services.history(), zoneName, *local, choice);
      if (!r.resolution) {
        if (r.kind == LocalTimeKind::Doubled || r.kind == LocalTimeKind::Skipped) {
          return Fail(kExitRefused, LocalTimeProblem(zoneName, *local, r.reading, words.daylight,
                                                     words.standard));
        }
        return Fail(kExitRefused, r.message);
      }
      FillZone(entries, *r.resolution);
      report.zone = r.resolution;
    }
  }

  ResolvedBirth result;
  result.entries = std::move(entries);
  result.report = std::move(report);
  return result;
}

PlaceList ListPlaces(std::string_view query, bool json, PlaceServices& services) {
  PlaceList list;
  const PlaceSearch search = services.atlas().Search(query, kPlacesListed);
  if (search.refused) {
    list.error = "bad place: " + search.message.value_or("");
    list.status = kExitUsage;
    return list;
  }
  std::string& text = list.text;
  if (json) {
    text += '[';
    for (std::size_t i = 0; i < search.matches.size(); ++i) {
      const Place& p = search.matches[i];
      const FormCoordinates c = CoordinatesToMinute(p.latitudeDeg, p.longitudeDeg);
      if (i > 0) text += ',';
      JsonObject o(text);
      o.String("City", p.name);
      o.String("State", p.state);
      o.String("Country", p.country);
      o.String("CountryCode", p.countryCode);
      o.String("Latitude", LatitudeText(c));
      o.String("Longitude", LongitudeText(c));
      o.Number("LatitudeDeg", p.latitudeDeg);
      o.Number("LongitudeDeg", p.longitudeDeg);
      o.String("TimeZone", p.timeZone);
      o.Integer("Population", p.population);
      o.Close();
    }
    text += "]\n";
  } else {
    for (const Place& p : search.matches) {
      const FormCoordinates c = CoordinatesToMinute(p.latitudeDeg, p.longitudeDeg);
      text += p.name + '\t' + p.state + '\t' + p.country + '\t' + LatitudeText(c) + '\t' +
              LongitudeText(c) + '\t' + p.timeZone + '\t' + std::to_string(p.population) + '\n';
    }
  }
  if (search.matches.empty()) {
    list.error = search.message.value_or("");
    list.status = kExitRefused;
  }
  return list;
}

void AppendPlaceMembers(JsonObject& o, const PlaceReport& report, bool withPlace, bool withZone) {
  if (withPlace && report.place && report.coordinates) {
    JsonObject p(o.Key("Place"));
    p.String("City", report.place->name);
    p.String("State", report.place->state);
    p.String("Country", report.place->country);
    p.String("Latitude", LatitudeText(*report.coordinates));
    p.String("Longitude", LongitudeText(*report.coordinates));
    p.String("TimeZone", report.place->timeZone);
    // The other name the place was found by ("Bombay" for Mumbai).
    if (!report.place->matchedName.empty()) p.String("MatchedName", report.place->matchedName);
    p.Close();
  }
  if (withZone && report.zone) {
    JsonObject z(o.Key("ZoneResolved"));
    z.String("TimeZone", report.zone->zoneName);
    z.Integer("OffsetMinutes", report.zone->offsetMinutes);
    z.Integer("OffsetSeconds", report.zone->reading.offsetSeconds);
    z.Bool("Daylight", report.zone->reading.daylight);
    z.String("Abbreviation", report.zone->reading.abbreviation);
    if (report.zone->zoneIndex) {
      z.Integer("ZoneIndex", *report.zone->zoneIndex);
    } else {
      z.Null("ZoneIndex");
    }
    z.Close();
  }
}

void AppendPlaceText(std::string& out, const PlaceReport& report) {
  if (report.place && report.coordinates) {
    out += "  Place         : " + DescribeMatch(*report.place) + " (" +
           LatitudeText(*report.coordinates) + " " + LongitudeText(*report.coordinates) + ", " +
           report.place->timeZone + ")\n";
  }
  if (report.zone) {
    out += "  Zone          : " + DescribeResolution(*report.zone);
    if (report.zone->zoneIndex) {
      out += " (zone " + std::to_string(*report.zone->zoneIndex) + ", \"" +
             std::string(kZones[static_cast<std::size_t>(*report.zone->zoneIndex)].text) + "\")";
    }
    out += '\n';
  }
}

}  // namespace orvanta::cli
