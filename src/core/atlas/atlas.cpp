#include "atlas/atlas.h"

#include <geonames.h>

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>

namespace orvanta {

namespace {

// Countries as people write them, beside the atlas's own names and the ISO
// codes that every city carries.
struct CountryAlias {
  std::string_view folded;
  std::string_view code;
};
inline constexpr std::array<CountryAlias, 12> kCountryAliases = {{
    {"usa", "us"},
    {"u s a", "us"},
    {"u s", "us"},
    {"united states", "us"},
    {"america", "us"},
    {"uk", "gb"},
    {"u k", "gb"},
    {"great britain", "gb"},
    {"britain", "gb"},
    {"england", "gb"},
    {"uae", "ae"},
    {"holland", "nl"},
}};

// Match quality of one field, smaller is better.
enum Quality : int { kEqual = 0, kBegins = 1, kWordInside = 2, kNoMatch = 100 };

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

Quality NameQuality(std::string_view name, std::string_view query) {
  if (name == query) return kEqual;
  if (StartsWith(name, query)) return kBegins;
  // A later word of the name begins with the query ("york" in "new york").
  for (std::size_t at = name.find(' '); at != std::string_view::npos; at = name.find(' ', at + 1)) {
    if (StartsWith(name.substr(at + 1), query)) return kWordInside;
  }
  return kNoMatch;
}

// States and countries also match by a later word: "Maine" is the atlas's
// "State of Maine", "Zurich" its "Canton of Zurich".
Quality FieldQuality(std::string_view field, std::string_view query) {
  if (field.empty()) return kNoMatch;
  return NameQuality(field, query);
}

struct OwnedCity {
  void operator()(GeonamesCity* c) const { geonames_city_free(c); }
};

std::string Text(const gchar* s) {
  return s ? std::string(s) : std::string();
}

// Splits at commas; blank parts (a trailing comma) are dropped.
std::vector<std::string> Parts(std::string_view folded) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= folded.size()) {
    std::size_t end = folded.find(',', start);
    if (end == std::string_view::npos) end = folded.size();
    std::string_view part = folded.substr(start, end - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (!part.empty()) parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::optional<std::string> FoldPlaceText(std::string_view text) {
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return std::nullopt;
  // Embedded NULs pass the UTF-8 check; the transliteration stops at them.
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string owned(text);
  std::unique_ptr<gchar, decltype(&g_free)> ascii(g_str_to_ascii(owned.c_str(), "C"), &g_free);
  std::string folded;
  folded.reserve(owned.size());
  bool blank = false;
  for (const char* p = ascii.get(); p && *p; ++p) {
    const char c = *p;
    if (g_ascii_isalnum(c)) {
      if (blank && !folded.empty() && folded.back() != ',') folded += ' ';
      blank = false;
      folded += g_ascii_tolower(c);
    } else if (c == ',') {
      folded += ',';
      blank = false;
    } else {
      blank = true;
    }
  }
  return folded;
}

bool IsAmbiguous(const PlaceSearch& search) {
  if (search.matches.size() < 2 || search.quality[0] != search.quality[1]) return false;
  const std::uint64_t first = search.matches[0].population;
  const std::uint64_t second = search.matches[1].population;
  return first < kClearPopulationRatio * second;
}

std::string Describe(const Place& place) {
  std::string text = place.name;
  if (!place.state.empty()) text += ", " + place.state;
  if (!place.country.empty()) text += ", " + place.country;
  return text;
}

Atlas::Atlas() {
  const gint count = geonames_get_n_cities();
  entries_.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (gint i = 0; i < count; ++i) {
    std::unique_ptr<GeonamesCity, OwnedCity> city(geonames_get_city(i));
    if (!city) continue;
    Entry e;
    e.place.name = Text(geonames_city_get_name(city.get()));
    e.place.state = Text(geonames_city_get_state(city.get()));
    e.place.country = Text(geonames_city_get_country(city.get()));
    e.place.countryCode = Text(geonames_city_get_country_code(city.get()));
    e.place.timeZone = Text(geonames_city_get_timezone(city.get()));
    e.place.latitudeDeg = geonames_city_get_latitude(city.get());
    e.place.longitudeDeg = geonames_city_get_longitude(city.get());
    e.place.population = geonames_city_get_population(city.get());
    e.foldedName = FoldPlaceText(e.place.name).value_or("");
    e.foldedState = FoldPlaceText(e.place.state).value_or("");
    e.foldedCountry = FoldPlaceText(e.place.country).value_or("");
    e.foldedCode = FoldPlaceText(e.place.countryCode).value_or("");
    entries_.push_back(std::move(e));
  }
}

PlaceSearch Atlas::Search(std::string_view query, std::size_t limit) const {
  PlaceSearch result;
  if (query.size() > kMaxPlaceQueryBytes) {
    result.refused = true;
    result.message = "The place name is too long (at most " + std::to_string(kMaxPlaceQueryBytes) +
                     " characters).";
    return result;
  }
  const auto folded = FoldPlaceText(query);
  if (!folded) {
    result.refused = true;
    result.message = "The place name is not valid text (UTF-8).";
    return result;
  }
  const std::vector<std::string> parts = Parts(*folded);
  if (parts.empty()) {
    result.refused = true;
    result.message = "Type a place: \"City\", \"City, Country\" or \"City, State, Country\".";
    return result;
  }
  if (parts.size() > 3) {
    result.refused = true;
    result.message = "A place has at most three parts: \"City, State, Country\".";
    return result;
  }

  // The country named by a qualifier through a common short form, if any.
  auto aliasCode = [](std::string_view q) -> std::string_view {
    for (const CountryAlias& a : kCountryAliases)
      if (a.folded == q) return a.code;
    return {};
  };
  auto countryQuality = [&](const Entry& e, std::string_view q) {
    if (q == e.foldedCode || aliasCode(q) == e.foldedCode) return kEqual;
    return FieldQuality(e.foldedCountry, q);
  };

  struct Hit {
    int score;
    std::uint32_t population;
    std::size_t index;
  };
  std::vector<Hit> hits;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const Quality city = NameQuality(e.foldedName, parts[0]);
    if (city == kNoMatch) continue;
    int qualifiers = 0;
    if (parts.size() == 2) {
      // "City, Country" or "City, State": whichever fits better.
      qualifiers = std::min(countryQuality(e, parts[1]), FieldQuality(e.foldedState, parts[1]));
    } else if (parts.size() == 3) {
      const int state = FieldQuality(e.foldedState, parts[1]);
      const int country = countryQuality(e, parts[2]);
      qualifiers = state + country;
    }
    if (qualifiers >= kNoMatch) continue;
    hits.push_back({city * 10 + qualifiers, e.place.population, i});
  }
  const std::size_t keep = std::min(limit, hits.size());
  std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(keep), hits.end(),
                    [](const Hit& a, const Hit& b) {
                      return std::tie(a.score, b.population, a.index) <
                             std::tie(b.score, a.population, b.index);
                    });
  for (std::size_t k = 0; k < keep; ++k) {
    result.matches.push_back(entries_[hits[k].index].place);
    result.quality.push_back(hits[k].score);
  }
  if (result.matches.empty()) {
    result.message = "No place in the atlas matches \"" + std::string(query) + "\".";
  }
  return result;
}

std::optional<Place> Atlas::FindDescribed(std::string_view description) const {
  const PlaceSearch search = Search(description, 50);
  for (const Place& p : search.matches)
    if (Describe(p) == description) return p;
  return std::nullopt;
}

}  // namespace orvanta
