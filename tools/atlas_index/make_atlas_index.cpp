// Writes the atlas's name index (share/orvanta/places.index) from the
// installed libgeonames: one pass over its cities in the C locale for the
// atlas's own names, then one pass per language whose translation
// catalogue the library installed (/usr/share/locale/*/LC_MESSAGES/
// geonames.mo), which adds the names that language gives each city, its
// state and its country. The build runs it; the index is never kept in the
// sources, so the atlas stays the one the system ships.
//
// Usage: make_atlas_index OUTPUT [LOCALE_DIR]
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "atlas/atlas.h"

namespace {

// The languages the library has catalogues for, in a fixed order.
std::set<std::string> CatalogueLanguages(const std::filesystem::path& localeDir) {
  std::set<std::string> languages;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(localeDir, error)) {
    if (std::filesystem::is_regular_file(entry.path() / "LC_MESSAGES" / "geonames.mo", error))
      languages.insert(entry.path().filename().string());
  }
  return languages;
}

}  // namespace

// The C library's count of loaded catalogues: raising it makes gettext
// forget the translations it looked up, as the gettext manual prescribes
// after LANGUAGE changes.
extern "C" int _nl_msg_cat_cntr;

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUTPUT [LOCALE_DIR]\n", argv[0]);
    return 64;
  }
  const std::filesystem::path localeDir = argc == 3 ? argv[2] : "/usr/share/locale";
  // The catalogues are read only under a locale other than "C"; C.UTF-8 is
  // built into the C library.
  ::unsetenv("LANGUAGE");
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  ::unsetenv("LANG");
  if (!std::setlocale(LC_ALL, "C.UTF-8")) {
    std::fprintf(stderr, "make_atlas_index: the C.UTF-8 locale is missing\n");
    return 1;
  }
  orvanta::AtlasIndexBuilder builder;
  builder.AddPass();
  for (const std::string& language : CatalogueLanguages(localeDir)) {
    ::setenv("LANGUAGE", language.c_str(), 1);
    ++_nl_msg_cat_cntr;
    builder.AddPass();
  }
  const std::string text = builder.Text();
  const std::string temporary = std::string(argv[1]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      std::fprintf(stderr, "make_atlas_index: cannot write %s\n", temporary.c_str());
      return 1;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, argv[1], error);
  if (error) {
    std::fprintf(stderr, "make_atlas_index: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
