// Birth places from the offline city atlas, searched the way people write them.
//
// The atlas holds the 24,361 cities of over 15,000 people of the GeoNames
// data that Debian ships with libgeonames (CC BY 4.0), each with its state,
// country, coordinates in decimal degrees (north and east positive), the
// name of its time zone in the tz database, and the other names the
// library's translation catalogues give it in every language and script
// ("Bombay" and "मुंबई" for Mumbai, "München" for Munich).
//
// A query is "City", "City, Country", "City, State" or "City, State,
// Country", optionally followed by the coordinates as the program prints
// them ("Springfield, Missouri, 37N12 93W18"), or as "#id" with the
// city's number; a comma inside a name is written "\,". Names are compared without accents, case or
// punctuation
// ("Sao Paulo" finds "São Paulo"); a name in a script without a Latin
// spelling is compared as written, case folded. Countries may be written as
// the atlas names them ("United States of America"), by ISO code ("US"), in
// a common short form ("USA", "UK") or in another language ("Deutschland").
//
// Two uses: Resolve takes a birth place only on a whole-name match that is
// unique once the state, country and coordinates are applied (population
// settles a tie only between places on the same clock), and otherwise lists
// the candidates or suggests the places the query begins; Search offers
// matches as they are typed, best first.
//
// The index of names is generated at build time from the installed library
// (tools/atlas_index) into share/orvanta/places.index. The file is mapped,
// not read: tables of offsets at its end take a lookup straight to the
// names and cities it needs, so that one birth place is found in well under
// a millisecond after start; a search over every name parses the cities
// once. Without the file the atlas reads the library itself (about 0.1 s,
// the names in the current language only).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
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
  // Another name the query matched ("Bombay" for Mumbai); empty when the
  // atlas's own name matched.
  std::string matchedName;
  // The city's row in the atlas plus one: "#id" names it when nothing else
  // tells it from its namesakes.
  std::uint32_t id = 0;
};

// Longest query accepted, in characters (code points): the longest place
// written in full ("City, State, Country") stays well below it.
inline constexpr std::size_t kMaxPlaceQueryCharacters = 200;

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

// What a birth place query came to.
enum class PlaceOutcome {
  Found,      // one place: `place`
  Ambiguous,  // several places fit equally: `candidates`, largest first
  NotFound,   // no whole name fits: `candidates` holds suggestions, maybe none
  Refused,    // the query is malformed (empty part, too long, not UTF-8)
};

struct PlaceResolution {
  PlaceOutcome outcome = PlaceOutcome::NotFound;
  std::optional<Place> place;
  std::vector<Place> candidates;
  std::string message;  // for every outcome but Found
};

// A city near a point and how far it lies: the great-circle distance on
// a sphere of the Earth's mean radius.
struct NearbyPlace {
  Place place;
  double distanceKm = 0;
};

// The Earth's mean radius in kilometres (IUGG R1), for distances between
// places; the sphere errs by under 0.5 % against the ellipsoid.
inline constexpr double kEarthMeanRadiusKm = 6371.0088;

// How many candidates or suggestions a resolution lists at most.
inline constexpr std::size_t kPlaceCandidatesListed = 8;

// The index's first line; a file that does not begin with it is not read.
inline constexpr std::string_view kAtlasIndexHeader = "orvanta-atlas-index 2";

// Reads the cities of libgeonames in the language of the current locale
// (LANGUAGE, LC_MESSAGES) and collects their names; each pass in another
// language adds the names it gives. Text() writes the index file.
class AtlasIndexBuilder {
 public:
  AtlasIndexBuilder();
  ~AtlasIndexBuilder();
  AtlasIndexBuilder(const AtlasIndexBuilder&) = delete;
  AtlasIndexBuilder& operator=(const AtlasIndexBuilder&) = delete;

  // One pass over the library; the first pass fixes each city's own name.
  void AddPass();
  std::string Text() const;

 private:
  struct City;
  std::vector<City> cities_;
  // The other names of each country and state, by RegionKey.
  std::map<std::string, std::set<std::string>> regions_;
  std::unordered_map<std::string, std::string> folds_;  // each text folded once
};

struct ParsedPlaceQuery;

class Atlas {
 public:
  // The installed index (share/orvanta/places.index beside the program or
  // the build's copy), mapped into memory; without it the library's own
  // names.
  Atlas();
  // From the text of an index file; no value when it is not one.
  static std::optional<Atlas> FromIndex(std::string text);

  std::size_t size() const;
  // The city in row `index` (below size()), in the library's order.
  Place At(std::size_t index) const { return PlaceOf(index, {}); }
  // True when other names came with the atlas (the generated index).
  bool hasOtherNames() const;
  // Parses every city now (a few milliseconds, once), which the first
  // search, nearest city or country lookup would otherwise do.
  void Prepare() const { AllEntries(); }

  // At most `limit` places matching `query` by whole name, beginning or a
  // later word, best first.
  PlaceSearch Search(std::string_view query, std::size_t limit = kDefaultPlaceMatches) const;

  // The birth place `query` names, or why there is none.
  PlaceResolution Resolve(std::string_view query) const;

  // The place written exactly as Describe gives it (as a completer offers
  // it), or no value.
  std::optional<Place> FindDescribed(std::string_view description) const;

  // The shortest text Resolve takes to this place and no other: Describe
  // with its commas written "\,", and the coordinates when the name, state
  // and country are shared.
  std::string ChoosingText(const Place& place) const;

  // The ISO code ("IN") of the country `text` names as a whole: the atlas's
  // name, the code, a common short form or another language's name, as
  // Resolve takes a country. No value when it names none.
  std::optional<std::string> CountryCodeOf(std::string_view text) const;

  // The city nearest to a point (north and east positive, in degrees),
  // among those of the country `countryCode` when it is not empty; no value
  // when the atlas holds none there.
  std::optional<NearbyPlace> Nearest(double latitudeDeg, double longitudeDeg,
                                     std::string_view countryCode = {}) const;

 private:
  // One city: views into the index (name, state, country, code, zone, the
  // coordinates and population as written, the folded name, state, country
  // and code) and its own other names.
  struct Entry {
    std::array<std::string_view, 12> fields;
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    std::uint32_t population = 0;
    std::string_view otherNames;  // display \x1f folded \x1f languages, joined by \x1e
  };
  // The index file held in memory (mapped or read) with its tables; a city
  // is parsed when a lookup reaches it, and all of them once a search
  // needs them.
  struct Index;
  struct Empty {};
  explicit Atlas(Empty) {}
  static std::optional<Atlas> FromIndex(std::shared_ptr<Index> index);
  // Without `explain`, no suggestions or candidates' texts are made.
  PlaceResolution Resolve(std::string_view query, bool explain) const;
  // A city's k-th other name and how many catalogues give it.
  struct OtherNameView {
    std::string_view display;
    std::uint32_t languages = 0;
  };
  OtherNameView OtherName(const Entry& e, std::uint32_t k) const;
  Entry EntryAt(std::size_t row) const;
  const std::vector<Entry>& AllEntries() const;
  // The other names of a state (kind 'S') or country ('C'), folded, joined
  // by \x1e.
  std::string_view RegionNames(char kind, std::string_view code,
                               std::string_view foldedState) const;
  int CountryQuality(const Entry& e, std::string_view folded) const;
  int QualifierScore(const Entry& e, const ParsedPlaceQuery& q) const;
  template <typename Visit>
  void ForEachReference(std::string_view refs, Visit visit) const;
  PlaceSearch SearchParsed(const ParsedPlaceQuery& q, std::string_view query,
                           std::size_t limit) const;
  Place PlaceOf(std::size_t index, std::string_view matchedName) const;
  Place PlaceOf(const Entry& e, std::size_t index, std::string_view matchedName) const;

  std::shared_ptr<const Index> index_;  // null when no atlas could be read
};

// A place is ambiguous when the first two matches fit equally well and
// the first has less than this many times the second's people: "Portland"
// (Oregon 652,503, Maine 66,881) is, "Madrid" (Spain 3,255,944, Colombia
// 50,437) is not by population. Resolve applies it only between places on
// the same clock.
inline constexpr std::uint32_t kClearPopulationRatio = 20;

// True when the search's best match is not clearly the place meant.
bool IsAmbiguous(const PlaceSearch& search);

// "Madrid, Madrid, Spain": name, state (when there is one) and country.
std::string Describe(const Place& place);

// "Bombay → Mumbai, Maharashtra, India" when another name matched, else
// Describe.
std::string DescribeMatch(const Place& place);

// Lower case without accents, punctuation run into single blanks ("São
// Paulo" and "sao-paulo" both give "sao paulo"); letters of scripts without
// a Latin spelling are kept, case folded ("Москва" gives "москва"); commas
// stay. No value for text that is not UTF-8.
std::optional<std::string> FoldPlaceText(std::string_view text);

}  // namespace orvanta
