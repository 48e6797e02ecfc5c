#include "cli/places.h"

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

ResolvedBirth ResolveBirth(const BirthFields& fields, PlaceServices& services,
                           ReadingChoiceWords words, ClockPreference preference) {
  // A births file may record a tz name beside the zone that decides; on the
  // command line the two are a contradiction.
  if (!fields.tz.empty() && !fields.zone.empty())
    return Fail(kExitUsage, "give the zone by list (--zone) or by name (--tz), not both");
  const PlaceFinder findPlace = [&services](const std::string& query) -> const PlaceResolution& {
    return services.ResolveBirthPlace(query);
  };
  RowResolution row = ResolveRow(fields, findPlace, services.history(), words, preference);
  if (!row.birth) return Fail(row.malformed ? kExitUsage : kExitRefused, std::move(row.error));
  ResolvedBirth result;
  result.birth = std::move(row.birth);
  result.report.place = std::move(row.place);
  result.report.coordinates = row.coordinates;
  result.report.zone = std::move(row.zone);
  result.report.ownClockCaption = std::move(row.ownClockCaption);
  result.report.otherClockCaption = std::move(row.otherClockCaption);
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
    z.Bool("Daylight", report.zone->reading.summerTime);
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
  // A city time or local mean time is the clock (the chart's Time Zone line
  // names it) and the tz reading the other choice; the tz resolution's own
  // words would say its offset is used.
  if (!report.ownClockCaption.empty()) {
    if (!report.otherClockCaption.empty())
      out += "  Other clock   : " + report.otherClockCaption + " (--clock standard)\n";
    return;
  }
  if (report.zone) {
    out += "  Zone          : " + DescribeResolution(*report.zone);
    if (report.zone->zoneIndex) {
      out += " (zone " + std::to_string(*report.zone->zoneIndex) + ", \"" +
             std::string(kZones[static_cast<std::size_t>(*report.zone->zoneIndex)].text) + "\")";
    }
    out += '\n';
  }
  if (!report.otherClockCaption.empty())
    out += "  Other clock   : " + report.otherClockCaption + " (--clock city)\n";
}

}  // namespace orvanta::cli
