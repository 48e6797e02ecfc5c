// The names of the signs, the bodies and the nakshatras in the reader's own
// script: one table per script, each naming its source at its top
// (names.cpp). Names are a choice of presentation: nothing computed reads
// them, and every chart is the same whichever script shows it.
//
// Each table holds the twelve signs (Aries first), the ten bodies in body
// order (Sun .. Ketu, then the ascendant), the 27 nakshatras from 0 deg
// sidereal, and the short forms a chart cell writes: a sign's short name for
// the cell's label ("Ari", or the whole name where it is short already) and
// each body's short label ("Su", "Mo", ... "As" as English-language charts
// print them; in the other scripts the first syllable of each name, the
// program's own rule).
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/records.h"

namespace orvanta {

enum class NameScript {
  English,     // the program's own English names
  Sanskrit,    // Sanskrit names in Latin letters: Mesha, Surya, Ashwini
  Devanagari,  // Hindi and Sanskrit: मेष, सूर्य, अश्विनी
  Tamil,
  Telugu,
  Kannada,
  Malayalam,
  Bengali,
  Gujarati,
};
inline constexpr std::array<NameScript, 9> kNameScripts = {
    NameScript::English,   NameScript::Sanskrit, NameScript::Devanagari,
    NameScript::Tamil,     NameScript::Telugu,   NameScript::Kannada,
    NameScript::Malayalam, NameScript::Bengali,  NameScript::Gujarati};

inline constexpr int kNameNakshatraCount = 27;

struct NameTable {
  std::array<std::string_view, kSignCount> signs;
  std::array<std::string_view, kSignCount> signShort;
  std::array<std::string_view, kBodyCount> bodies;
  std::array<std::string_view, kBodyCount> bodyShort;
  std::array<std::string_view, kNameNakshatraCount> nakshatras;
};

// The table of a script.
const NameTable& NamesOf(NameScript script);

// "english", "sanskrit", "devanagari", "tamil", "telugu", "kannada",
// "malayalam", "bengali", "gujarati": the choice's stable name (the command
// line's --names, the JSON's settings, the desktop's saved settings).
std::string_view NameScriptKey(NameScript script);
// The script of a key NameScriptKey gives; nothing for any other text.
std::optional<NameScript> NameScriptOfKey(std::string_view key);
// The settings dialog's words: "English", "Sanskrit (Latin letters)",
// "Devanagari (Hindi, Sanskrit)", "Tamil", ...
std::string_view NameScriptCaption(NameScript script);

// One name of a script; "" for an index outside its table.
std::string_view SignNameIn(NameScript script, int sign);
std::string_view SignShortIn(NameScript script, int sign);
std::string_view BodyNameIn(NameScript script, int body);
std::string_view BodyShortIn(NameScript script, int body);
std::string_view NakshatraNameIn(NameScript script, int nakshatra);

}  // namespace orvanta
