// Place search over the offline atlas: how people write places, the order of
// the matches, and queries that must be refused.
#include <gtest/gtest.h>

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
  // Debian's GeoNames list of cities of over 15,000 people.
  EXPECT_EQ(atlas_->size(), 24361u);
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
