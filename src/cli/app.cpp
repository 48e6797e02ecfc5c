#include "cli/app.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/csv.h"
#include "cli/render.h"
#include "tables/zones.h"

namespace orvanta::cli {

namespace {

constexpr std::string_view kProgram = "orvanta-cli: ";
constexpr std::string_view kVersion = "orvanta-cli 1.15\n";

// The batch file's columns, in order.
constexpr std::array<std::string_view, 10> kBatchColumns = {
    "name", "date", "time", "lat", "lon", "zone", "dst", "city", "state", "country"};
constexpr std::string_view kBatchHeader = "name,date,time,lat,lon,zone,dst,city,state,country";

// Output is gathered and written in pieces of about this size.
constexpr std::size_t kFlushBytes = 1 << 16;

// Which option holds the field that validation points at.
std::string_view OptionOfField(FormField field) {
  switch (field) {
    case FormField::Name:
      return "--name";
    case FormField::City:
      return "--city";
    case FormField::State:
      return "--state";
    case FormField::Country:
      return "--country";
    case FormField::LonDegrees:
      return "--lon (degrees)";
    case FormField::LonMinutes:
      return "--lon (minutes)";
    case FormField::LatDegrees:
      return "--lat (degrees)";
    case FormField::LatMinutes:
      return "--lat (minutes)";
  }
  return "";
}

std::string_view TrimmedLower(std::string_view s, std::string& scratch) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  scratch.assign(s);
  for (char& c : scratch) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return scratch;
}

bool IsBatchHeader(const CsvRecord& record) {
  if (!record.error.empty() || record.fields.size() != kBatchColumns.size()) return false;
  std::string scratch;
  for (std::size_t i = 0; i < kBatchColumns.size(); ++i) {
    if (TrimmedLower(record.fields[i], scratch) != kBatchColumns[i]) return false;
  }
  return true;
}

BirthFields FieldsOfRow(std::vector<std::string>& f) {
  return BirthFields{std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
                     std::move(f[4]), std::move(f[5]), std::move(f[6]), std::move(f[7]),
                     std::move(f[8]), std::move(f[9])};
}

int ListZones(std::ostream& out) {
  std::string text;
  for (int i = 0; i < kZoneCount; ++i) {
    std::string position = std::to_string(i);
    text.append(3 - position.size(), ' ');
    text += position;
    text += "  ";
    const std::string_view abbreviation = ZoneAbbreviation(i);
    text += abbreviation;
    text.append(abbreviation.size() < 6 ? 6 - abbreviation.size() : 1, ' ');
    text += kZones[static_cast<std::size_t>(i)].text;
    if (i == kDefaultZoneIndex) text += "  (default)";
    text += '\n';
  }
  out << text;
  return kExitOk;
}

int RunOneChart(const CliOptions& options, CliStreams io) {
  const Parsed<FormEntries> entries = EntriesOf(options.birth);
  if (!entries.value) {
    io.err << kProgram << entries.error << '\n';
    return kExitUsage;
  }
  Session session;
  const ChartRun run = Run_Chart(session, *entries.value);
  std::string out;
  if (run.refusal) {
    if (options.json) {
      AppendRefusalJson(out, entries.value->name, *run.refusal);
      out += '\n';
      io.out << out;
    }
    // The system's own message, alone on its line, then where to look.
    io.err << run.refusal->message << '\n';
    if (run.refusal->focus) {
      io.err << kProgram << "see " << OptionOfField(*run.refusal->focus) << '\n';
    }
    return kExitRefused;
  }
  if (options.json) {
    AppendChartJson(out, run.chart);
    out += '\n';
  } else {
    AppendChartText(out, run.chart);
  }
  io.out << out;
  return kExitOk;
}

}  // namespace

int RunBatch(std::istream& input, bool json, std::ostream& out, std::ostream& err) {
  CsvReader reader(input);
  std::optional<CsvRecord> header = reader.Next();
  if (!header) {
    err << kProgram << "empty batch input: expected the header line " << kBatchHeader << '\n';
    return kExitBadInput;
  }
  if (!IsBatchHeader(*header)) {
    err << kProgram << "line " << header->lineNumber << ": expected the header line "
        << kBatchHeader << '\n';
    return kExitBadInput;
  }

  std::string buffer;
  buffer.reserve(2 * kFlushBytes);
  std::string errors;
  if (!json) buffer += kCsvOutputHeader;
  bool anyFailed = false;
  const auto fail = [&](long line, std::string_view message) {
    anyFailed = true;
    errors += kProgram;
    errors += "line ";
    errors += std::to_string(line);
    errors += ": ";
    errors += message;
    errors += '\n';
  };

  while (std::optional<CsvRecord> record = reader.Next()) {
    if (!record->error.empty()) {
      fail(record->lineNumber, record->error);
    } else if (record->fields.size() != kBatchColumns.size()) {
      fail(record->lineNumber, "expected " + std::to_string(kBatchColumns.size()) +
                                   " fields, found " + std::to_string(record->fields.size()));
    } else {
      const Parsed<FormEntries> entries = EntriesOf(FieldsOfRow(record->fields));
      if (!entries.value) {
        fail(record->lineNumber, entries.error);
      } else {
        Session session;  // each row from a fresh session
        const ChartRun run = Run_Chart(session, *entries.value);
        if (run.refusal) {
          fail(record->lineNumber, run.refusal->message);
        } else if (json) {
          AppendChartJson(buffer, run.chart);
          buffer += '\n';
        } else {
          AppendChartCsv(buffer, run.chart);
        }
      }
    }
    // Errors go out before the output that follows them, so that a reader of
    // both streams sees them near their rows.
    if (!errors.empty()) {
      out << buffer;
      buffer.clear();
      out.flush();
      err << errors;
      errors.clear();
    }
    if (buffer.size() >= kFlushBytes) {
      out << buffer;
      buffer.clear();
    }
  }
  out << buffer;
  out.flush();
  return anyFailed ? kExitRowsFailed : kExitOk;
}

int RunCli(std::span<const std::string_view> args, CliStreams io) {
  const Parsed<CliOptions> parsed = ParseArguments(args);
  if (!parsed.value) {
    io.err << kProgram << parsed.error << '\n';
    return kExitUsage;
  }
  const CliOptions& options = *parsed.value;
  switch (options.mode) {
    case Mode::Help:
      io.out << UsageText();
      return kExitOk;
    case Mode::Version:
      io.out << kVersion;
      return kExitOk;
    case Mode::ListZones:
      return ListZones(io.out);
    case Mode::Batch: {
      if (options.batchPath == "-") return RunBatch(io.in, options.json, io.out, io.err);
      std::error_code ignored;
      std::ifstream file;
      if (!std::filesystem::is_directory(options.batchPath, ignored)) {
        file.open(options.batchPath, std::ios::binary);
      }
      if (!file.is_open()) {
        io.err << kProgram << "cannot open the batch file \"" << options.batchPath << "\"\n";
        return kExitNoInput;
      }
      return RunBatch(file, options.json, io.out, io.err);
    }
    case Mode::Chart:
      break;
  }
  return RunOneChart(options, io);
}

}  // namespace orvanta::cli
