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
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"
#include "cli/arguments.h"
#include "cli/csv.h"

namespace orvanta::cli {

// The batch file's columns, in order, and its header line.
inline constexpr std::array<std::string_view, 10> kBatchColumns = {
    "name", "date", "time", "lat", "lon", "zone", "dst", "city", "state", "country"};
inline constexpr std::string_view kBatchHeader =
    "name,date,time,lat,lon,zone,dst,city,state,country";

// True when the record is the header line (column names in any case,
// blanks around them allowed).
bool IsBatchHeader(const CsvRecord& record);

// The entries of one data record, or why it cannot be read: a record the
// reader could not read whole, the wrong number of fields or a field of the
// wrong shape. The record's fields are moved out.
Parsed<FormEntries> EntriesOfRecord(CsvRecord& record);

// The row of one birth without its line end, fields quoted where needed.
std::string BatchRowOf(const FormEntries& entries);

}  // namespace orvanta::cli
