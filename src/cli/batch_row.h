// One row of a batch file: the header line's columns, the test for the
// header, and the two directions between a row and the form's entries.
//
// The command line reads births from these rows and the desktop program both
// reads and writes them (import and export of saved births), so a list
// written by one runs through the other. A row written by BatchRowOf reads
// back through EntriesOf to the same entries when the entries are in the
// form's own shape (plain decimal list texts, digits in the coordinate
// boxes); in particular every row read by EntriesOf writes back unchanged
// when it was written in the canonical shape (YYYY-MM-DD, HH:MM:SS, 28N36,
// the zone's list position, dst 1 or 0).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"
#include "cli/arguments.h"
#include "cli/csv.h"

namespace orvanta::cli {

// The batch file's columns: the ten of the classic header, in its order,
// then the place and the zone name. A header names any of them in any order
// (at least name, date and time); columns it leaves out are empty.
inline constexpr std::array<std::string_view, 12> kBatchColumns = {
    "name", "date", "time", "lat", "lon", "zone", "dst", "city", "state", "country", "place", "tz"};
// The classic header, which export writes and messages name.
inline constexpr std::string_view kBatchHeader =
    "name,date,time,lat,lon,zone,dst,city,state,country";

// For each column of a header, the BirthFields member its values fill.
using BatchLayout = std::vector<std::string BirthFields::*>;

// The layout a header line names (column names in any case, blanks around
// them allowed); nothing when it is no batch header (a name that is no
// column, a column named twice, name, date or time missing).
std::optional<BatchLayout> LayoutOfHeader(const CsvRecord& record);

// True when the record is a batch header.
bool IsBatchHeader(const CsvRecord& record);

// The fields of one data record laid out by its header, or why it cannot be
// read: a record the reader could not read whole, or the wrong number of
// fields. The record's fields are moved out.
Parsed<BirthFields> FieldsOfRecord(CsvRecord& record, const BatchLayout& layout);

// The entries of one data record without the atlas (its place and zone-name
// columns are not looked up), or why it cannot be read: as FieldsOfRecord,
// or a field of the wrong shape.
Parsed<FormEntries> EntriesOfRecord(CsvRecord& record, const BatchLayout& layout);

// The row of one birth without its line end, fields quoted where needed.
std::string BatchRowOf(const FormEntries& entries);

}  // namespace orvanta::cli
