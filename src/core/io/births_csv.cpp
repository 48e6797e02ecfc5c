#include "io/births_csv.h"

#include <cstdio>

#include "io/birth_fields.h"
#include "io/offset_text.h"
#include "model/coordinate_text.h"

namespace orvanta {

namespace {

std::string_view TrimmedLower(std::string_view s, std::string& scratch) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  scratch.assign(s);
  for (char& c : scratch) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return scratch;
}

// Two digits at least, as the date and time columns are written.
std::string TwoDigits(std::string_view text) {
  std::string digits(text);
  // Inserted rather than "0" + text: GCC 12 at -O3 warns falsely (-Wrestrict)
  // on a literal added to a string.
  if (digits.size() == 1) digits.insert(digits.begin(), '0');
  return digits;
}

// The columns that hold a user's free text, which may carry a spreadsheet
// guard.
constexpr std::array<std::string BirthFields::*, 8> kTextFields = {
    &BirthFields::name,  &BirthFields::city, &BirthFields::state,  &BirthFields::country,
    &BirthFields::place, &BirthFields::tz,   &BirthFields::offset, &BirthFields::note};

// Characters that make a spreadsheet read a cell as a formula, and the
// guard itself.
bool NeedsGuard(char first) {
  return first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' ||
         first == '\r' || first == '\'';
}

}  // namespace

std::string GuardedText(std::string_view text) {
  std::string guarded;
  if (!text.empty() && NeedsGuard(text.front())) guarded += '\'';
  guarded += text;
  return guarded;
}

void UnguardText(std::string& text) {
  if (text.size() >= 2 && text.front() == '\'' && NeedsGuard(text[1])) text.erase(0, 1);
}

std::optional<BatchLayout> LayoutOfHeader(const CsvRecord& record) {
  if (!record.error.empty()) return std::nullopt;
  static constexpr std::array<std::string BirthFields::*, kBirthsColumns.size()> kFields = {
      &BirthFields::name,   &BirthFields::date,    &BirthFields::time,  &BirthFields::lat,
      &BirthFields::lon,    &BirthFields::zone,    &BirthFields::dst,   &BirthFields::city,
      &BirthFields::state,  &BirthFields::country, &BirthFields::place, &BirthFields::tz,
      &BirthFields::offset, &BirthFields::note};
  constexpr std::size_t kRequiredColumns = 3;  // name, date, time
  BatchLayout layout;
  std::array<bool, kBirthsColumns.size()> named{};
  std::string scratch;
  for (const std::string& field : record.fields) {
    const std::string_view column = TrimmedLower(field, scratch);
    std::size_t k = 0;
    while (k < kBirthsColumns.size() && kBirthsColumns[k] != column) ++k;
    if (k == kBirthsColumns.size() || named[k]) return std::nullopt;
    named[k] = true;
    layout.push_back(kFields[k]);
  }
  for (std::size_t k = 0; k < kRequiredColumns; ++k) {
    if (!named[k]) return std::nullopt;
  }
  return layout;
}

bool IsBatchHeader(const CsvRecord& record) {
  return LayoutOfHeader(record).has_value();
}

Parsed<BirthFields> FieldsOfRecord(CsvRecord& record, const BatchLayout& layout) {
  if (!record.error.empty()) return {std::nullopt, record.error};
  std::vector<std::string>& f = record.fields;
  if (f.size() != layout.size()) {
    return {std::nullopt, "expected " + std::to_string(layout.size()) + " fields, found " +
                              std::to_string(f.size())};
  }
  BirthFields fields;
  for (std::size_t i = 0; i < layout.size(); ++i) fields.*layout[i] = std::move(f[i]);
  for (std::string BirthFields::*text : kTextFields) UnguardText(fields.*text);
  return {std::move(fields), {}};
}

bool ZoneGivenByRow(const BirthFields& fields) {
  return !TrimField(fields.zone).empty() || !TrimField(fields.offset).empty();
}

std::string BirthsRowOf(const FormEntries& e, std::string_view tzName, std::string_view note) {
  std::string row;
  AppendCsvField(row, GuardedText(e.name));
  row += ',';
  row +=
      e.yearText + "-" + TwoDigits(std::to_string(e.monthIndex + 1)) + "-" + TwoDigits(e.dayText);
  row += ',';
  row += TwoDigits(e.hourText) + ":" + TwoDigits(e.minuteText) + ":" + TwoDigits(e.secondText);
  row += ',';
  AppendCsvField(row, CoordinateText(e.latDeg, LatitudeLetter(e.north), e.latMin));
  row += ',';
  AppendCsvField(row, CoordinateText(e.lonDeg, LongitudeLetter(e.east), e.lonMin));
  row += ',';
  // An unselected zone list has no position the file can name: the row
  // takes the form's default, as an empty zone column does.
  if (e.zoneIndex >= 0) row += std::to_string(e.zoneIndex);
  row += ',';
  row += e.daylightTick ? "1" : "0";
  for (const std::string* place : {&e.city, &e.state, &e.country}) {
    row += ',';
    AppendCsvField(row, GuardedText(*place));
  }
  row += ',';
  AppendCsvField(row, GuardedText(tzName));
  row += ',';
  // Minutes as always, "+5:41:16" (behind its guard) where there are seconds.
  if (const std::optional<int> offset = ExactOffsetSecondsOf(e))
    AppendCsvField(row, GuardedText(OffsetText(*offset)));
  row += ',';
  AppendCsvField(row, GuardedText(note));
  return row;
}

}  // namespace orvanta
