#include "cli/app.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <istream>
#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/pipeline.h"
#include "cli/places.h"
#include "cli/render.h"
#include "io/birth_resolution.h"
#include "io/births_csv.h"
#include "io/bytes.h"
#include "io/csv.h"
#include "io/whole_file.h"
#include "tables/zones.h"
#include "version.h"

namespace orvanta::cli {

namespace {

constexpr std::string_view kProgram = "orvanta-cli: ";

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
    case FormField::Day:
      return "--date (day)";
    case FormField::Hour:
      return "--time (hour)";
    case FormField::Minute:
      return "--time (minute)";
    case FormField::Second:
      return "--time (second)";
  }
  return "";
}

// A message as one line of printable text: the line breaks of a message
// that lists several things become "; " (a blank after a colon), and any
// other control character (from a field the user gave) is shown as \xNN.
std::string OneLine(std::string_view message) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string line;
  for (std::size_t i = 0; i < message.size(); ++i) {
    const auto byte = static_cast<unsigned char>(message[i]);
    if (byte == '\n') {
      while (i + 1 < message.size() && message[i + 1] == ' ') ++i;
      line += line.ends_with(':') ? " " : "; ";
    } else if (byte < 0x20 || byte == 0x7F) {
      line += "\\x";
      line += kHex[byte >> 4];
      line += kHex[byte & 0xF];
    } else {
      line += message[i];
    }
  }
  return line;
}

// A birth given by options with its place and zone resolved by the births
// file's rules (a zone that cannot be looked up because the tz database is
// missing or damaged says so).
ResolvedBirth ResolveOptions(const BirthFields& fields, PlaceServices& services,
                             ClockPreference preference) {
  return ResolveBirth(fields, services, kOptionWords, preference);
}

// One batch record made into a birth, or the reason it is none: the
// record's fields by the header's layout, the place and zone resolved by
// the births file's rules (io/birth_resolution.h) here in the reading
// thread (PlaceServices keeps caches), the chart left to the pipeline.
// Returns the bytes of the record's fields.
std::size_t ReadRow(CsvRecord& record, const BatchLayout& layout, const PlaceFinder& findPlace,
                    ZoneHistory& history, BatchRow& row) {
  row.lineNumber = record.lineNumber;
  std::size_t bytes = 0;
  for (const std::string& field : record.fields) bytes += field.size();
  Parsed<BirthFields> fields = FieldsOfRecord(record, layout);
  if (!fields.value) {
    row.error = std::move(fields.error);
    return bytes;
  }
  RowResolution resolved = ResolveRow(*fields.value, findPlace, history);
  if (!resolved.birth) {
    row.error = std::move(resolved.error);
    return bytes;
  }
  // A birth the form refuses gives the form's message in its place.
  if (resolved.birth->refusal) {
    row.error = resolved.birth->refusal->message;
    return bytes;
  }
  row.birth = std::move(resolved.birth->birth);
  row.report.place = std::move(resolved.place);
  row.report.coordinates = resolved.coordinates;
  row.report.zone = std::move(resolved.zone);
  return bytes;
}

std::string ZoneList() {
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
  return text;
}

// Writes the whole of `text` to standard output; on failure says so.
int WriteOutput(ByteSink& out, std::string_view text, std::ostream& err, int status) {
  if (const int error = out.Write(text); error != 0) {
    err << std::string(kProgram) + "cannot write the output: " + ErrorText(error) + "\n";
    return kExitCannotWrite;
  }
  return status;
}

// An open file descriptor, closed with its owner.
class OwnedDescriptor {
 public:
  explicit OwnedDescriptor(int fd) : fd_(fd) {}
  ~OwnedDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  OwnedDescriptor(const OwnedDescriptor&) = delete;
  OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// The batch file opened for reading; -1 for a directory or a file that
// cannot be opened, with `error` set to why.
int OpenBatchFile(const std::string& path, int& error) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    return -1;
  }
  return fd;
}

int RunOneChart(const CliOptions& options, CliChannels io) {
  PlaceServices services;
  const ResolvedBirth resolved = ResolveOptions(options.birth, services, options.clock);
  if (!resolved.birth) {
    io.err << kProgram << OneLine(resolved.error) << '\n';
    return resolved.status;
  }
  const BirthReading& reading = *resolved.birth;
  std::string out;
  if (const std::optional<Refusal>& refusal = reading.refusal) {
    int status = kExitRefused;
    if (options.jsonRecord) {
      AppendRefusalJson(out, reading.birth.name, *refusal);
      out += '\n';
      status = WriteOutput(io.out, out, io.err, status);
    } else if (options.json) {
      AppendRefusalSchemaJson(out, reading.birth.name, *refusal);
      out += '\n';
      status = WriteOutput(io.out, out, io.err, status);
    }
    // The system's own message, alone on its line, then where to look.
    io.err << refusal->message << '\n';
    if (refusal->focus) {
      io.err << kProgram << "see " << OptionOfField(*refusal->focus) << '\n';
    }
    return status;
  }
  const ChartOutput chart = ComputeChart(reading.birth, options.calculation);
  if (options.svgPath == "-") {
    // The drawing on standard output, before the chart's own output.
    out += ChartSvg(chart, options.style, options.charts);
  } else if (!options.svgPath.empty()) {
    // The drawing first, whole or not at all: a run that cannot keep it
    // stops before writing anything else.
    const std::string svg = ChartSvg(chart, options.style, options.charts);
    if (const auto why = WriteWholeFile(options.svgPath, svg)) {
      io.err << kProgram << "cannot write the drawing "
             << QuotedForMessage(options.svgPath, kWholeText) << ": " << *why << '\n';
      return kExitCannotWrite;
    }
  }
  if (options.jsonRecord) {
    AppendChartJson(out, chart, options.fields, &resolved.report);
    out += '\n';
  } else if (options.json) {
    AppendChartSchemaJson(out, chart, &resolved.report, options.style, options.dasha,
                          options.schemaFields);
    out += '\n';
  } else {
    AppendChartText(out, chart, &resolved.report, options.dasha);
  }
  return WriteOutput(io.out, out, io.err, kExitOk);
}

}  // namespace

int RunBatch(ByteSource& input, std::string_view inputName, const BatchSettings& settings,
             ByteSink& out, std::ostream& err) {
  CsvReader reader(input);
  RowWriter writer(out);
  // Each message is handed to the error stream whole: standard error is
  // unbuffered, and a message should not reach it in pieces.
  const auto say = [&](const std::string& message) { err << message; };
  const auto readFailed = [&] {
    const CsvReadError& e = *reader.readError();
    say(std::string(kProgram) + "line " + std::to_string(e.lineNumber) + ": reading " +
        std::string(inputName) + ": " + ErrorText(e.errorNumber) + "\n");
    return kExitNoInput;
  };
  const auto writeFailed = [&] {
    say(std::string(kProgram) + "cannot write the output: " + ErrorText(writer.error()) + "\n");
    return kExitCannotWrite;
  };

  // A stop request, once seen by any part of the run, is kept: the run
  // then ends as stopped by that signal, whatever else comes.
  std::atomic<int> stoppedBy{0};
  const auto stopAsked = [&]() -> bool {
    if (settings.stop == nullptr) return false;
    const int signal = settings.stop->load(std::memory_order_relaxed);
    if (signal == 0) return false;
    int none = 0;
    stoppedBy.compare_exchange_strong(none, signal);
    return true;
  };
  long rowsDone = 0;  // rows whose chart or message went out
  long lastLine = 0;  // the input line of the last of them
  const auto reportStop = [&] {
    const int signal = stoppedBy.load();
    say(std::string(kProgram) + "stopped by " + SignalName(signal) +
        (rowsDone == 0 ? std::string(" before the first row")
                       : " after " + std::to_string(rowsDone) + (rowsDone == 1 ? " row" : " rows") +
                             ", the last on line " + std::to_string(lastLine)) +
        "\n");
    return ExitStatusOfSignal(signal);
  };

  std::optional<CsvRecord> header = reader.Next();
  if (!header) {
    // A read woken by the stop request is no failed read.
    if (stopAsked()) return reportStop();
    if (reader.readError()) return readFailed();
    say(std::string(kProgram) + "empty batch input: expected the header line " +
        std::string(kBatchHeader) + "\n");
    return kExitBadInput;
  }
  const auto layout = LayoutOfHeader(*header);
  if (!layout) {
    std::string message =
        std::string(kProgram) + "line " + std::to_string(header->lineNumber) + ": ";
    if (!header->error.empty()) message += header->error + "; ";
    say(message + "expected the header line " + std::string(kBatchHeader) + "\n");
    return kExitBadInput;
  }
  PlaceServices services;
  const PlaceFinder findPlace = [&services](const std::string& query) -> const PlaceResolution& {
    return services.ResolveBirthPlace(query);
  };

  if (!settings.json) {
    writer.buffer() += kCsvOutputHeader;
    if (!writer.EndRow()) return writeFailed();
  }

  // Computes one row; runs in the pipeline's workers.
  const auto compute = [&settings](BatchRow& row, std::string& output) {
    // A CSV line shows the positions and the Indu Lagna's sign only.
    const ChartOutput chart =
        ComputeChart(row.birth, settings.calculation,
                     settings.json ? ChartScope::Everything : ChartScope::PositionsAndLagna);
    if (settings.json && settings.record) {
      AppendChartJson(output, chart, settings.fields, &row.report);
      output += '\n';
    } else if (settings.json) {
      AppendChartSchemaJson(output, chart, &row.report, settings.style, settings.dasha,
                            settings.schemaFields);
      output += '\n';
    } else {
      AppendChartCsv(output, chart);
    }
  };
  // Writes the rows of a chunk in order; runs in one worker at a time.
  bool anyFailed = false;
  const auto write = [&](const BatchChunk& chunk) {
    const std::string_view output = chunk.output;
    std::size_t start = 0;  // the chunk's output not yet handed to the writer
    for (std::size_t i = 0; i < chunk.count; ++i) {
      // Asked to stop: the run ends after the row written last.
      if (stopAsked()) return false;
      const BatchRow& row = chunk.rows[i];
      if (row.error.empty()) {
        writer.buffer() += output.substr(start, row.outputEnd - start);
        if (!writer.EndRow()) return false;
      } else {
        // Errors go out after the rows before them, so that a reader of
        // both streams sees them near their rows.
        anyFailed = true;
        if (!writer.Flush()) return false;
        say(std::string(kProgram) + "line " + std::to_string(row.lineNumber) + ": " +
            OneLine(row.error) + "\n");
      }
      start = row.outputEnd;
      ++rowsDone;
      lastLine = row.lineNumber;
    }
    return true;
  };

  BatchPipeline pipeline(settings.jobs, compute, write, settings.stop);
  reader.SetBeforeRead([&pipeline] { pipeline.Dispatch(); });
  while (!pipeline.Stopped() && !stopAsked()) {
    std::optional<CsvRecord> record = reader.Next();
    if (!record) break;
    BatchRow& row = pipeline.NewRow();
    pipeline.RowDone(ReadRow(*record, *layout, findPlace, services.history(), row));
  }
  reader.SetBeforeRead(nullptr);
  // A read woken by the stop request is no failed read.
  stopAsked();
  const bool finished = pipeline.Finish();
  stopAsked();
  if (!finished && stoppedBy.load() == 0) return writeFailed();
  // The rows computed before a failed read or a stop are written before
  // it is reported.
  if (!writer.Flush()) return writeFailed();
  if (stoppedBy.load() != 0) return reportStop();
  return reader.readError() ? readFailed() : anyFailed ? kExitRowsFailed : kExitOk;
}

int RunBatch(ByteSource& input, std::string_view inputName, bool json, ByteSink& out,
             std::ostream& err) {
  BatchSettings settings;
  settings.json = json;
  return RunBatch(input, inputName, settings, out, err);
}

int RunBatch(std::istream& input, const BatchSettings& settings, std::ostream& out,
             std::ostream& err) {
  StreamSource source(input);
  StreamSink sink(out);
  return RunBatch(source, "the batch input", settings, sink, err);
}

int RunBatch(std::istream& input, bool json, std::ostream& out, std::ostream& err) {
  BatchSettings settings;
  settings.json = json;
  return RunBatch(input, settings, out, err);
}

int RunCli(std::span<const std::string_view> args, CliChannels io) {
  const Parsed<CliOptions> parsed = ParseArguments(args);
  if (!parsed.value) {
    io.err << kProgram << parsed.error << '\n';
    return kExitUsage;
  }
  const CliOptions& options = *parsed.value;
  switch (options.mode) {
    case Mode::Help:
      return WriteOutput(io.out, UsageText(), io.err, kExitOk);
    case Mode::Version:
      return WriteOutput(io.out, "orvanta-cli " + std::string(kVersion) + "\n", io.err, kExitOk);
    case Mode::ListZones:
      return WriteOutput(io.out, ZoneList(), io.err, kExitOk);
    case Mode::ListPlaces: {
      PlaceServices services;
      const PlaceList list = ListPlaces(options.placesQuery, options.json, services);
      if (!list.error.empty()) io.err << kProgram << OneLine(list.error) << '\n';
      return WriteOutput(io.out, list.text, io.err, list.status);
    }
    case Mode::Batch: {
      BatchSettings settings;
      settings.json = options.json;
      settings.record = options.jsonRecord;
      settings.jobs = options.jobs > 0 ? options.jobs : UsableCores();
      settings.fields = options.fields;
      settings.schemaFields = options.schemaFields;
      settings.calculation = options.calculation;
      settings.style = options.style;
      StopRequest* stop = io.catchStop ? io.catchStop() : nullptr;
      if (stop != nullptr) settings.stop = &stop->signal;
      settings.dasha = options.dasha;
      if (options.batchPath == "-") {
        return RunBatch(io.in, "standard input", settings, io.out, io.err);
      }
      int openError = 0;
      const OwnedDescriptor file(OpenBatchFile(options.batchPath, openError));
      // The path as the user gave it, shown printable (a name may hold a
      // line break or a terminal escape).
      const std::string shownPath = QuotedForMessage(options.batchPath, kWholeText);
      if (file.get() < 0) {
        io.err << kProgram << "cannot open the batch file " << shownPath << ": "
               << ErrorText(openError) << '\n';
        return kExitNoInput;
      }
      DescriptorSource source(file.get(), stop != nullptr ? stop->wakeFd : -1);
      return RunBatch(source, shownPath, settings, io.out, io.err);
    }
    case Mode::Chart:
      break;
  }
  return RunOneChart(options, io);
}

int RunCli(std::span<const std::string_view> args, CliStreams io) {
  StreamSource in(io.in);
  StreamSink out(io.out);
  return RunCli(args, CliChannels{in, out, io.err});
}

}  // namespace orvanta::cli
