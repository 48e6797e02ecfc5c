// Place search over the offline atlas: how people write places, the order of
// the matches, and queries that must be refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>

#include "atlas/atlas.h"

namespace orvanta {
namespace {

class AtlasSearch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { atlas_ = new Atlas(); }
  static void TearDownTestSuite() {
    delete atlas_;
    atlas_ = nullptr;
  }
  static Atlas* atlas_;
};
Atlas* AtlasSearch::atlas_ = nullptr;

TEST_F(AtlasSearch, HoldsTheWholeCityList) {
  // Debian's GeoNames list of cities of over 15,000 people, with the other
  // names of the library's translation catalogues (the generated index).
  EXPECT_EQ(atlas_->size(), 24361u);
  EXPECT_TRUE(atlas_->hasOtherNames());
}

TEST(FoldPlaceText, AccentsCaseAndScripts) {
  struct Case {
    const char* text;
    const char* folded;
  };
  const Case cases[] = {
      {"São Paulo", "sao paulo"},
      {"sao-paulo", "sao paulo"},
      {"Sa\u0303o Paulo", "sao paulo"},  // decomposed tilde
      {"München", "munchen"},
      {"Straße", "strasse"},
      {"  Kolkata ,  India ", "kolkata,india"},
      {"Москва", "москва"},  // Cyrillic has no Latin spelling here: case folded
      {"МОСКВА", "москва"},
      {"मुंबई", "मुंबई"},   // vowel signs stay with their letters
      {"मुम्बई", "मुंबई"},  // a nasal of the next letter's class is an anusvara
      {"東京", "東京"},
      {"Yirga ‘Alem", "yirga alem"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FoldPlaceText(c.text).value_or("(refused)"), c.folded);
  }
}

// Whole names only, in any language and script; a prefix is a suggestion,
// a tie between clocks a question. The places and their other names are
// the GeoNames data's.
TEST_F(AtlasSearch, ResolvesWholeNamesOnly) {
  struct Case {
    const char* query;
    PlaceOutcome outcome;
    const char* name;     // Found: the place; otherwise a place the message names
    const char* state;    // Found: its state
    const char* matched;  // Found: the other name shown, "" for the atlas's own
  };
  using enum PlaceOutcome;
  const Case cases[] = {
      {"Bombay", Found, "Mumbai", "Maharashtra", "Bombay"},
      {"Madras", Found, "Chennai", "Tamil Nadu", "Madras"},
      {"Calcutta", Found, "Kolkata", "State of West Bengal", "Calcutta"},
      {"Bangalore", Found, "Bengaluru", "Karnataka", "Bangalore"},
      {"Poona", Found, "Pune", "Maharashtra", "Poona"},
      {"Thiruvananthapuram", Found, "Trivandrum", "Kerala", "Thiruvananthapuram"},
      {"München", Found, "Munich", "Bavaria", "München"},
      {"Praha", Found, "Prague", "Hlavní město Praha", "Praha"},
      {"Москва", Found, "Moscow", "Moscow", "Москва"},
      {"मुंबई", Found, "Mumbai", "Maharashtra", "मुम्बई"},
      {"Mumbai", Found, "Mumbai", "Maharashtra", ""},
      {"Kathmandu", Found, "Kathmandu", "Bagmati Province", ""},
      {"Madrid, Spain", Found, "Madrid", "Madrid", ""},
      {"Portland, Maine", Found, "Portland", "State of Maine", ""},
      {"Poona, India", Found, "Pune", "Maharashtra", "Poona"},
      {"Wien, Austria", Found, "Vienna", "Vienna", "Wien"},
      {"मुंबई, India", Found, "Mumbai", "Maharashtra", "मुम्बई"},
      {"Burgdorf\\, Hanover, Lower Saxony", Found, "Burgdorf, Hanover", "Lower Saxony", ""},
      // A name written exactly with its accents wins over the names that
      // match only with their accents folded: Löhne (Westphalia), not Lohne
      // (Lower Saxony). Plain letters say nothing of accents.
      {"Löhne, Germany", Found, "Löhne", "North Rhine-Westphalia", ""},
      {"löhne", Found, "Löhne", "North Rhine-Westphalia", ""},
      {"Lohne, Germany", Ambiguous, "Löhne", "", ""},
      {"Lohne, Germany", Ambiguous, "Lohne", "", ""},
      // Without an exact name the folded ones count.
      {"Sao Paulo, Brazil", Found, "São Paulo", "São Paulo", ""},
      // Places on other clocks are never chosen by population.
      {"Manhattan, United States", Ambiguous, "Manhattan", "", ""},
      {"Madrid", Ambiguous, "Madrid", "", ""},
      {"Portland", Ambiguous, "Portland", "", ""},
      // Pékin and Pekín name Beijing in other languages: a town's own name does not
      // outweigh it on another clock.
      {"Pekin", Ambiguous, "Pekin, Illinois", "", ""},
      {"Pekin", Ambiguous, "Beijing", "", ""},
      {"Pekin, China", Found, "Beijing", "Beijing Municipality", "Pekín"},
      // "St", "St." and "Saint" are one word, whichever way either is spelt.
      {"St Petersburg", Ambiguous, "Saint Petersburg", "", ""},
      {"St Petersburg", Ambiguous, "St. Petersburg", "", ""},
      {"St. Petersburg, Russia", Found, "Saint Petersburg", "Saint Petersburg", ""},
      {"Saint Petersburg, Florida", Found, "St. Petersburg", "Florida", ""},
      // A beginning is only suggested.
      {"Wiener", NotFound, "Wiener Neustadt", "", ""},
      {"Poonam", NotFound, "Poonamalle", "", ""},
      {"Зуунмод", Found, "Зуунмод", "Central Aimak", ""},
      {"Xqzzyville", NotFound, "", "", ""},
      {"Зуунмод, Russia", NotFound, "", "", ""},
      // Nothing of the query is dropped.
      {", India", Refused, "", "", ""},
      {"Madrid,", Refused, "", "", ""},
      {"a, b, c, d", Refused, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const PlaceResolution r = atlas_->Resolve(c.query);
    EXPECT_EQ(r.outcome, c.outcome) << r.message;
    if (c.outcome == Found) {
      ASSERT_TRUE(r.place);
      EXPECT_EQ(r.place->name, c.name);
      EXPECT_EQ(r.place->state, c.state);
      EXPECT_EQ(r.place->matchedName, c.matched);
    } else {
      EXPECT_FALSE(r.place);
      EXPECT_FALSE(r.message.empty());
      EXPECT_NE(r.message.find(c.name), std::string::npos) << r.message;
      EXPECT_EQ(r.message.find("Indianapolis"), std::string::npos) << r.message;
    }
  }
  // The match names the other name it came through.
  EXPECT_EQ(DescribeMatch(*atlas_->Resolve("Bombay").place),
            "Bombay \u2192 Mumbai, Maharashtra, India");
}

// Every city written "City, State, Country" as the atlas names it is
// itself or is listed among the candidates, never another city; the text
// ChoosingText prints takes every city to itself.
TEST_F(AtlasSearch, EveryCityIsReachedAndNoneSilentlyReplaced) {
  std::size_t itself = 0, listed = 0, needCoordinates = 0, needNumber = 0;
  for (std::size_t i = 0; i < atlas_->size(); ++i) {
    const Place p = atlas_->At(i);
    auto same = [&](const Place& q) { return q.id == p.id; };
    std::string written;
    for (const char ch : p.name) written += ch == ',' ? std::string("\\,") : std::string(1, ch);
    if (!p.state.empty()) {
      written += ", ";
      for (const char ch : p.state) written += ch == ',' ? std::string("\\,") : std::string(1, ch);
    }
    written += ", " + p.country;
    const PlaceResolution r = atlas_->Resolve(written);
    SCOPED_TRACE(written);
    if (r.outcome == PlaceOutcome::Found) {
      ASSERT_TRUE(same(*r.place)) << "became " << Describe(*r.place);
      ++itself;
    } else {
      ASSERT_EQ(r.outcome, PlaceOutcome::Ambiguous) << r.message;
      ++listed;
      ASSERT_TRUE(std::any_of(r.candidates.begin(), r.candidates.end(), same) ||
                  r.candidates.size() == kPlaceCandidatesListed)
          << r.message;
    }
    const std::string choosing = atlas_->ChoosingText(p);
    if (choosing.front() == '#') {
      ++needNumber;
    } else if (choosing != written) {
      ++needCoordinates;
    }
    const PlaceResolution chosen = atlas_->Resolve(choosing);
    ASSERT_EQ(chosen.outcome, PlaceOutcome::Found) << choosing << ": " << chosen.message;
    ASSERT_TRUE(same(*chosen.place)) << choosing;
  }
  std::cout << "written in full: " << itself << " found, " << listed
            << " listed with their namesakes; " << needCoordinates
            << " are chosen with their coordinates, " << needNumber << " by number\n";
  EXPECT_EQ(itself + listed, atlas_->size());
}

TEST_F(AtlasSearch, FirstMatchAsPeopleWriteIt) {
  // Expected places and their fields as the GeoNames data records them.
  struct Case {
    const char* query;
    const char* name;
    const char* state;
    const char* country;
    const char* zone;
  };
  const Case cases[] = {
      {"Sao Paulo", "São Paulo", "São Paulo", "Brazil", "America/Sao_Paulo"},
      {"são paulo", "São Paulo", "São Paulo", "Brazil", "America/Sao_Paulo"},
      {"Madrid", "Madrid", "Madrid", "Spain", "Europe/Madrid"},
      {"Madrid, Colombia", "Madrid", "Cundinamarca", "Colombia", "America/Bogota"},
      {"Madrid, CO", "Madrid", "Cundinamarca", "Colombia", "America/Bogota"},
      {"Zürich", "Zurich", "Canton of Zurich", "Switzerland", "Europe/Zurich"},
      // Written with its umlaut: Löhne before Lohne, whatever their sizes.
      {"Löhne", "Löhne", "North Rhine-Westphalia", "Germany", "Europe/Berlin"},
      {"Zurich, Zurich", "Zurich", "Canton of Zurich", "Switzerland", "Europe/Zurich"},
      {"new york", "New York", "New York", "United States of America", "America/New_York"},
      {"New York, USA", "New York", "New York", "United States of America", "America/New_York"},
      {"Portland, Oregon, US", "Portland", "Oregon", "United States of America",
       "America/Los_Angeles"},
      {"Portland, Maine, United States of America", "Portland", "State of Maine",
       "United States of America", "America/New_York"},
      {"Springfield, Illinois", "Springfield", "Illinois", "United States of America",
       "America/Chicago"},
      {"London, UK", "London", "England", "United Kingdom", "Europe/London"},
      {"London, Ontario, Canada", "London", "Ontario", "Canada", "America/Toronto"},
      {"Kathmandu", "Kathmandu", "Bagmati Province", "Nepal", "Asia/Kathmandu"},
      {"  kolkata ,  india ", "Kolkata", "State of West Bengal", "India", "Asia/Kolkata"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const PlaceSearch s = atlas_->Search(c.query);
    ASSERT_FALSE(s.matches.empty()) << s.message.value_or("");
    const Place& p = s.matches.front();
    EXPECT_EQ(p.name, c.name);
    EXPECT_EQ(p.state, c.state);
    EXPECT_EQ(p.country, c.country);
    EXPECT_EQ(p.timeZone, c.zone);
  }
}

TEST_F(AtlasSearch, BetterMatchesFirstThenLargerPlaces) {
  // "Madrid" itself before "Madrid" in Colombia (smaller) before the cities
  // whose name only contains the word.
  const PlaceSearch s = atlas_->Search("Madrid");
  ASSERT_GE(s.matches.size(), 3u);
  EXPECT_EQ(s.matches[0].country, "Spain");
  EXPECT_EQ(s.matches[1].country, "Colombia");
  EXPECT_NE(s.matches[2].name, "Madrid");
  // Within one quality the larger population comes first.
  const PlaceSearch london = atlas_->Search("London");
  ASSERT_GE(london.matches.size(), 2u);
  EXPECT_EQ(london.matches[0].country, "United Kingdom");
  for (std::size_t i = 1; i < london.matches.size() && london.matches[i].name == "London"; ++i)
    EXPECT_GE(london.matches[i - 1].population, london.matches[i].population);
  EXPECT_LE(atlas_->Search("San", 5).matches.size(), 5u);
}

TEST_F(AtlasSearch, AmbiguousOnlyWhenNoMatchStandsOut) {
  struct Case {
    const char* query;
    bool ambiguous;
  };
  const Case cases[] = {
      {"Madrid", false},                                 // Spain has 64 times Colombia's people
      {"Portland", true},                                // Oregon 652,503, Maine 66,881
      {"Portland, Maine", false},                        // the state settles it
      {"Springfield", true},                             // Missouri, Massachusetts, Illinois
      {"London", false},          {"Sao Paulo", false},  // one match
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    EXPECT_EQ(IsAmbiguous(atlas_->Search(c.query)), c.ambiguous);
  }
}

TEST_F(AtlasSearch, RefusesOrExplains) {
  struct Case {
    const char* name;
    std::string query;
    bool refused;
  };
  const Case cases[] = {
      {"unknown place", "Xqzzyville", false},
      {"unknown country", "Madrid, Atlantis", false},
      {"10,000 characters", std::string(10000, 'a'), true},
      {"invalid UTF-8", std::string("Sa\xC3o Paulo"), true},
      {"lone continuation byte", std::string("\x80"), true},
      {"embedded NUL", std::string("Madrid\0Spain", 12), true},
      {"empty", "", true},
      {"only commas", " , , ", true},
      {"four parts", "a, b, c, d", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PlaceSearch s = atlas_->Search(c.query);
    EXPECT_TRUE(s.matches.empty());
    ASSERT_TRUE(s.message.has_value());
    EXPECT_FALSE(s.message->empty());
    EXPECT_EQ(s.refused, c.refused) << *s.message;
    if (c.query.size() < 100 && !c.refused) {
      EXPECT_NE(s.message->find(c.query), std::string::npos) << *s.message;
    }
  }
}

// The zone suggested for coordinates typed without a place comes from the
// nearest city of the country the form names. Positions are the GeoNames
// data's; distances are hand calculated on the sphere (one degree of arc is
// 111.195 km).
TEST_F(AtlasSearch, NearestCityInTheCountryNamed) {
  const double pune[] = {atlas_->Resolve("Pune").place->latitudeDeg,
                         atlas_->Resolve("Pune").place->longitudeDeg};
  const double birgunj[] = {atlas_->Resolve("Birgunj").place->latitudeDeg,
                            atlas_->Resolve("Birgunj").place->longitudeDeg};
  // The distances' tolerance: the hand calculation's rounding.
  constexpr double kKmTolerance = 0.01;
  struct Case {
    const char* name;
    double latitudeDeg, longitudeDeg;
    const char* country;  // as the form's box holds it
    const char* nearest;
    const char* zone;
    double distanceKm;  // < 0: not checked
  };
  const Case cases[] = {
      {"at Pune", pune[0], pune[1], "", "Pune", "Asia/Kolkata", 0.0},
      // 0.05 degree of latitude south of Pune: 5.5598 km.
      {"south of Pune", pune[0] - 0.05, pune[1], "India", "Pune", "Asia/Kolkata", 5.5598},
      // Birgunj (Nepal) and Raxaul (India) face each other across the border,
      // on clocks 15 minutes apart.
      {"Birgunj, no country", birgunj[0], birgunj[1], "", "Birgunj", "Asia/Kathmandu", 0.0},
      {"Birgunj, in India", birgunj[0], birgunj[1], "India", "Raxaul", "Asia/Kolkata", -1},
      {"Birgunj, by code", birgunj[0], birgunj[1], "in", "Raxaul", "Asia/Kolkata", -1},
      {"Birgunj, in Nepal", birgunj[0], birgunj[1], "Nepal", "Birgunj", "Asia/Kathmandu", 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto code = c.country[0] ? atlas_->CountryCodeOf(c.country) : std::nullopt;
    ASSERT_EQ(code.has_value(), c.country[0] != '\0');
    const auto near = atlas_->Nearest(c.latitudeDeg, c.longitudeDeg, code.value_or(""));
    ASSERT_TRUE(near);
    EXPECT_EQ(near->place.name, c.nearest);
    EXPECT_EQ(near->place.timeZone, c.zone);
    if (c.distanceKm >= 0) {
      EXPECT_NEAR(near->distanceKm, c.distanceKm, kKmTolerance);
    }
  }
  // Pune to Mumbai: 0.55326 degrees of latitude and 0.97274 of longitude at
  // a mean latitude of 18.796 degrees, 1.07424 degrees of arc: 119.45 km.
  const Place mumbai = *atlas_->Resolve("Mumbai").place;
  EXPECT_NEAR(atlas_->Nearest(pune[0], pune[1], "IN")->distanceKm, 0.0, kKmTolerance);
  EXPECT_EQ(atlas_->Nearest(mumbai.latitudeDeg, mumbai.longitudeDeg)->place.id, mumbai.id);
  // A country with no city in the atlas, or none at all.
  EXPECT_FALSE(atlas_->Nearest(0, 0, "XX"));

  // Countries as Resolve takes them, and only whole.
  struct Country {
    const char* text;
    const char* code;  // "" when the text names no country
  };
  const Country countries[] = {
      {"India", "IN"}, {"india", "IN"}, {"IN", "IN"}, {"Deutschland", "DE"}, {"USA", "US"},
      {"UK", "GB"},    {"Ind", ""},     {"", ""},     {"Atlantis", ""},      {"\xff", ""},
  };
  for (const Country& c : countries) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(atlas_->CountryCodeOf(c.text).value_or(""), c.code);
  }
}

TEST_F(AtlasSearch, DescriptionFindsItsPlace) {
  for (const char* q : {"Madrid, Colombia", "Sao Paulo", "Portland, Maine"}) {
    SCOPED_TRACE(q);
    const Place p = atlas_->Search(q).matches.at(0);
    const auto found = atlas_->FindDescribed(Describe(p));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, p.name);
    EXPECT_EQ(found->state, p.state);
    EXPECT_EQ(found->latitudeDeg, p.latitudeDeg);
  }
}

}  // namespace
}  // namespace orvanta
