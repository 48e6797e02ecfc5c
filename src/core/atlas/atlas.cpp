#include "atlas/atlas.h"

#include <fcntl.h>
#include <geonames.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <tuple>
#include <unordered_map>

#include "model/coordinate_text.h"
#include "tz/zone_resolution.h"

// Where the generated index lies: relative to the program's folder as
// installed, and the build's own copy (for programs run from the build).
#ifndef ORVANTA_ATLAS_FROM_BIN
#error "ORVANTA_ATLAS_FROM_BIN must be defined by the build"
#endif
#ifndef ORVANTA_BUILD_ATLAS_INDEX
#error "ORVANTA_BUILD_ATLAS_INDEX must be defined by the build"
#endif

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

// Separators inside the index: fields, list items, and a display name from
// its folded form. None occurs in a place name.
constexpr char kField = '\t';
constexpr char kItem = '\x1e';
constexpr char kPair = '\x1f';

// The index's fields, in the order of a line; the first kOtherNames are
// Atlas::Entry::fields.
enum IndexField : std::size_t {
  kName,
  kState,
  kCountry,
  kCode,
  kZone,
  kLatitude,
  kLongitude,
  kPopulation,
  kFoldedName,
  kFoldedState,
  kFoldedCountry,
  kFoldedCode,
  kOtherNames,  // display kPair folded, joined by kItem
  kFieldCount
};

// A line that begins with this gives the other names of a country or of a
// state (kind 'C' or 'S', country code, folded state, folded names joined
// by kItem), which all its cities share.
constexpr char kRegionLine = '=';

// A line that begins with this gives a folded name and the cities that
// carry it; these lines come last, sorted by name.
constexpr char kNameLine = '\x1d';

// The index's table of contents (second line) and offset tables (at its
// end) write each number in this many decimal digits, zero-padded, so that
// the n-th offset lies at a known place and the contents have a known
// length: cities, regions, names, cities with other names, and where the
// row, region and name offset tables begin.
constexpr std::size_t kOffsetDigits = 10;
constexpr std::size_t kContentsCount = 7;
constexpr std::size_t kContentsBytes = kContentsCount * (kOffsetDigits + 1);

std::string Fixed(std::size_t n) {
  std::string digits = std::to_string(n);
  return std::string(kOffsetDigits - std::min(kOffsetDigits, digits.size()), '0') + digits;
}

// The number written at `at` in kOffsetDigits digits, or no value.
std::optional<std::size_t> FixedAt(std::string_view all, std::size_t at) {
  if (at > all.size() || all.size() - at < kOffsetDigits) return std::nullopt;
  std::size_t n = 0;
  const char* first = all.data() + at;
  const auto r = std::from_chars(first, first + kOffsetDigits, n);
  if (r.ec != std::errc() || r.ptr != first + kOffsetDigits) return std::nullopt;
  return n;
}

std::string RegionKey(char kind, std::string_view code, std::string_view foldedState) {
  std::string key{kind};
  key += kField;
  key += code;
  key += kField;
  key += foldedState;
  return key;
}

// Marks a match by the city's own name where an other name's number goes.
constexpr std::uint32_t kOwnName = UINT32_MAX;

// Search's score of a match by another name, added to its quality: after
// the own names of the same quality, before those of the next.
constexpr int kOtherNameRank = 10;

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
// "State of Maine", "Zurich" its "Canton of Zurich"; their names in other
// languages match whole.
Quality FieldQuality(std::string_view field, std::string_view others, std::string_view query) {
  if (field.empty()) return kNoMatch;
  const Quality own = NameQuality(field, query);
  if (own == kEqual) return own;
  for (std::size_t start = 0; start < others.size();) {
    std::size_t end = others.find(kItem, start);
    if (end == std::string_view::npos) end = others.size();
    if (others.substr(start, end - start) == query) return kEqual;
    start = end + 1;
  }
  return own;
}

struct OwnedCity {
  void operator()(GeonamesCity* c) const { geonames_city_free(c); }
};

// Library text without the index's own separators and line ends.
std::string Clean(const gchar* s) {
  std::string text = s ? std::string(s) : std::string();
  for (char& c : text)
    if (c == kField || c == kItem || c == kPair || c == '\n' || c == '\r') c = ' ';
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// "St", "Ste" and "Sainte" (folded, as whole words) written as "saint":
// the atlas spells the same word every way ("St. Petersburg", "Saint
// Petersburg", "Sainte-Foy"), and a name typed one way must meet the others.
std::string SaintAsOneWord(std::string folded) {
  std::string out;
  out.reserve(folded.size() + 8);
  std::size_t start = 0;
  while (start <= folded.size()) {
    std::size_t end = folded.find(' ', start);
    if (end == std::string::npos) end = folded.size();
    const std::string_view word(folded.data() + start, end - start);
    out += word == "st" || word == "ste" || word == "sainte" ? std::string_view("saint") : word;
    if (end < folded.size()) out += ' ';
    start = end + 1;
  }
  return out;
}

// A name folded as one part: a comma inside it is part of the name.
std::string FoldName(std::string text) {
  std::replace(text.begin(), text.end(), ',', ' ');
  return SaintAsOneWord(FoldPlaceText(text).value_or(""));
}

std::string DoubleText(double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return ec == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

// "40n25 3w42" (coordinates as the program prints them, folded) in signed
// minutes of arc, north and east positive.
struct MinuteCoordinates {
  int latitude = 0;
  int longitude = 0;
  bool operator==(const MinuteCoordinates&) const = default;
};

// A folded coordinate as the program prints it: minutes of two digits,
// degrees up to 180.
std::optional<int> CoordinateMinutes(std::string_view text, char positive, char negative) {
  const std::optional<CoordinateDigits> digits = ReadCoordinateText(text, positive, negative);
  if (!digits || digits->minutes.size() != 2) return std::nullopt;
  int degrees = 0, minutes = 0;
  const std::string_view d = digits->degrees, m = digits->minutes;
  if (std::from_chars(d.data(), d.data() + d.size(), degrees).ec != std::errc() ||
      std::from_chars(m.data(), m.data() + m.size(), minutes).ec != std::errc() || minutes > 59 ||
      degrees > 180)
    return std::nullopt;
  const int total = degrees * 60 + minutes;
  return digits->positive ? total : -total;
}

std::optional<MinuteCoordinates> ParseCoordinates(std::string_view folded) {
  const std::size_t blank = folded.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const auto lat = CoordinateMinutes(folded.substr(0, blank), 'N', 'S');
  const auto lon = CoordinateMinutes(folded.substr(blank + 1), 'E', 'W');
  if (!lat || !lon) return std::nullopt;
  return MinuteCoordinates{*lat, *lon};
}

MinuteCoordinates MinutesOf(double latitudeDeg, double longitudeDeg) {
  const FormCoordinates c = CoordinatesToMinute(latitudeDeg, longitudeDeg);
  const int lat = c.latDeg * 60 + c.latMin;
  const int lon = c.lonDeg * 60 + c.lonMin;
  return {c.north ? lat : -lat, c.east ? lon : -lon};
}

std::string EscapeCommas(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ',') out += '\\';
    out += c;
  }
  return out;
}

// Splits `text` at `separator` into `parts`; the number of parts, or one
// more than `parts` holds when there are too many.
template <std::size_t N>
std::size_t SplitInto(std::string_view text, char separator,
                      std::array<std::string_view, N>& parts) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (count == N) return N + 1;
    parts[count++] = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (end == std::string_view::npos) return count;
    start = end + 1;
  }
}

std::string IndexPath() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const auto installed = program.parent_path() / ORVANTA_ATLAS_FROM_BIN;
    if (std::filesystem::is_regular_file(installed, error)) return installed.string();
  }
  return ORVANTA_BUILD_ATLAS_INDEX;
}

// Devanagari writes a nasal before a consonant of its own class either as
// the class's nasal letter with a virama or as an anusvara ("मुम्बई" and
// "मुंबई" are one word); the fold writes the anusvara.
std::string FoldDevanagariNasals(const std::string& text) {
  constexpr gunichar kVirama = 0x094D, kAnusvara = 0x0902;
  // The five classes of stops, four letters and the nasal each.
  auto classOf = [](gunichar c) -> int {
    if (c >= 0x0915 && c <= 0x0928) return static_cast<int>(c - 0x0915) / 5;
    if (c >= 0x092A && c <= 0x092E) return 4;
    return -1;
  };
  // The fifth letter of each class.
  auto isNasal = [&](gunichar c) {
    return c == 0x0919 || c == 0x091E || c == 0x0923 || c == 0x0928 || c == 0x092E;
  };
  if (text.find("\u094D") == std::string::npos) return text;
  glong count = 0;
  std::unique_ptr<gunichar, decltype(&g_free)> chars(
      g_utf8_to_ucs4_fast(text.c_str(), static_cast<glong>(text.size()), &count), &g_free);
  std::string out;
  auto append = [&](gunichar c) {
    std::array<char, 8> utf8{};
    out.append(utf8.data(), static_cast<std::size_t>(g_unichar_to_utf8(c, utf8.data())));
  };
  for (glong i = 0; i < count; ++i) {
    const gunichar c = chars.get()[i];
    if (isNasal(c) && i + 2 < count && chars.get()[i + 1] == kVirama &&
        classOf(chars.get()[i + 2]) == classOf(c)) {
      append(kAnusvara);
      ++i;  // the virama
    } else {
      append(c);
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> FoldPlaceText(std::string_view text) {
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return std::nullopt;
  // Embedded NULs pass the UTF-8 check; the transliteration stops at them.
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  std::string folded;
  folded.reserve(text.size());
  bool blank = false;
  bool afterLatin = true;  // the last letter written has a Latin spelling
  auto write = [&](std::string_view piece) {
    if (blank && !folded.empty() && folded.back() != ',') folded += ' ';
    blank = false;
    folded += piece;
  };
  // Composed characters first, so that a letter and its accent are one.
  std::unique_ptr<gchar, decltype(&g_free)> composed(
      g_utf8_normalize(text.data(), static_cast<gssize>(text.size()), G_NORMALIZE_NFC), &g_free);
  if (!composed) return std::nullopt;
  for (const char* p = composed.get(); *p;) {
    const char* next = g_utf8_next_char(p);
    const auto byte = static_cast<unsigned char>(*p);
    if (byte < 0x80) {
      if (g_ascii_isalnum(*p)) {
        const char lower = g_ascii_tolower(*p);
        write(std::string_view(&lower, 1));
        afterLatin = true;
      } else if (*p == ',') {
        folded += ',';
        blank = false;
      } else {
        blank = true;
      }
      p = next;
      continue;
    }
    const gunichar c = g_utf8_get_char(p);
    const std::string one(p, next);
    if (g_unichar_ismark(c)) {
      // An accent on a Latin letter goes; a vowel sign of another script
      // is part of its letter.
      if (!afterLatin && !blank) folded += one;
    } else if (g_unichar_isalnum(c)) {
      std::unique_ptr<gchar, decltype(&g_free)> ascii(g_str_to_ascii(one.c_str(), "C"), &g_free);
      const std::string_view latin = ascii ? std::string_view(ascii.get()) : std::string_view();
      const bool spelled = !latin.empty() && std::all_of(latin.begin(), latin.end(),
                                                         [](char a) { return g_ascii_isalnum(a); });
      if (spelled) {
        std::string lower(latin);
        for (char& a : lower) a = g_ascii_tolower(a);
        write(lower);
        afterLatin = true;
      } else {
        std::unique_ptr<gchar, decltype(&g_free)> fold(
            g_utf8_casefold(one.data(), static_cast<gssize>(one.size())), &g_free);
        write(fold ? std::string_view(fold.get()) : std::string_view(one));
        afterLatin = false;
      }
    } else {
      blank = true;
    }
    p = next;
  }
  return FoldDevanagariNasals(folded);
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

std::string DescribeMatch(const Place& place) {
  if (place.matchedName.empty()) return Describe(place);
  return place.matchedName + " \u2192 " + Describe(place);
}

// ---------------------------------------------------------------------------
// The index builder.

struct AtlasIndexBuilder::City {
  std::vector<std::string> fields;  // kName .. kFoldedCode
  struct OtherName {
    std::string display, folded;
    int languages = 0;  // how many catalogues give it
  };
  std::vector<OtherName> otherNames;
};

AtlasIndexBuilder::AtlasIndexBuilder() = default;
AtlasIndexBuilder::~AtlasIndexBuilder() = default;

namespace {

bool HasUpperCase(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return g_ascii_isupper(c); });
}

}  // namespace

void AtlasIndexBuilder::AddPass() {
  // Most names repeat from language to language and from city to city
  // (states, countries): each distinct text is folded once.
  auto fold = [&](const std::string& text) -> const std::string& {
    auto it = folds_.find(text);
    if (it == folds_.end()) it = folds_.emplace(text, FoldName(text)).first;
    return it->second;
  };
  const gint count = geonames_get_n_cities();
  const bool first = cities_.empty();
  for (gint i = 0; i < count; ++i) {
    std::unique_ptr<GeonamesCity, OwnedCity> city(geonames_get_city(i));
    if (first) cities_.emplace_back();
    if (!city || static_cast<std::size_t>(i) >= cities_.size()) continue;
    City& c = cities_[static_cast<std::size_t>(i)];
    const std::string name = Clean(geonames_city_get_name(city.get()));
    const std::string state = Clean(geonames_city_get_state(city.get()));
    const std::string country = Clean(geonames_city_get_country(city.get()));
    if (c.fields.empty()) {
      const std::string code = Clean(geonames_city_get_country_code(city.get()));
      c.fields = {name,
                  state,
                  country,
                  code,
                  Clean(geonames_city_get_timezone(city.get())),
                  DoubleText(geonames_city_get_latitude(city.get())),
                  DoubleText(geonames_city_get_longitude(city.get())),
                  std::to_string(geonames_city_get_population(city.get())),
                  fold(name),
                  fold(state),
                  fold(country),
                  fold(code)};
      continue;
    }
    const std::string& folded = fold(name);
    if (!folded.empty() && folded != c.fields[kFoldedName]) {
      auto other = std::find_if(c.otherNames.begin(), c.otherNames.end(),
                                [&](const City::OtherName& o) { return o.folded == folded; });
      if (other == c.otherNames.end()) {
        c.otherNames.push_back({name, folded, 1});
      } else {
        ++other->languages;
        // "Poona" rather than a catalogue's "poona".
        if (!HasUpperCase(other->display) && HasUpperCase(name)) other->display = name;
      }
    }
    if (!state.empty() && fold(state) != c.fields[kFoldedState])
      regions_[RegionKey('S', c.fields[kCode], c.fields[kFoldedState])].insert(fold(state));
    if (!country.empty() && fold(country) != c.fields[kFoldedCountry])
      regions_[RegionKey('C', c.fields[kCode], "")].insert(fold(country));
  }
}

std::string AtlasIndexBuilder::Text() const {
  // The lines first, with where each begins; the header and the table of
  // contents (of fixed length) go before them, the offset tables after.
  std::string body;
  std::vector<std::size_t> rowAt, regionAt, nameAt;
  // Every folded name with the cities that carry it ("row" for a city's
  // own name, "row:k" for its k-th other name), sorted for lookups.
  std::map<std::string, std::string> table;
  auto refer = [&](const std::string& folded, const std::string& ref) {
    std::string& refs = table[folded];
    if (!refs.empty()) refs += ' ';
    refs += ref;
  };
  std::size_t withOtherNames = 0;
  for (const City& c : cities_) {
    if (c.fields.empty()) continue;
    const std::size_t row = rowAt.size();
    rowAt.push_back(body.size());
    for (const std::string& f : c.fields) body += f + kField;
    refer(c.fields[kFoldedName], std::to_string(row));
    for (std::size_t k = 0; k < c.otherNames.size(); ++k) {
      const City::OtherName& o = c.otherNames[k];
      if (k > 0) body += kItem;
      body += o.display + kPair + o.folded + kPair + std::to_string(o.languages);
      refer(o.folded, std::to_string(row) + ':' + std::to_string(k));
    }
    if (!c.otherNames.empty()) ++withOtherNames;
    body += '\n';
  }
  for (const auto& [key, names] : regions_) {
    regionAt.push_back(body.size());
    body += kRegionLine;
    body += kField;
    body += key;
    body += kField;
    for (auto it = names.begin(); it != names.end(); ++it) {
      if (it != names.begin()) body += kItem;
      body += *it;
    }
    body += '\n';
  }
  for (const auto& [folded, refs] : table) {
    nameAt.push_back(body.size());
    body += kNameLine;
    body += kField + folded + kField + refs + '\n';
  }
  const std::size_t bodyAt = kAtlasIndexHeader.size() + 1 + kContentsBytes;
  auto tableBytes = [](const std::vector<std::size_t>& t) { return t.size() * kOffsetDigits + 1; };
  const std::size_t rowTableAt = bodyAt + body.size();
  const std::size_t regionTableAt = rowTableAt + tableBytes(rowAt);
  const std::size_t nameTableAt = regionTableAt + tableBytes(regionAt);
  std::string text(kAtlasIndexHeader);
  text += '\n';
  for (const std::size_t n : {rowAt.size(), regionAt.size(), nameAt.size(), withOtherNames,
                              rowTableAt, regionTableAt, nameTableAt}) {
    text += Fixed(n);
    text += ' ';
  }
  text.back() = '\n';
  text += body;
  for (const auto* t : {&rowAt, &regionAt, &nameAt}) {
    for (const std::size_t at : *t) text += Fixed(bodyAt + at);
    text += '\n';
  }
  return text;
}

// ---------------------------------------------------------------------------
// The atlas.

struct Atlas::Index {
  Index() = default;
  Index(const Index&) = delete;
  Index& operator=(const Index&) = delete;
  ~Index() {
    if (mapped != nullptr) ::munmap(mapped, mappedBytes);
  }

  // The n-th line of a table that begins at `tableAt`, without its line
  // end; empty when the table points outside the file.
  std::string_view Line(std::size_t tableAt, std::size_t n) const {
    const auto at = FixedAt(all, tableAt + n * kOffsetDigits);
    if (!at || *at >= all.size()) return {};
    const std::size_t end = all.find('\n', *at);
    return all.substr(*at, end == std::string_view::npos ? end : end - *at);
  }
  // The n-th city's line: it ends where the next begins, so that its long
  // list of other names is not searched for the line's end.
  std::string_view CityLine(std::size_t n) const {
    const auto at = FixedAt(all, rowTableAt + n * kOffsetDigits);
    const auto next =
        n + 1 < cities ? FixedAt(all, rowTableAt + (n + 1) * kOffsetDigits) : std::nullopt;
    if (at && next && *at < *next && *next <= all.size() && all[*next - 1] == '\n')
      return all.substr(*at, *next - 1 - *at);
    return Line(rowTableAt, n);
  }
  // A region or name line's key: the text between its kind mark and its
  // last field.
  static std::string_view Key(std::string_view line) {
    const std::size_t last = line.rfind(kField);
    return line.size() < 2 || last == std::string_view::npos || last < 2 ? std::string_view()
                                                                         : line.substr(2, last - 2);
  }
  // The first line of a sorted table whose key is not below `key`.
  std::size_t LowerBound(std::size_t tableAt, std::size_t count, std::string_view key) const {
    std::size_t low = 0, high = count;
    while (low < high) {
      const std::size_t mid = low + (high - low) / 2;
      if (Key(Line(tableAt, mid)) < key) {
        low = mid + 1;
      } else {
        high = mid;
      }
    }
    return low;
  }

  std::string owned;            // the text, when it was given rather than mapped
  void* mapped = nullptr;       // the mapped file, when it was mapped
  std::size_t mappedBytes = 0;  // its length
  std::string_view all;         // the whole index, in one or the other
  std::size_t cities = 0, regions = 0, names = 0, withOtherNames = 0;
  std::size_t rowTableAt = 0, regionTableAt = 0, nameTableAt = 0;

  // Every city, parsed when a search first needs them all.
  mutable std::once_flag parsedOnce;
  mutable std::vector<Entry> entries;
};

namespace {

// The index file mapped into memory, or no value. A mapping refused for
// want of memory (a process limit such as ulimit -v) is memory running
// out, reported as such (std::bad_alloc): it must not send the atlas to
// the library's cities instead, whose allocator aborts the program when
// memory runs out.
std::optional<std::pair<void*, std::size_t>> MapFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOMEM) throw std::bad_alloc();
    return std::nullopt;
  }
  struct stat info {};
  void* mapped = MAP_FAILED;
  int error = 0;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    mapped = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped == MAP_FAILED) error = errno;
  }
  ::close(fd);
  if (error == ENOMEM) throw std::bad_alloc();
  if (mapped == MAP_FAILED) return std::nullopt;
  return std::pair{mapped, static_cast<std::size_t>(info.st_size)};
}

}  // namespace

Atlas::Atlas() {
  auto index = std::make_shared<Index>();
  if (const auto file = MapFile(IndexPath())) {
    index->mapped = file->first;
    index->mappedBytes = file->second;
    index->all = std::string_view(static_cast<const char*>(file->first), file->second);
  }
  std::optional<Atlas> loaded = FromIndex(std::move(index));
  if (!loaded) {
    AtlasIndexBuilder builder;
    builder.AddPass();
    loaded = FromIndex(builder.Text());
  }
  if (loaded) *this = std::move(*loaded);
}

std::optional<Atlas> Atlas::FromIndex(std::string text) {
  auto index = std::make_shared<Index>();
  index->owned = std::move(text);
  index->all = index->owned;
  return FromIndex(std::move(index));
}

std::optional<Atlas> Atlas::FromIndex(std::shared_ptr<Index> index) {
  const std::string_view all = index->all;
  const std::size_t contentsAt = kAtlasIndexHeader.size() + 1;
  if (!StartsWith(all, kAtlasIndexHeader) || all.size() < contentsAt + kContentsBytes ||
      all[kAtlasIndexHeader.size()] != '\n' || all[contentsAt + kContentsBytes - 1] != '\n')
    return std::nullopt;
  std::array<std::size_t, kContentsCount> n{};
  for (std::size_t k = 0; k < n.size(); ++k) {
    const auto value = FixedAt(all, contentsAt + k * (kOffsetDigits + 1));
    if (!value) return std::nullopt;
    n[k] = *value;
  }
  index->cities = n[0];
  index->regions = n[1];
  index->names = n[2];
  index->withOtherNames = n[3];
  index->rowTableAt = n[4];
  index->regionTableAt = n[5];
  index->nameTableAt = n[6];
  // Each table lies whole inside the file and ends its line.
  auto tableFits = [&](std::size_t at, std::size_t count) {
    return at <= all.size() && count <= (all.size() - at) / kOffsetDigits &&
           at + count * kOffsetDigits < all.size() && all[at + count * kOffsetDigits] == '\n';
  };
  if (!tableFits(index->rowTableAt, index->cities) ||
      !tableFits(index->regionTableAt, index->regions) ||
      !tableFits(index->nameTableAt, index->names) || index->cities >= UINT32_MAX)
    return std::nullopt;
  Atlas atlas{Empty{}};
  atlas.index_ = std::move(index);
  return atlas;
}

std::size_t Atlas::size() const {
  return index_ ? index_->cities : 0;
}

bool Atlas::hasOtherNames() const {
  return index_ && index_->withOtherNames > 0;
}

Atlas::Entry Atlas::EntryAt(std::size_t row) const {
  Entry e;
  if (row >= size()) return e;
  // The fields before the other names, which are the rest of the line.
  std::array<std::string_view, kFieldCount> f;
  std::string_view rest = index_->CityLine(row);
  for (std::size_t k = 0; k < kOtherNames; ++k) {
    const std::size_t tab = rest.find(kField);
    if (tab == std::string_view::npos) return e;
    f[k] = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
  }
  f[kOtherNames] = rest;
  std::copy_n(f.begin(), e.fields.size(), e.fields.begin());
  // A number the file does not hold reads as zero.
  std::from_chars(f[kLatitude].data(), f[kLatitude].data() + f[kLatitude].size(), e.latitudeDeg);
  std::from_chars(f[kLongitude].data(), f[kLongitude].data() + f[kLongitude].size(),
                  e.longitudeDeg);
  std::from_chars(f[kPopulation].data(), f[kPopulation].data() + f[kPopulation].size(),
                  e.population);
  e.otherNames = f[kOtherNames];
  return e;
}

const std::vector<Atlas::Entry>& Atlas::AllEntries() const {
  static const std::vector<Entry> none;
  if (!index_) return none;
  std::call_once(index_->parsedOnce, [this] {
    index_->entries.reserve(size());
    for (std::size_t row = 0; row < size(); ++row) index_->entries.push_back(EntryAt(row));
  });
  return index_->entries;
}

std::string_view Atlas::RegionNames(char kind, std::string_view code,
                                    std::string_view foldedState) const {
  if (!index_) return {};
  const std::string key = RegionKey(kind, code, foldedState);
  const std::size_t at = index_->LowerBound(index_->regionTableAt, index_->regions, key);
  if (at == index_->regions) return {};
  const std::string_view line = index_->Line(index_->regionTableAt, at);
  if (Index::Key(line) != key) return {};
  return line.substr(line.rfind(kField) + 1);
}

Place Atlas::PlaceOf(std::size_t index, std::string_view matchedName) const {
  return PlaceOf(EntryAt(index), index, matchedName);
}

Place Atlas::PlaceOf(const Entry& e, std::size_t index, std::string_view matchedName) const {
  Place p;
  p.name = e.fields[kName];
  p.state = e.fields[kState];
  p.country = e.fields[kCountry];
  p.countryCode = e.fields[kCode];
  p.timeZone = e.fields[kZone];
  p.latitudeDeg = e.latitudeDeg;
  p.longitudeDeg = e.longitudeDeg;
  p.population = e.population;
  p.matchedName = matchedName;
  p.id = static_cast<std::uint32_t>(index + 1);
  return p;
}

// A query split at its commas ("\\," is a comma inside a name), each part
// folded; coordinates after the city are taken apart.
struct ParsedPlaceQuery {
  std::vector<std::string> parts;  // city, then state and/or country
  // The city as written, accents kept and case folded (CaseFoldedName).
  std::string cityAsWritten;
  std::optional<MinuteCoordinates> coordinates;
  std::optional<std::string> refusal;
};

namespace {

// A name with its accents kept, for the exact-name rule: blanks around it
// and between words reduced to one, ASCII and the Latin-1 capitals (À..Þ)
// in lower case. "Löhne" stays "löhne", apart from "lohne".
std::string CaseFoldedName(std::string_view text) {
  std::string out;
  bool blank = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ' ' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xC3 && i + 1 < text.size()) {
      // U+00C0..U+00DE but U+00D7 (the multiplication sign): their small
      // letters lie 0x20 above.
      const unsigned char next = static_cast<unsigned char>(text[i + 1]);
      out += static_cast<char>(c);
      out += static_cast<char>(next >= 0x80 && next <= 0x9E && next != 0x97 ? next + 0x20 : next);
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

ParsedPlaceQuery ParseQuery(std::string_view query, bool blankPartsAllowed) {
  ParsedPlaceQuery q;
  // Characters, not bytes: "é" is one (the bytes that continue a UTF-8
  // sequence are not counted; the query's UTF-8 is checked below).
  const auto characters = std::count_if(query.begin(), query.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  if (static_cast<std::size_t>(characters) > kMaxPlaceQueryCharacters) {
    q.refusal = "The place name is too long (at most " + std::to_string(kMaxPlaceQueryCharacters) +
                " characters).";
    return q;
  }
  // A NUL is valid UTF-8 but no text a place is written with.
  if (query.find('\0') != std::string_view::npos) {
    q.refusal = "The place name contains a NUL character.";
    return q;
  }
  std::vector<std::string> raw(1);
  for (std::size_t i = 0; i < query.size(); ++i) {
    if (query[i] == '\\' && i + 1 < query.size() && query[i + 1] == ',') {
      raw.back() += ' ';
      ++i;
    } else if (query[i] == ',') {
      raw.emplace_back();
    } else {
      raw.back() += query[i];
    }
  }
  bool blank = false;
  for (const std::string& text : raw) {
    auto folded = FoldPlaceText(text);
    if (!folded) {
      q.refusal = "The place name is not valid text (UTF-8).";
      return q;
    }
    if (folded->empty()) {
      blank = true;
      continue;
    }
    if (!q.parts.empty() && !q.coordinates) {
      if (const auto c = ParseCoordinates(*folded)) {
        q.coordinates = c;
        continue;
      }
    }
    if (q.parts.empty()) q.cityAsWritten = CaseFoldedName(text);
    q.parts.push_back(SaintAsOneWord(std::move(*folded)));
  }
  if (q.parts.empty()) {
    q.refusal = "Type a place: \"City\", \"City, Country\" or \"City, State, Country\".";
  } else if (q.parts.size() > 3) {
    q.refusal =
        "A place has at most three parts: \"City, State, Country\" (write a comma inside a name "
        "as \\\\,).";
  } else if (blank && !blankPartsAllowed) {
    // A blank part is a slip (", India"): refused rather than left out.
    q.refusal = "The place \"" + std::string(query) +
                "\" has an empty part: write \"City\", \"City, Country\" or \"City, State, "
                "Country\".";
  }
  return q;
}

}  // namespace

PlaceSearch Atlas::Search(std::string_view query, std::size_t limit) const {
  return SearchParsed(ParseQuery(query, true), query, limit);
}

int Atlas::CountryQuality(const Entry& e, std::string_view folded) const {
  // The country named by a common short form, if any.
  auto aliasCode = [](std::string_view text) -> std::string_view {
    for (const CountryAlias& a : kCountryAliases)
      if (a.folded == text) return a.code;
    return {};
  };
  if (folded == e.fields[kFoldedCode] || aliasCode(folded) == e.fields[kFoldedCode]) return kEqual;
  if (e.fields[kFoldedCountry].empty()) return kNoMatch;
  if (NameQuality(e.fields[kFoldedCountry], folded) == kEqual) return kEqual;
  return FieldQuality(e.fields[kFoldedCountry], RegionNames('C', e.fields[kCode], ""), folded);
}

int Atlas::QualifierScore(const Entry& e, const ParsedPlaceQuery& q) const {
  auto stateQuality = [&](std::string_view text) -> int {
    if (e.fields[kFoldedState].empty()) return kNoMatch;
    if (NameQuality(e.fields[kFoldedState], text) == kEqual) return kEqual;
    return FieldQuality(e.fields[kFoldedState],
                        RegionNames('S', e.fields[kCode], e.fields[kFoldedState]), text);
  };
  if (q.coordinates && MinutesOf(e.latitudeDeg, e.longitudeDeg) != *q.coordinates) return kNoMatch;
  if (q.parts.size() == 2) {
    // "City, Country" or "City, State": whichever fits better.
    return std::min(CountryQuality(e, q.parts[1]), stateQuality(q.parts[1]));
  }
  if (q.parts.size() == 3) {
    const int both = stateQuality(q.parts[1]) + CountryQuality(e, q.parts[2]);
    return both >= kNoMatch ? kNoMatch : both;
  }
  return 0;
}

Atlas::OtherNameView Atlas::OtherName(const Entry& e, std::uint32_t k) const {
  const std::string_view all = e.otherNames;
  std::size_t at = 0;
  for (std::uint32_t skip = 0; skip < k && at != std::string_view::npos; ++skip) {
    at = all.find(kItem, at);
    if (at != std::string_view::npos) ++at;
  }
  if (at == std::string_view::npos || at >= all.size()) return {};
  const std::string_view item = all.substr(at, all.find(kItem, at) - at);
  std::array<std::string_view, 3> parts;
  if (SplitInto(item, kPair, parts) != 3) return {};
  OtherNameView view;
  view.display = parts[0];
  std::from_chars(parts[2].data(), parts[2].data() + parts[2].size(), view.languages);
  return view;
}

template <typename Visit>
void Atlas::ForEachReference(std::string_view refs, Visit visit) const {
  for (const std::string_view ref : Split(refs, ' ')) {
    const std::size_t colon = ref.find(':');
    std::uint32_t row = 0, k = 0;
    std::from_chars(ref.data(), ref.data() + std::min(colon, ref.size()), row);
    if (row >= size()) continue;
    if (colon == std::string_view::npos) {
      visit(row, kOwnName);
    } else {
      std::from_chars(ref.data() + colon + 1, ref.data() + ref.size(), k);
      visit(row, k);
    }
  }
}

PlaceSearch Atlas::SearchParsed(const ParsedPlaceQuery& q, std::string_view query,
                                std::size_t limit) const {
  PlaceSearch result;
  if (q.refusal) {
    result.refused = true;
    result.message = q.refusal;
    return result;
  }
  const std::string& city = q.parts[0];
  // The best quality of each city's names: its own name by whole name,
  // beginning or later word; its other names by whole name or beginning,
  // found in the sorted name table.
  struct Hit {
    int score;
    std::uint32_t population;
    std::uint32_t row;
    std::uint32_t name;  // the other name that matched, or kOwnName
    int folded = 0;      // 1 unless the name is written as typed, accents and all
  };
  const std::vector<Entry>& entries = AllEntries();
  // Among equal matches a name written exactly as typed with its accents
  // comes first ("Löhne" before Lohne), as Resolve takes it.
  const bool accentsTyped =
      std::any_of(q.cityAsWritten.begin(), q.cityAsWritten.end(),
                  [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
  std::vector<Hit> best(entries.size(), Hit{kNoMatch, 0, 0, kOwnName, 0});
  for (std::uint32_t row = 0; row < entries.size(); ++row)
    best[row] = {NameQuality(entries[row].fields[kFoldedName], city), 0, row, kOwnName, 0};
  if (index_) {
    const Index& x = *index_;
    for (std::size_t n = x.LowerBound(x.nameTableAt, x.names, city); n < x.names; ++n) {
      const std::string_view line = x.Line(x.nameTableAt, n);
      const std::string_view name = Index::Key(line);
      if (!StartsWith(name, city)) break;
      const int quality = name == city ? kEqual : kBegins;
      ForEachReference(line.substr(line.rfind(kField) + 1),
                       [&](std::uint32_t row, std::uint32_t other) {
                         if (other != kOwnName && quality < best[row].score)
                           best[row] = {quality, 0, row, other, 0};
                       });
    }
  }
  std::vector<Hit> hits;
  for (Hit& h : best) {
    if (h.score == kNoMatch) continue;
    const Entry& e = entries[h.row];
    const int qualifiers = QualifierScore(e, q);
    if (qualifiers >= kNoMatch) continue;
    // Another name ranks after the own names that match as well.
    const int otherName = h.name == kOwnName ? 0 : kOtherNameRank;
    int folded = 0;
    if (accentsTyped) {
      const std::string_view name =
          h.name == kOwnName ? std::string_view(e.fields[kName]) : OtherName(e, h.name).display;
      folded = CaseFoldedName(name) == q.cityAsWritten ? 0 : 1;
    }
    hits.push_back({h.score * 20 + otherName + qualifiers, e.population, h.row, h.name, folded});
  }
  const std::size_t keep = std::min(limit, hits.size());
  std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(keep), hits.end(),
                    [](const Hit& a, const Hit& b) {
                      return std::tie(a.score, a.folded, b.population, a.row) <
                             std::tie(b.score, b.folded, a.population, b.row);
                    });
  for (std::size_t k = 0; k < keep; ++k) {
    const Hit& h = hits[k];
    const Entry& e = entries[h.row];
    result.matches.push_back(
        PlaceOf(e, h.row, h.name == kOwnName ? std::string_view() : OtherName(e, h.name).display));
    result.quality.push_back(h.score);
  }
  if (result.matches.empty()) {
    result.message = "No place in the atlas matches \"" + std::string(query) + "\".";
  }
  return result;
}

namespace {

// "#1234": a city by its row number as the program prints it.
std::optional<std::uint32_t> RowNumber(std::string_view query) {
  while (!query.empty() && query.front() == ' ') query.remove_prefix(1);
  while (!query.empty() && query.back() == ' ') query.remove_suffix(1);
  if (query.size() < 2 || query.front() != '#') return std::nullopt;
  std::uint32_t id = 0;
  const auto r = std::from_chars(query.data() + 1, query.data() + query.size(), id);
  if (r.ec != std::errc() || r.ptr != query.data() + query.size() || id == 0) return std::nullopt;
  return id;
}

// "Pune (Poona), Maharashtra, India" for a suggestion.
std::string SuggestionText(const Place& p) {
  std::string text = p.name;
  if (!p.matchedName.empty()) text += " (" + p.matchedName + ")";
  if (!p.state.empty()) text += ", " + p.state;
  return text + ", " + p.country;
}

}  // namespace

PlaceResolution Atlas::Resolve(std::string_view query) const {
  return Resolve(query, true);
}

PlaceResolution Atlas::Resolve(std::string_view query, bool explain) const {
  PlaceResolution r;
  if (const auto id = RowNumber(query)) {
    if (*id <= size()) {
      r.outcome = PlaceOutcome::Found;
      r.place = At(*id - 1);
      // Shown as "#1 \u2192 Escaldes-Engordany, ...": a number names no city,
      // so the line says which one it took.
      r.place->matchedName = "#" + std::to_string(*id);
    } else {
      r.message = "No place in the atlas has the number " + std::to_string(*id) + ".";
    }
    return r;
  }
  const ParsedPlaceQuery q = ParseQuery(query, false);
  if (q.refusal) {
    r.outcome = PlaceOutcome::Refused;
    r.message = *q.refusal;
    return r;
  }
  // The cities whose own name or another name is the whole query's city.
  struct Candidate {
    Entry entry;
    std::uint32_t row;
    std::uint32_t name;
    int qualifiers;
    std::uint32_t strength;  // its own name above all, else how many languages give the name
  };
  std::vector<Candidate> candidates;
  if (index_) {
    const Index& x = *index_;
    // The name table holds each folded name once.
    const std::size_t n = x.LowerBound(x.nameTableAt, x.names, q.parts[0]);
    const std::string_view line = n < x.names ? x.Line(x.nameTableAt, n) : std::string_view();
    if (Index::Key(line) == q.parts[0]) {
      ForEachReference(line.substr(line.rfind(kField) + 1), [&](std::uint32_t row,
                                                                std::uint32_t name) {
        Entry e = EntryAt(row);
        const int qualifiers = QualifierScore(e, q);
        if (qualifiers >= kNoMatch) return;
        const std::uint32_t strength = name == kOwnName ? UINT32_MAX : OtherName(e, name).languages;
        candidates.push_back({e, row, name, qualifiers, strength});
      });
    }
  }
  // An exact name wins: "Löhne" typed with its umlaut is Löhne, not a
  // choice between Löhne and Lohne; the names that match only once accents
  // are folded count where no name is written exactly as typed. A name
  // typed in plain ASCII says nothing of accents (the keyboard may have
  // none): "Pekin" stays a choice between Pekin, Illinois and Beijing
  // (Pékin), "Lohne" between Lohne and Löhne.
  const bool accentsTyped =
      std::any_of(q.cityAsWritten.begin(), q.cityAsWritten.end(),
                  [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
  auto writtenAsTyped = [&](const Candidate& c) {
    const std::string_view name = c.name == kOwnName ? std::string_view(c.entry.fields[kName])
                                                     : OtherName(c.entry, c.name).display;
    return CaseFoldedName(name) == q.cityAsWritten;
  };
  if (accentsTyped && std::any_of(candidates.begin(), candidates.end(), writtenAsTyped)) {
    std::erase_if(candidates, [&](const Candidate& c) { return !writtenAsTyped(c); });
  }
  if (candidates.empty()) {
    r.outcome = PlaceOutcome::NotFound;
    r.message = "No place in the atlas matches \"" + std::string(query) + "\".";
    if (!explain) return r;
    const PlaceSearch suggestions = SearchParsed(q, query, 3);
    for (std::size_t i = 0; i < suggestions.matches.size(); ++i) {
      r.message += i == 0 ? " Did you mean " : i + 1 == suggestions.matches.size() ? " or " : ", ";
      r.message += SuggestionText(suggestions.matches[i]);
      r.candidates.push_back(suggestions.matches[i]);
    }
    if (!suggestions.matches.empty()) r.message += "?";
    return r;
  }
  // The best qualifiers, then the city that carries the name most, then
  // the larger population.
  std::sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
    return std::make_tuple(a.qualifiers, b.strength, b.entry.population, a.row) <
           std::make_tuple(b.qualifiers, a.strength, a.entry.population, b.row);
  });
  std::size_t tied = 1;
  while (tied < candidates.size() && candidates[tied].qualifiers == candidates[0].qualifiers &&
         candidates[tied].strength == candidates[0].strength)
    ++tied;
  // A city's own name outweighs another city's other name only on one
  // clock: "Pekin" is a town in Illinois and, in French, Beijing.
  if (candidates[0].name == kOwnName) {
    std::size_t same = tied;
    while (same < candidates.size() && candidates[same].qualifiers == candidates[0].qualifiers)
      ++same;
    for (std::size_t k = tied; k < same; ++k) {
      if (candidates[k].entry.fields[kZone] != candidates[0].entry.fields[kZone]) {
        tied = same;
        break;
      }
    }
  }
  auto placeOf = [&](const Candidate& c) {
    return PlaceOf(c.entry, c.row,
                   c.name == kOwnName ? std::string_view() : OtherName(c.entry, c.name).display);
  };
  const Entry& first = candidates[0].entry;
  bool oneClock = true;
  for (std::size_t k = 1; k < tied; ++k)
    oneClock = oneClock && candidates[k].entry.fields[kZone] == first.fields[kZone];
  // Population never chooses for a place written in full, nor between clocks.
  const bool fullyWritten = q.parts.size() == 3 || q.coordinates.has_value();
  const bool settledByPopulation =
      tied > 1 && oneClock && !fullyWritten &&
      static_cast<std::uint64_t>(first.population) >=
          static_cast<std::uint64_t>(kClearPopulationRatio) * candidates[1].entry.population;
  if (tied == 1 || settledByPopulation) {
    r.outcome = PlaceOutcome::Found;
    r.place = placeOf(candidates[0]);
    return r;
  }
  r.outcome = PlaceOutcome::Ambiguous;
  if (!explain) return r;
  r.message = "The place \"" + std::string(query) + "\" fits " + std::to_string(tied) +
              " places; write one of these:";
  for (std::size_t k = 0; k < tied && k < kPlaceCandidatesListed; ++k) {
    const Place p = placeOf(candidates[k]);
    const FormCoordinates c = CoordinatesToMinute(p.latitudeDeg, p.longitudeDeg);
    r.message += "\n  \"" + ChoosingText(p) + "\" (" + LatitudeText(c) + " " + LongitudeText(c) +
                 ", " + p.timeZone + ", population " + std::to_string(p.population) + ")";
    r.candidates.push_back(p);
  }
  if (tied > kPlaceCandidatesListed) {
    r.message += "\n  and " + std::to_string(tied - kPlaceCandidatesListed) +
                 " more: write the state or the country as well";
  }
  return r;
}

std::string Atlas::ChoosingText(const Place& place) const {
  std::string written = EscapeCommas(place.name);
  if (!place.state.empty()) written += ", " + EscapeCommas(place.state);
  written += ", " + EscapeCommas(place.country);
  auto reaches = [&](const std::string& text) {
    const PlaceResolution r = Resolve(text, false);
    return r.outcome == PlaceOutcome::Found && r.place->id == place.id;
  };
  if (reaches(written)) return written;
  const FormCoordinates c = CoordinatesToMinute(place.latitudeDeg, place.longitudeDeg);
  written += ", " + LatitudeText(c) + " " + LongitudeText(c);
  if (reaches(written)) return written;
  // Two cities of one name, state and country at the same minute of arc.
  return "#" + std::to_string(place.id);
}

std::optional<std::string> Atlas::CountryCodeOf(std::string_view text) const {
  if (!FoldPlaceText(text)) return std::nullopt;
  const std::string folded = FoldName(std::string(text));
  if (folded.empty()) return std::nullopt;
  std::set<std::string_view> tried;
  for (const Entry& e : AllEntries()) {
    if (!tried.insert(e.fields[kCode]).second) continue;
    if (CountryQuality(e, folded) == kEqual) return std::string(e.fields[kCode]);
  }
  return std::nullopt;
}

std::optional<NearbyPlace> Atlas::Nearest(double latitudeDeg, double longitudeDeg,
                                          std::string_view countryCode) const {
  constexpr double kRadPerDeg = 3.14159265358979323846 / 180.0;
  const double lat1Rad = latitudeDeg * kRadPerDeg;
  const double lon1Rad = longitudeDeg * kRadPerDeg;
  // The haversine formula: well conditioned for the short distances that
  // decide the nearest city.
  auto centralAngleRad = [&](const Entry& e) {
    const double lat2Rad = e.latitudeDeg * kRadPerDeg;
    const double halfDLat = (lat2Rad - lat1Rad) / 2.0;
    const double halfDLon = (e.longitudeDeg * kRadPerDeg - lon1Rad) / 2.0;
    const double h =
        std::sin(halfDLat) * std::sin(halfDLat) +
        std::cos(lat1Rad) * std::cos(lat2Rad) * std::sin(halfDLon) * std::sin(halfDLon);
    return 2.0 * std::asin(std::sqrt(std::min(1.0, h)));
  };
  const std::vector<Entry>& entries = AllEntries();
  std::optional<std::size_t> best;
  double bestAngleRad = 0;
  for (std::size_t row = 0; row < entries.size(); ++row) {
    if (!countryCode.empty() && entries[row].fields[kCode] != countryCode) continue;
    const double angleRad = centralAngleRad(entries[row]);
    if (!best || angleRad < bestAngleRad) {
      best = row;
      bestAngleRad = angleRad;
    }
  }
  if (!best) return std::nullopt;
  return NearbyPlace{PlaceOf(entries[*best], *best, {}), bestAngleRad * kEarthMeanRadiusKm};
}

std::optional<Place> Atlas::FindDescribed(std::string_view description) const {
  const PlaceSearch search = Search(description, 50);
  for (const Place& p : search.matches)
    if (Describe(p) == description) return p;
  return std::nullopt;
}

}  // namespace orvanta
