// The atlas behind every births file and batch: loaded on the first place a
// row names (about 0.1 s), with the answers to the place texts already
// looked up, since a file names the same places again and again. The
// command line's batch and options and the desktop program's import read
// their places through one of these.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

#include "atlas/atlas.h"

namespace orvanta {

class PlaceCache {
 public:
  const Atlas& atlas();
  // Atlas::Resolve of `query`, from the kept answers where it was asked
  // before; at most kRememberedSearches are kept, then they start again.
  const PlaceResolution& Resolve(const std::string& query);

  static constexpr std::size_t kRememberedSearches = 4096;

 private:
  std::optional<Atlas> atlas_;
  std::unordered_map<std::string, PlaceResolution> answers_;
};

}  // namespace orvanta
