// The 71 time zones of the birth-data form and the correction each gives.
//
// One row holds the list text together with the signed correction from local
// clock time to universal time (whole hours and the remaining minutes, both
// with the sign of the hours), so the list and the arithmetic cannot drift
// apart. The texts are shown only; nothing parses them ("Indian Time, IST,
// +5.3" means five and a half hours east): each row carries its
// abbreviation and whether it is a summer time as data of its own.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/birth.h"

namespace orvanta {

struct ZoneEntry {
  std::string_view text;
  std::string_view abbreviation;  // the text's second field, as shown ("IST")
  bool summerTime;                // a summer (daylight, double summer) time
  std::int16_t shiftHours;        // local time + shift = universal time
  std::int16_t shiftMinutes;      // same sign as shiftHours, or 0
};

inline constexpr int kZoneCount = 71;
inline constexpr int kDefaultZoneIndex = 29;  // "Greenwich Mean Time,GMT,0.0"

// In the order shown in the zone list.
inline constexpr std::array<ZoneEntry, kZoneCount> kZones = {{
    ZoneEntry{"Alaska/Hawaii Daylight Time,AHDT,-9.0", "AHDT", true, 9, 0},            // 0
    ZoneEntry{"Alaska/Hawaii Standard Time,AHST,-10.0", "AHST", false, 10, 0},         // 1
    ZoneEntry{"Alaska/Hawaii War Time,AHWT,-9.0", "AHWT", false, 9, 0},                // 2
    ZoneEntry{"Atlantic Standard Time,AST,-4.0", "AST", false, 4, 0},                  // 3
    ZoneEntry{"Atlantic War Time,AWT,-3.0", "AWT", false, 3, 0},                       // 4
    ZoneEntry{"Australian Central Daylight Time,ACDT,+10.5", "ACDT", true, -10, -30},  // 5
    ZoneEntry{"Australian Central Standard Time,ACST,+9.5", "ACST", false, -9, -30},   // 6
    ZoneEntry{"Australian Eastern Daylight Time,AEDT,+11.0", "AEDT", true, -11, 0},    // 7
    ZoneEntry{"Australian Eastern Standard Time,AEST,+10.0", "AEST", false, -10, 0},   // 8
    ZoneEntry{"Australian Western Daylight Time,AWDT,+9.0", "AWDT", true, -9, 0},      // 9
    ZoneEntry{"Australian Western Standard Time,AWST,+8.0", "AWST", false, -8, 0},     // 10
    ZoneEntry{"Azores Time, AT, -2.0", "AT", false, 2, 0},                             // 11
    ZoneEntry{"Baghdad Time, BAT, +3.0", "BAT", false, -3, 0},                         // 12
    ZoneEntry{"Bering Standard Time,BET,-11.0", "BET", false, 11, 0},                  // 13
    ZoneEntry{"Brazil Zone 2,BZT2,-3.0", "BZT2", false, 3, 0},                         // 14
    ZoneEntry{"British Double Summer Time,BDST,+2.0", "BDST", true, -2, 0},            // 15
    ZoneEntry{"British Summer Time,BST,+1.0", "BST", true, -1, 0},                     // 16
    ZoneEntry{"British War Time,BWT,+2.0", "BWT", false, -2, 0},                       // 17
    ZoneEntry{"Central Daylight Time,CDT,-5.0", "CDT", true, 5, 0},                    // 18
    ZoneEntry{"Central European Daylight,CED,+2.0", "CED", true, -2, 0},               // 19
    ZoneEntry{"Central European Time,CET,+1.0", "CET", false, -1, 0},                  // 20
    ZoneEntry{"Central Standard Time,CST,-6.0", "CST", false, 6, 0},                   // 21
    ZoneEntry{"Central War Time,CWT,-5.0", "CWT", false, 5, 0},                        // 22
    ZoneEntry{"China Coast Time,CCT,+8.0", "CCT", false, -8, 0},                       // 23
    ZoneEntry{"Eastern Daylight Time,EDT,-4.0", "EDT", true, 4, 0},                    // 24
    ZoneEntry{"Eastern European Daylight Time,EED,+3.0", "EED", true, -3, 0},          // 25
    ZoneEntry{"Eastern European Time,EET,+2.0", "EET", false, -2, 0},                  // 26
    ZoneEntry{"Eastern Standard Time,EST,-5.0", "EST", false, 5, 0},                   // 27
    ZoneEntry{"Eastern War Time,EWT,-4.0", "EWT", false, 4, 0},                        // 28
    ZoneEntry{"Greenwich Mean Time,GMT,0.0", "GMT", false, 0, 0},                      // 29
    ZoneEntry{"Guam Standard Time,GST,+10.0", "GST", false, -10, 0},                   // 30
    ZoneEntry{"Hawaiian Daylight Time,HDT,-9.5", "HDT", true, 9, 30},                  // 31
    ZoneEntry{"Hawaiian Standard Time,HST,-10.5", "HST", false, 10, 30},               // 32
    ZoneEntry{"Hawaiian War Time,HWT,-9.5", "HWT", false, 9, 30},                      // 33
    ZoneEntry{"Indian Time, IST, +5.3", "IST", false, -5, -30},                        // 34
    ZoneEntry{"Int'l Date Line East,IDLE,+12.0", "IDLE", false, -12, 0},               // 35
    ZoneEntry{"Int'l Date Line West,IDLW,-12.0", "IDLW", false, 12, 0},                // 36
    ZoneEntry{"Iran Time, IT, +3.5", "IT", false, -3, -30},                            // 37
    ZoneEntry{"Japan Standard Time,JST,+9.0", "JST", false, -9, 0},                    // 38
    ZoneEntry{"Java Time, JT, +7.5", "JT", false, -7, -30},                            // 39
    ZoneEntry{"Middle European Daylight Time,MED,+2.0", "MED", true, -2, 0},           // 40
    ZoneEntry{"Middle European Time,MET,+1.0", "MET", false, -1, 0},                   // 41
    ZoneEntry{"Moluccas Time, MT, +8.5", "MT", false, -8, -30},                        // 42
    ZoneEntry{"Mountain Daylight Time,MDT,-6.0", "MDT", true, 6, 0},                   // 43
    ZoneEntry{"Mountain Standard Time,MST,-7.0", "MST", false, 7, 0},                  // 44
    ZoneEntry{"Mountain War Time,MWT,-6.0", "MWT", false, 6, 0},                       // 45
    ZoneEntry{"New Zealand Std Summer Time,NZST,+13.0", "NZST", true, -13, 0},         // 46
    ZoneEntry{"New Zealand Std Time,NZT,+12.0", "NZT", false, -12, 0},                 // 47
    ZoneEntry{"New Zealand Summer Time,NZS,+12.5", "NZS", true, -12, -30},             // 48
    ZoneEntry{"New Zealand Time,NZ,+11.5", "NZ", false, -11, -30},                     // 49
    ZoneEntry{"Newfoundland Standard Time,NST,-3.5", "NST", false, 3, 30},             // 50
    ZoneEntry{"Nome Time, NT, -11.0", "NT", false, 11, 0},                             // 51
    ZoneEntry{"North Sumatra Time,NST,+6.5", "NST", false, -6, -30},                   // 52
    ZoneEntry{"Pacific Daylight Time,PDT,-7.0", "PDT", true, 7, 0},                    // 53
    ZoneEntry{"Pacific Standard Time,PST,-8.0", "PST", false, 8, 0},                   // 54
    ZoneEntry{"Pacific War Time,PWT,-7.0", "PWT", false, 7, 0},                        // 55
    ZoneEntry{"South Australia Daylight Time,SAD,+10.5", "SAD", true, -10, -30},       // 56
    ZoneEntry{"South Australia Daylight Time,SDT,+10.5", "SDT", true, -10, -30},       // 57
    ZoneEntry{"South Australia Standard Time,SAST,+9.5", "SAST", false, -9, -30},      // 58
    ZoneEntry{"South Australia Standard Time,SAT,+9.5", "SAT", false, -9, -30},        // 59
    ZoneEntry{"South Sumatra Time,SST,+7.0", "SST", false, -7, 0},                     // 60
    ZoneEntry{"Universal Time, UT, 0.0", "UT", false, 0, 0},                           // 61
    ZoneEntry{"USSR Zone 10,UZ10,+11.0", "UZ10", false, -11, 0},                       // 62
    ZoneEntry{"USSR Zone 3,USZ3,+4.0", "USZ3", false, -4, 0},                          // 63
    ZoneEntry{"USSR Zone 4,USZ4,+5.0", "USZ4", false, -5, 0},                          // 64
    ZoneEntry{"USSR Zone 5,USZ5,+6.0", "USZ5", false, -6, 0},                          // 65
    ZoneEntry{"USSR Zone 6,USZ6,+7.0", "USZ6", false, -7, 0},                          // 66
    ZoneEntry{"West Africa Time,WAT,-1.0", "WAT", false, 1, 0},                        // 67
    ZoneEntry{"Yukon Daylight Time,YDT,-8.0", "YDT", true, 8, 0},                      // 68
    ZoneEntry{"Yukon Standard Time,YST,-9.0", "YST", false, 9, 0},                     // 69
    ZoneEntry{"Yukon War Time,YWT,-8.0", "YWT", false, 8, 0},                          // 70
}};

// Correction for list position `listIndex`; no value for a position outside
// the list (no selection), in which case the caller keeps its previous one.
std::optional<ZoneShift> ZoneShiftOf(int listIndex);

// A clock offset east of Greenwich in whole minutes that no row carries (for
// example Nepal's +5:45, or the Netherlands' +1:19:32 of 1935 taken to the
// minute), as the time-zone history gives it for a birth place and moment.
struct ExactOffset {
  int eastMinutes = 0;
};

// The widest offsets any clock has kept: 14 hours east, 12 hours west (the
// zone list itself spans -12..+13).
inline constexpr int kMaxExactOffsetMinutes = 14 * 60;

// Correction for an exact offset, split like a row's: the negated offset in
// whole hours and the remaining minutes with the same sign (+5:45 gives -5,
// -45; -3:30 gives 3, 30). No value for an offset beyond the widest clocks.
std::optional<ZoneShift> ZoneShiftOf(ExactOffset offset);

}  // namespace orvanta
