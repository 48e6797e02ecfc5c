// Birth places from the offline city atlas, searched the way people write them.
//
// The atlas holds the 24,361 cities of over 15,000 people of the GeoNames
// data that Debian ships with libgeonames (CC BY 4.0), each with its state,
// country, coordinates in decimal degrees (north and east positive) and the
// name of its time zone in the tz database. A query is "City", "City,
// Country", "City, State" or "City, State, Country". Names are compared
// without accents, case or punctuation ("Sao Paulo" finds "São Paulo");
// countries may be written as the atlas names them ("United States of
// America"), by ISO code ("US") or in a common short form ("USA", "UK").
// Matches come best first: the city's name equal to the query before a name
// that begins with it before a word inside the name, then the qualifiers
// equal before begun, then the larger population.
//
// Atlas loads every city once when it is built (about 0.1 s) and is then
// read-only; the caller owns it and may share it between searches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

struct Place {
  std::string name;         // "São Paulo"
  std::string state;        // first-level division, may be empty
  std::string country;      // "Brazil"
  std::string countryCode;  // ISO 3166 alpha-2, "BR"
  std::string timeZone;     // tz database name, "America/Sao_Paulo"
  double latitudeDeg = 0;   // north positive
  double longitudeDeg = 0;  // east positive
  std::uint32_t population = 0;
};

// Longest query accepted, in bytes of UTF-8: the longest place written in
// full ("City, State, Country") stays well below it.
inline constexpr std::size_t kMaxPlaceQueryBytes = 200;

// How many matches a search returns unless the caller asks for another number.
inline constexpr std::size_t kDefaultPlaceMatches = 10;

struct PlaceSearch {
  std::vector<Place> matches;  // best first; empty when refused or nothing matched
  // How well each match fits, beside it: smaller is better, equal values
  // are equally good matches of the query's words.
  std::vector<int> quality;
  // Set when the query itself was refused (empty, too long, not UTF-8) or
  // nothing matched; a message for the user.
  std::optional<std::string> message;
  bool refused = false;  // the query was refused before any search
};

class Atlas {
 public:
  Atlas();  // loads the whole atlas

  std::size_t size() const { return entries_.size(); }

  // At most `limit` places matching `query`, best first.
  PlaceSearch Search(std::string_view query, std::size_t limit = kDefaultPlaceMatches) const;

  // The place written exactly as Describe gives it (as a completer offers
  // it), or no value.
  std::optional<Place> FindDescribed(std::string_view description) const;

 private:
  struct Entry {
    Place place;
    std::string foldedName, foldedState, foldedCountry, foldedCode;
  };
  std::vector<Entry> entries_;
};

// A place is ambiguous when the first two matches fit equally well and
// the first has less than this many times the second's people: "Portland"
// (Oregon 652,503, Maine 66,881) is, "Madrid" (Spain 3,255,944, Colombia
// 50,437) is not.
inline constexpr std::uint32_t kClearPopulationRatio = 20;

// True when the search's best match is not clearly the place meant.
bool IsAmbiguous(const PlaceSearch& search);

// "Madrid, Madrid, Spain": name, state (when there is one) and country.
std::string Describe(const Place& place);

// Lower-case ASCII without accents, punctuation run into single blanks
// ("São Paulo" and "sao-paulo" both give "sao paulo"); no value for text
// that is not UTF-8.
std::optional<std::string> FoldPlaceText(std::string_view text);

}  // namespace orvanta
