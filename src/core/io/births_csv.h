// The births file: one birth a row of comma-separated texts under a header
// line naming the columns. The command line computes such a file (--batch)
// and the desktop program imports and exports it, all through the rules
// here, so that a file written by one reads the same in the other.
//
// Columns, found by name in any order (at least name, date and time):
//   name, date (YYYY-MM-DD), time (HH:MM[:SS]), lat (28N36), lon (77E12),
//   zone (list position or abbreviation), dst (the daylight-saving tick; with
//   a tz name and no zone: the summer-time reading of a doubled local time),
//   city, state, country, place ("City[, State], Country", from the atlas),
//   tz (a tz database name), offset (an exact offset east of Greenwich in
//   minutes, one no zone row carries), note (the user's note; no part of the
//   chart).
// A zone or offset column that is filled decides the clock; a tz name beside
// it only names that zone (the one a place lookup resolved) and is not
// looked up again, so that a saved birth reads back as the chart it was
// saved with. A tz name alone is resolved for the birth's local time.
//
// A row written by BirthsRowOf reads back (FieldsOfRecord, then
// BirthOfFields) to the same birth, and writes back unchanged when it was
// written in the canonical shape (YYYY-MM-DD, HH:MM:SS, 28N36, the zone's
// list position, dst 1 or 0).
//
// Texts a spreadsheet would run as a formula (starting with =, +, -, @, a
// tab or a carriage return) are written behind an apostrophe, so that a
// spreadsheet shows them as text; a text that starts with an apostrophe
// gets one more. Reading takes one leading apostrophe off when one of those
// characters follows it, so every text reads back unchanged.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/birth_entries.h"
#include "io/birth_fields.h"
#include "io/csv.h"

namespace orvanta {

// Every column a header may name.
inline constexpr std::array<std::string_view, 14> kBirthsColumns = {
    "name", "date",  "time",    "lat",   "lon", "zone",   "dst",
    "city", "state", "country", "place", "tz",  "offset", "note"};
// The classic header, which messages name.
inline constexpr std::string_view kBatchHeader =
    "name,date,time,lat,lon,zone,dst,city,state,country";
// The header the desktop program exports births under.
inline constexpr std::string_view kBirthsFileHeader =
    "name,date,time,lat,lon,zone,dst,city,state,country,tz,offset,note";

// For each column of a header, the BirthFields member its values fill.
using BatchLayout = std::vector<std::string BirthFields::*>;

// The layout a header line names (column names in any case, blanks around
// them allowed); nothing when it is no births header (a name that is no
// column, a column named twice, name, date or time missing).
std::optional<BatchLayout> LayoutOfHeader(const CsvRecord& record);

// True when the record is a births header.
bool IsBatchHeader(const CsvRecord& record);

// The fields of one data record laid out by its header, or why it cannot be
// read: a record the reader could not read whole, or the wrong number of
// fields. The record's fields are moved out; the texts' spreadsheet guards
// are taken off.
Parsed<BirthFields> FieldsOfRecord(CsvRecord& record, const BatchLayout& layout);

// True when the zone or offset column decides the clock, so that a tz name
// beside them is not looked up.
bool ZoneGivenByRow(const BirthFields& fields);

// The row of one birth under kBirthsFileHeader, without its line end:
// fields quoted where needed, texts guarded against spreadsheets. The tz
// name and the note are written as given.
std::string BirthsRowOf(const FormEntries& entries, std::string_view tzName = {},
                        std::string_view note = {});

// A text as the births file writes it: behind an apostrophe when a
// spreadsheet would run it as a formula; and the text read back.
std::string GuardedText(std::string_view text);
void UnguardText(std::string& text);

}  // namespace orvanta
