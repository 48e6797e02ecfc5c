#include "io/place_cache.h"

namespace orvanta {

const Atlas& PlaceCache::atlas() {
  if (!atlas_) atlas_.emplace();
  return *atlas_;
}

const PlaceResolution& PlaceCache::Resolve(const std::string& query) {
  if (const auto it = answers_.find(query); it != answers_.end()) return it->second;
  if (answers_.size() >= kRememberedSearches) answers_.clear();
  return answers_.emplace(query, atlas().Resolve(query)).first->second;
}

}  // namespace orvanta
