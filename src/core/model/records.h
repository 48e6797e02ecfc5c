// The fixed name tables of the bodies and the signs. (The birth the engine
// starts from is model/birth.h's Birth.)
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/datetime.h"

namespace orvanta {

// Body index used by PositionText and ChartLabel.
enum Body : int { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, Asc };
inline constexpr int kBodyCount = 10;
inline constexpr int kSignCount = 12;

// Plain chart names of the ten bodies; Mercury..Saturn gain " (R) " when retrograde.
inline constexpr std::array<std::string_view, kBodyCount> kChartLabelNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};

// Three-letter sign abbreviations, Aries first, as the position texts write them.
inline constexpr std::array<std::string_view, kSignCount> kSignAbbr = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// Lord of each sign, Aries first.
inline constexpr std::array<std::string_view, kSignCount> kSignLord = {
    "Mars",  "Venus", "Mercury", "Moon",   "Sun",    "Mercury",
    "Venus", "Mars",  "Jupiter", "Saturn", "Saturn", "Jupiter"};

// The twelve abbreviations run together, sign k at characters 3k+1..3k+3.
inline constexpr std::string_view kSignLetters = "AriTauGemCanLeoVirLibScoSagCapAquPis";

using PositionTexts = std::array<std::string, kBodyCount>;
using ChartLabels = std::array<std::string, kBodyCount>;
using SignCaptions = std::array<std::string, kSignCount>;

// Line break used inside captions (carriage return, line feed).
inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace orvanta
