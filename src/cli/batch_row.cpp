#include "cli/batch_row.h"

#include <cstdio>

namespace orvanta::cli {

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
  return text.size() == 1 ? "0" + std::string(text) : std::string(text);
}

}  // namespace

bool IsBatchHeader(const CsvRecord& record) {
  if (!record.error.empty() || record.fields.size() != kBatchColumns.size()) return false;
  std::string scratch;
  for (std::size_t i = 0; i < kBatchColumns.size(); ++i) {
    if (TrimmedLower(record.fields[i], scratch) != kBatchColumns[i]) return false;
  }
  return true;
}

Parsed<FormEntries> EntriesOfRecord(CsvRecord& record) {
  if (!record.error.empty()) return {std::nullopt, record.error};
  std::vector<std::string>& f = record.fields;
  if (f.size() != kBatchColumns.size()) {
    return {std::nullopt, "expected " + std::to_string(kBatchColumns.size()) + " fields, found " +
                              std::to_string(f.size())};
  }
  return EntriesOf(BirthFields{std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
                               std::move(f[4]), std::move(f[5]), std::move(f[6]), std::move(f[7]),
                               std::move(f[8]), std::move(f[9])});
}

std::string BatchRowOf(const FormEntries& e) {
  std::string row;
  AppendCsvField(row, e.name);
  row += ',';
  row +=
      e.yearText + "-" + TwoDigits(std::to_string(e.monthIndex + 1)) + "-" + TwoDigits(e.dayText);
  row += ',';
  row += TwoDigits(e.hourText) + ":" + TwoDigits(e.minuteText) + ":" + TwoDigits(e.secondText);
  row += ',';
  AppendCsvField(row, e.latDeg + (e.north ? "N" : "S") + e.latMin);
  row += ',';
  AppendCsvField(row, e.lonDeg + (e.east ? "E" : "W") + e.lonMin);
  row += ',';
  // An unselected zone list has no position the batch format can name: the
  // row takes the form's default, as an empty zone column does.
  if (e.zoneIndex >= 0) row += std::to_string(e.zoneIndex);
  row += ',';
  row += e.dst ? "1" : "0";
  for (const std::string* place : {&e.city, &e.state, &e.country}) {
    row += ',';
    AppendCsvField(row, *place);
  }
  return row;
}

}  // namespace orvanta::cli
