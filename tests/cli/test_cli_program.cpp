// Tests that run the built orvanta-cli as a child process: golden files for
// fixed arguments (text, JSON, batch, zone list), every kind of refusal by
// validation with the system's message and status 2, malformed arguments
// with status 64, and batch input with bad rows, damaged headers, CR LF
// endings and a missing file.
//
// Golden files live in tests/cli/golden/: NAME.out (standard output) and
// NAME.err (standard error) of each row of kGoldenCases. After a deliberate
// change of the output, rebuild them with
//     ORVANTA_UPDATE_GOLDEN=1 build/tests/cli/test_cli_program
// and read the difference before committing it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  int signal = 0;   // the signal that ended it, if one did
  double seconds = 0;
  std::string out, err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// A scratch directory of this test process, removed at the end.
class Scratch {
 public:
  Scratch() {
    dir_ = fs::temp_directory_path() / ("orvanta-cli-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
};

const Scratch& ScratchDir() {
  static const Scratch scratch;
  return scratch;
}

// How the program is started: its arguments, what its standard input and
// output are, and variables added to its environment.
struct Launch {
  std::vector<std::string> args;
  std::string stdinPath;   // opened as standard input; empty: standard input closed
  std::string stdoutPath;  // standard output (a file of the scratch directory by default)
  std::vector<std::string> environment;
};

// Spawns orvanta-cli with standard error to a file and SIGPIPE at its
// default; extra file actions come from `actions`. Returns its pid or -1.
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
            posix_spawn_file_actions_t& actions) {
  const fs::path errPath = ScratchDir().dir() / "stderr";
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::vector<std::string> argvStrings = {ORVANTA_CLI_PATH};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings = environment;
  for (char** e = environ; *e != nullptr; ++e) envStrings.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  if (posix_spawn(&pid, ORVANTA_CLI_PATH, &actions, &attributes, argv.data(), envp.data()) != 0) {
    pid = -1;
  }
  posix_spawnattr_destroy(&attributes);
  return pid;
}

// A run that has not ended after this long is taken for a hang and killed,
// so that a fault fails its test instead of stopping the suite.
constexpr auto kHangLimit = std::chrono::seconds(60);

// Waits for the program (killing it at kHangLimit); fills status, signal
// and standard error.
void Reap(pid_t pid, Result& result) {
  if (pid <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + kHangLimit;
  int wstatus = 0;
  pid_t ended = 0;
  while ((ended = waitpid(pid, &wstatus, WNOHANG)) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ADD_FAILURE() << "the program did not end within " << kHangLimit.count() << " s";
      kill(pid, SIGKILL);
      ended = waitpid(pid, &wstatus, 0);
      break;
    }
    usleep(1000);
  }
  if (ended == pid) {
    if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
    if (WIFSIGNALED(wstatus)) result.signal = WTERMSIG(wstatus);
  }
  result.err = ReadFile(ScratchDir().dir() / "stderr");
}

Result RunLaunch(const Launch& launch) {
  const fs::path outPath =
      launch.stdoutPath.empty() ? ScratchDir().dir() / "stdout" : fs::path(launch.stdoutPath);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (launch.stdinPath.empty()) {
    posix_spawn_file_actions_addclose(&actions, 0);
  } else {
    posix_spawn_file_actions_addopen(&actions, 0, launch.stdinPath.c_str(), O_RDONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  const auto start = std::chrono::steady_clock::now();
  Result result;
  Reap(Spawn(launch.args, launch.environment, actions), result);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  if (fs::is_regular_file(outPath)) result.out = ReadFile(outPath);
  return result;
}

// Runs orvanta-cli with `args`, standard input read from `input`.
Result RunProgram(const std::vector<std::string>& args, std::string_view input = "") {
  const fs::path inPath = ScratchDir().dir() / "stdin";
  WriteFile(inPath, input);
  return RunLaunch({args, inPath.string(), "", {}});
}

std::string Golden(std::string_view name) {
  return std::string(ORVANTA_GOLDEN_DIR) + "/" + std::string(name);
}

const std::vector<std::string> kDelhi = {"--name", "ARJUN MEHTA", "--date", "1980-06-15", "--time",
                                         "10:30",  "--lat",       "28N36",  "--lon",      "77E12",
                                         "--zone", "IST",         "--city", "New Delhi",  "--state",
                                         "Delhi",  "--country",   "India"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// A birth with one option replaced.
std::vector<std::string> Replace(std::vector<std::string> args, const std::string& option,
                                 const std::string& value) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == option) args[i + 1] = value;
  }
  return args;
}

struct GoldenCase {
  const char* name;
  std::vector<std::string> args;
  const char* stdinFile;  // file in golden/ fed to standard input, or nullptr
  int status;
};

std::vector<GoldenCase> GoldenCases() {
  return {
      // The example of `make run`: Delhi, 15 June 1980, 10:30 Indian time.
      {"delhi_text", kDelhi, nullptr, 0},
      {"delhi_json", With(kDelhi, {"--json-record"}), nullptr, 0},
      {"delhi_chart_json", With(kDelhi, {"--json"}), nullptr, 0},
      // The Navamsa drawn North-Indian on standard output, then the chart's
      // JSON naming the style.
      {"delhi_navamsa_north_svg",
       With(kDelhi, {"--svg", "-", "--style", "north", "--chart", "navamsa", "--json"}), nullptr,
       0},
      // Southern and western hemispheres, daylight saving, seconds.
      {"new_york_dst_json",
       {"--name", "GRACE HOLT", "--date", "1969-07-20", "--time", "22:56:15", "--lat", "40N43",
        "--lon", "74W00", "--zone", "EST", "--dst", "--city", "New York", "--json-record"},
       nullptr,
       0},
      {"sydney_text",
       {"--name", "MIA CHEN", "--date", "2000-01-01", "--time", "00:00", "--lat", "33s52", "--lon",
        "151e12", "--zone", "8"},
       nullptr,
       0},
      // A birth after sunset (measured to the next sunrise), Greenwich.
      {"london_evening_json",
       {"--name", "EVE STONE", "--date", "2000-03-21", "--time", "21:15", "--lat", "51N30", "--lon",
        "0W07", "--json-record"},
       nullptr,
       0},
      // Beyond the polar circle in midsummer: no sunrise or sunset.
      {"tromso_midsummer_json",
       {"--name", "POLAR", "--date", "1990-06-21", "--time", "12:00", "--lat", "69N39", "--lon",
        "18E57", "--zone", "CET", "--json-record"},
       nullptr,
       0},
      {"batch_json", {"--batch", "-", "--json-record"}, "batch_rows.csv", 1},
      {"batch_csv", {"--batch", "-"}, "batch_rows.csv", 1},
      {"list_zones", {"--list-zones"}, nullptr, 0},
      {"refused_json", Replace(With(kDelhi, {"--json-record"}), "--date", "1981-02-29"), nullptr,
       2},
      // A place from the atlas and the zone from its history (summer time 1990).
      {"madrid_place_json",
       {"--name", "ANA RUIZ", "--date", "1990-07-04", "--time", "14:25", "--place", "Madrid, Spain",
        "--json-record"},
       nullptr,
       0},
      {"madrid_place_text",
       {"--name", "ANA RUIZ", "--date", "1990-01-04", "--time", "14:25", "--place",
        "madrid, spain"},
       nullptr,
       0},
      {"places_madrid", {"--places", "Madrid"}, nullptr, 0},
      {"places_madrid_json", {"--places", "Madrid, Colombia", "--json"}, nullptr, 0},
      // Columns by name, in another order, with place and tz.
      {"batch_places_json", {"--batch", "-", "--json-record"}, "batch_places.csv", 1},
      // Chosen calculation settings: their line under the title, the
      // classical count's explanation, the settings in the JSON.
      {"delhi_settings_text",
       With(kDelhi, {"--ayanamsa", "lahiri", "--node", "true", "--il-rule", "classical"}), nullptr,
       0},
      {"delhi_dasha_text",
       With(kDelhi, {"--dasha-levels", "3", "--dasha-at", "2026-12-09", "--dasha-year", "savana"}),
       nullptr, 0},
      {"delhi_dasha_json", With(kDelhi, {"--json", "--dasha-levels=3", "--dasha-at=2026-12-09"}),
       nullptr, 0},
      {"batch_dasha_json", {"--batch", "-", "--json", "--dasha-levels", "1"}, "batch_rows.csv", 1},
      {"delhi_settings_chart_json",
       With(kDelhi, {"--ayanamsa=kp", "--node=mean", "--il-rule=classical", "--json"}), nullptr, 0},
      {"batch_csv_raman",
       {"--batch", "-", "--ayanamsa", "raman", "--node", "true"},
       "batch_rows.csv",
       1},
  };
}

TEST(CliGolden, OutputMatchesTheCheckedInFiles) {
  const bool update = std::getenv("ORVANTA_UPDATE_GOLDEN") != nullptr;
  for (const GoldenCase& c : GoldenCases()) {
    SCOPED_TRACE(c.name);
    const std::string input = c.stdinFile ? ReadFile(Golden(c.stdinFile)) : "";
    const Result r = RunProgram(c.args, input);
    EXPECT_EQ(r.status, c.status) << r.err;
    const std::string outFile = Golden(std::string(c.name) + ".out");
    const std::string errFile = Golden(std::string(c.name) + ".err");
    if (update) {
      WriteFile(outFile, r.out);
      WriteFile(errFile, r.err);
      continue;
    }
    ASSERT_TRUE(fs::exists(outFile)) << outFile;
    EXPECT_EQ(r.out, ReadFile(outFile)) << "standard output differs from " << outFile;
    EXPECT_EQ(r.err, ReadFile(errFile)) << "standard error differs from " << errFile;
  }
}

TEST(CliProgram, TextAndJsonAgree) {
  // The text report and the JSON object of one birth show the same positions.
  const Result text = RunProgram(kDelhi);
  const Result json = RunProgram(With(kDelhi, {"--json-record"}));
  ASSERT_EQ(text.status, 0) << text.err;
  ASSERT_EQ(json.status, 0) << json.err;
  const std::size_t at = json.out.find("\"PositionText\":[");
  ASSERT_NE(at, std::string::npos);
  std::size_t p = at + 16;
  for (int body = 0; body < 10; ++body) {
    const std::size_t open = json.out.find('"', p);
    const std::size_t close = json.out.find('"', open + 1);
    const std::string position = json.out.substr(open + 1, close - open - 1);
    EXPECT_NE(text.out.find(position), std::string::npos) << position;
    p = close + 1;
  }
  EXPECT_EQ(json.out.back(), '\n');
  EXPECT_EQ(json.out.find('\n'), json.out.size() - 1);  // one line
}

// --svg writes the drawing beside an unchanged text report and JSON record;
// a drawing that cannot be written stops the run with status 74, before
// any other output, and leaves no file.
TEST(CliProgram, DrawingBesideAnUnchangedReport) {
  const fs::path svg = ScratchDir().dir() / "chart.svg";
  const Result text = RunProgram(kDelhi);
  const Result record = RunProgram(With(kDelhi, {"--json-record"}));
  for (const std::string style : {"south", "north", "east"}) {
    SCOPED_TRACE(style);
    fs::remove(svg);
    const Result drawn = RunProgram(With(kDelhi, {"--svg", svg.string(), "--style", style}));
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(drawn.out, text.out);
    EXPECT_EQ(drawn.err, "");
    const std::string content = ReadFile(svg);
    EXPECT_TRUE(content.starts_with("<?xml")) << content.substr(0, 80);
    EXPECT_NE(content.find("data-style=\"" + style + "-indian\""), std::string::npos);
    EXPECT_NE(content.find("data-chart=\"navamsa\""), std::string::npos);
    const Result drawnRecord =
        RunProgram(With(kDelhi, {"--json-record", "--svg", svg.string(), "--style", style}));
    EXPECT_EQ(drawnRecord.out, record.out);
  }
  const fs::path nowhere = ScratchDir().dir() / "no such folder" / "chart.svg";
  const Result failed = RunProgram(With(kDelhi, {"--svg", nowhere.string()}));
  EXPECT_EQ(failed.status, 74);
  EXPECT_EQ(failed.out, "");
  EXPECT_TRUE(failed.err.starts_with("orvanta-cli: cannot write the drawing \"")) << failed.err;
  EXPECT_TRUE(failed.err.ends_with("\": No such file or directory\n")) << failed.err;
  EXPECT_FALSE(fs::exists(nowhere));
  fs::remove(svg);
}

// Hex of the bytes, as the reading-back script prints a title.
std::string Hex(std::string_view bytes) {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    out += kHex[static_cast<unsigned char>(c) >> 4];
    out += kHex[static_cast<unsigned char>(c) & 0xF];
  }
  return out;
}

// A name of every hostile kind gives, in each style, a drawing that Python's
// XML parser reads back: well-formed, an SVG, no script element, no
// character XML forbids, and the name as the title's text, with U+FFFD for
// what XML cannot carry (a control character, U+FFFE, U+FFFF, a byte that
// is not UTF-8: one U+FFFD a byte, as in the JSON).
TEST(CliProgram, HostileNamesGiveWellFormedDrawings) {
  struct Case {
    const char* label;
    std::string name;
    std::string title;  // the title's text as read back
  };
  const std::string big(100 * 1024, 'x');
  const std::vector<Case> cases = {
      {"a script", "</title><script>alert(document.domain)</script><title>",
       "</title><script>alert(document.domain)</script><title>"},
      {"<", "A<B", "A<B"},
      {"&", "A&B", "A&B"},
      {"\"", "A\"B", "A\"B"},
      {"'", "A'B", "A'B"},
      {"]]>", "A]]>B", "A]]>B"},
      {"a processing instruction", "<?xml-stylesheet href=\"x\"?>",
       "<?xml-stylesheet href=\"x\"?>"},
      {"\\x01",
       "A\x01"
       "B",
       "A\uFFFDB"},
      {"\\x08",
       "A\x08"
       "B",
       "A\uFFFDB"},
      {"\\x0b",
       "A\x0B"
       "B",
       "A\uFFFDB"},
      {"\\x0c",
       "A\x0C"
       "B",
       "A\uFFFDB"},
      {"ESC", "A\x1B[31mB", "A\uFFFD[31mB"},
      {"U+FFFE",
       "A\xEF\xBF\xBE"
       "B",
       "A\uFFFDB"},
      {"U+FFFF",
       "A\xEF\xBF\xBF"
       "B",
       "A\uFFFDB"},
      {"an encoded lone surrogate",
       "A\xED\xA0\x80"
       "B",
       "A\uFFFD\uFFFD\uFFFDB"},
      {"\\xff",
       "A\xFF"
       "B",
       "A\uFFFDB"},
      {"\\xc3 alone",
       "A\xC3"
       "B",
       "A\uFFFDB"},
      {"100 KB", big, big},
  };
  const fs::path dir = ScratchDir().dir() / "hostile";
  fs::create_directories(dir);
  std::vector<std::string> files, expected, labels;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    for (const std::string style : {"south", "north", "east"}) {
      const Case& c = cases[i];
      SCOPED_TRACE(std::string(c.label) + ", " + style);
      const fs::path svg = dir / (std::to_string(i) + "-" + style + ".svg");
      std::vector<std::string> args = kDelhi;
      args[1] = c.name;
      const Result r = RunProgram(With(args, {"--svg", svg.string(), "--style", style}));
      ASSERT_EQ(r.status, 0) << r.err;
      files.push_back(svg.string());
      expected.push_back("OK " + Hex("Orvanta - " + c.title));
      labels.push_back(std::string(c.label) + ", " + style);
    }
  }
  std::string command = "/usr/bin/python3 " ORVANTA_SVG_CHECK;
  for (const std::string& f : files) command += " '" + f + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string report;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    report.append(buffer, n);
  ASSERT_EQ(::pclose(pipe), 0) << "install Debian's python3 (tools/install-deps.sh does)";
  std::istringstream lines(report);
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(labels[i]);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.substr(0, 300), expected[i].substr(0, 300));
    EXPECT_EQ(line.size(), expected[i].size());
  }
  fs::remove_all(dir);
}

struct RefusalCase {
  const char* label;
  std::vector<std::string> args;
  std::string_view message;  // the system's own text
  std::string_view focus;    // "null" or the control name in quotes
  std::string_view icon;
};

TEST(CliProgram, RefusalsCarryTheSystemMessageAndStatus2) {
  // Messages, icons and focus of the eight checks of the input validation.
  const RefusalCase cases[] = {
      {"empty name", Replace(kDelhi, "--name", ""), "Please Enter Name", "\"txtName\"", "stop"},
      {"blank name", Replace(kDelhi, "--name", "   "), "Please Enter Name", "\"txtName\"", "stop"},
      {"longitude 180", Replace(kDelhi, "--lon", "180E00"),
       "Please Enter Value Between 0 And 179 in the Degree of Longitude", "\"txtLonD\"", "stop"},
      {"huge longitude degrees", Replace(kDelhi, "--lon", "99999999999999999999E00"),
       "Please Enter Value Between 0 And 179 in the Degree of Longitude", "\"txtLonD\"", "stop"},
      {"longitude minute 60", Replace(kDelhi, "--lon", "77E60"),
       "Please Enter Value Between 0 And 59 in the  Minute of Longitude", "\"txtLonM\"", "stop"},
      {"latitude 90", Replace(kDelhi, "--lat", "90N00"),
       "Please Enter Value Between 0 And 89 in the Degree of Latitude", "\"txtLatD\"", "stop"},
      {"latitude minute 60", Replace(kDelhi, "--lat", "28S60"),
       "Please Enter Value Between 0 And 59 in the  Minute of Latitude", "\"txtLatM\"", "stop"},
      {"29 February 1981", Replace(kDelhi, "--date", "1981-02-29"),
       "Please Enter Correct Date Or Month!", "null", "information"},
      {"30 February 2000", Replace(kDelhi, "--date", "2000-02-30"),
       "Please Enter Correct Date Or Month!", "null", "information"},
      {"31 April", Replace(kDelhi, "--date", "1980-04-31"), "Please Enter Correct Date Or Month !",
       "null", "information"},
      {"name first of two faults", Replace(Replace(kDelhi, "--name", ""), "--lat", "95N00"),
       "Please Enter Name", "\"txtName\"", "stop"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result text = RunProgram(c.args);
    EXPECT_EQ(text.status, 2);
    EXPECT_EQ(text.out, "");  // never a partial chart
    EXPECT_EQ(text.err.substr(0, text.err.find('\n')), c.message) << text.err;

    const Result json = RunProgram(With(c.args, {"--json-record"}));
    EXPECT_EQ(json.status, 2);
    EXPECT_NE(
        json.out.find("\"Valid\":false,\"Message\":\"" + std::string(c.message) + "\",\"Icon\":\"" +
                      std::string(c.icon) + "\",\"Focus\":" + std::string(c.focus) + "}"),
        std::string::npos)
        << json.out;
  }
}

TEST(CliProgram, LeapDaysThatPass) {
  // 29 February 2000 and 1900-style leap years pass validation (every year
  // divisible by 4 is a leap year); 31 March passes.
  for (const char* date : {"2000-02-29", "1904-02-29", "1980-03-31"}) {
    SCOPED_TRACE(date);
    const Result r = RunProgram(Replace(kDelhi, "--date", date));
    EXPECT_EQ(r.status, 0) << r.err;
  }
}

struct UsageCase {
  const char* label;
  std::vector<std::string> args;
  std::string_view errorPart;
};

TEST(CliProgram, MalformedArgumentsGiveStatus64AndNoChart) {
  const UsageCase cases[] = {
      {"no arguments", {}, "no birth given"},
      {"month 13", Replace(kDelhi, "--date", "1980-13-01"), "the month must be 01..12"},
      {"year 1900", Replace(kDelhi, "--date", "1900-06-15"), "1901..2050"},
      {"year 2051", Replace(kDelhi, "--date", "2051-06-15"), "1901..2050"},
      {"day 32", Replace(kDelhi, "--date", "1980-01-32"), "the day must be 01..31"},
      {"hour 24", Replace(kDelhi, "--time", "24:00"), "bad time"},
      {"pasted coordinate", Replace(kDelhi, "--lat", "28X36"), "bad latitude"},
      {"decimal coordinate", Replace(kDelhi, "--lon", "77.2"), "bad longitude"},
      {"ambiguous zone", Replace(kDelhi, "--zone", "NST"),
       "50 (Newfoundland Standard Time,NST,-3.5), 52 (North Sumatra Time,NST,+6.5)"},
      {"zone 71", Replace(kDelhi, "--zone", "71"), "0..70"},
      {"unknown zone", Replace(kDelhi, "--zone", "MARS"), "unknown zone"},
      {"unknown option", With(kDelhi, {"--polar"}), "unknown option"},
      {"unknown ayanamsa", With(kDelhi, {"--ayanamsa", "fagan"}),
       "--ayanamsa needs program, lahiri, raman or kp, not \"fagan\""},
      {"unknown node", With(kDelhi, {"--node=osculating"}), "--node needs program, mean or true"},
      {"unknown Indu Lagna rule", With(kDelhi, {"--il-rule", "moon"}),
       "--il-rule needs program or classical"},
      // A forgotten value does not take the next option as the value.
      {"value missing before an option", Replace(kDelhi, "--city", "--json-record"),
       "--city needs a value"},
      {"help with a value", {"--help=1"}, "--help takes no value"},
      {"version with a value", {"--version=x"}, "--version takes no value"},
      {"missing time",
       {"--name", "A", "--date", "1980-06-15", "--lat", "28N36", "--lon", "77E12"},
       "missing --time"},
      // A zone is named by the tz database, never left to the default or to
      // the computer's own setting.
      {"empty zone name", With(kDelhi, {"--tz", ""}), "--tz needs a tz database name"},
      // An empty place is named, not taken for missing coordinates.
      {"empty place",
       {"--name", "A", "--date", "1980-06-15", "--time", "10:30", "--place="},
       "--place is empty"},
      {"the host's zone",
       {"--name", "A", "--date", "1980-06-15", "--time", "10:30", "--lat", "28N36", "--lon",
        "77E12", "--tz", "localtime"},
       "unknown time zone \"localtime\""},
  };
  for (const UsageCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunProgram(c.args);
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.errorPart), std::string::npos) << r.err;
    EXPECT_EQ(r.err.rfind("orvanta-cli: ", 0), 0u) << r.err;
  }
}

TEST(CliProgram, PlacesAndTheZoneHistory) {
  const std::vector<std::string> birth = {"--name", "A", "--date", "2008-11-02", "--time", "01:30"};
  struct Case {
    const char* label;
    std::vector<std::string> args;
    int status;
    std::string_view outPart;  // in standard output, or "" for none
    std::string_view errPart;  // in standard error, or "" for none
  };
  const Case cases[] = {
      {"doubled time names both readings", With(birth, {"--place", "New York, USA"}), 2, "",
       "happened twice: UTC-4:00, summer time (EDT), and UTC-5:00, standard time (EST). Choose "
       "--dst for the summer-time reading or --no-dst for the standard one."},
      {"--dst takes the summer reading",
       With(birth, {"--place", "New York, USA", "--dst", "--json-record"}), 0,
       "\"ZoneShiftHours\":4,", ""},
      {"--no-dst takes the standard reading",
       With(birth, {"--place", "New York, USA", "--no-dst", "--json-record"}), 0,
       "\"ZoneResolved\":{\"TimeZone\":\"America/New_York\",\"OffsetMinutes\":-300,", ""},
      // Dublin's summer time is standard time in the tz database's terms,
      // and its winter is flagged: the reading called summer time is the one
      // --dst takes, an hour ahead (ZoneShiftHours -1), in every zone.
      {"doubled time in Dublin names its summer time",
       {"--name", "A", "--date", "2020-10-25", "--time", "01:30", "--place", "Dublin, Ireland"},
       2,
       "",
       "happened twice: UTC+1:00, summer time (IST), and UTC+0:00, standard time (GMT). Choose "
       "--dst for the summer-time reading or --no-dst for the standard one."},
      {"--dst in Dublin takes its summer reading",
       {"--name", "A", "--date", "2020-10-25", "--time", "01:30", "--place", "Dublin, Ireland",
        "--dst", "--json-record"},
       0,
       "\"ZoneShiftHours\":-1,",
       ""},
      {"Dublin in January is standard time",
       {"--name", "A", "--date", "1990-01-15", "--time", "12:00", "--place", "Dublin, Ireland"},
       0,
       "UTC+0:00, standard time (GMT)",
       ""},
      {"skipped time names the gap",
       {"--name", "A", "--date", "2008-03-09", "--time", "02:30", "--place", "New York, USA",
        "--dst"},
       2,
       "",
       "the clocks went from 02:00 straight to 03:00"},
      {"ambiguous place lists candidates", With(birth, {"--place", "Portland"}), 2, "",
       "\"Portland, State of Maine, United States of America\" (43N39 70W16"},
      // Former and native names, whole names only, nothing of the query dropped.
      {"a former name", With(birth, {"--place", "Bombay"}), 0,
       "Place         : Bombay \u2192 Mumbai, Maharashtra, India (19N04 72E53", ""},
      {"a former name with its country, never a longer name",
       With(birth, {"--place", "Poona, India"}), 0, "Poona \u2192 Pune, Maharashtra", ""},
      {"a native name with its country", With(birth, {"--place", "Wien, Austria"}), 0,
       "Wien \u2192 Vienna, Vienna, Austria", ""},
      {"Devanagari", With(birth, {"--place", "मुंबई, India"}), 0, "Mumbai, Maharashtra, India", ""},
      {"Cyrillic, bare", With(birth, {"--place", "Москва"}), 0, "Moscow, Moscow, Russia", ""},
      {"an empty city part", With(birth, {"--place", ", India"}), 64, "", "has an empty part"},
      {"namesakes on two clocks are listed", With(birth, {"--place", "Manhattan, United States"}),
       2, "", "\"Manhattan, Kansas, United States of America\" (39N11 96W34, America/Chicago"},
      {"a beginning is only suggested", With(birth, {"--place", "Wiener"}), 2, "",
       "Did you mean Wiener Neustadt"},
      {"a city's number names the city it took", With(birth, {"--place", "#1"}), 0,
       "Place         : #1 \u2192 Escaldes-Engordany, Escaldes-Engordany, Andorra", ""},
      {"unknown place", With(birth, {"--place", "Xqzzyville"}), 2, "",
       "No place in the atlas matches \"Xqzzyville\"."},
      // The city's own clock, the tz reading one option away.
      {"Mumbai 1930 on Bombay Time",
       {"--name", "A", "--date", "1930-05-10", "--time", "08:00", "--place", "Mumbai, India"},
       0,
       "Time Zone     : Bombay Time, UTC+4:51, the city's own clock until 1955\n",
       ""},
      {"the tz reading offered beside it",
       {"--name", "A", "--date", "1930-05-10", "--time", "08:00", "--place", "Mumbai, India"},
       0,
       "Other clock   : Asia/Kolkata, UTC+5:30, standard time (IST) (--clock standard)\n",
       ""},
      {"--clock standard takes the tz reading",
       {"--name", "A", "--date", "1930-05-10", "--time", "08:00", "--place", "Mumbai, India",
        "--clock", "standard"},
       0,
       "Time Zone     : Asia/Kolkata, UTC+5:30, standard time\n",
       ""},
      {"an explicit --tz is honoured as given",
       {"--name", "A", "--date", "1930-05-10", "--time", "08:00", "--place", "Mumbai, India",
        "--tz", "Asia/Kolkata"},
       0,
       "Time Zone     : Asia/Kolkata, UTC+5:30, standard time\n",
       ""},
      {"Pokhara 1901 on its own mean time",
       {"--name", "A", "--date", "1901-01-15", "--time", "10:00", "--place", "Pokhara, Nepal"},
       0,
       "Time Zone     : local mean time at 83\u00B058\u2032 E, UTC+5:35:52\n",
       ""},
      {"query of 10,000 characters", With(birth, {"--place", std::string(10000, 'a')}), 64, "",
       "too long"},
      {"query not UTF-8", With(birth, {"--place", "S\xE3o Paulo"}), 64, "", "not valid text"},
      // The length is counted in characters: 200 accented letters pass
      // (and match nothing), 201 are refused.
      {"200 two-byte characters",
       With(birth, {"--place",
                    [] {
                      std::string e;
                      for (int i = 0; i < 200; ++i) e += "\u00E9";
                      return e;
                    }()}),
       2, "", "No place in the atlas matches"},
      {"201 two-byte characters",
       With(birth, {"--place",
                    [] {
                      std::string e;
                      for (int i = 0; i < 201; ++i) e += "\u00E9";
                      return e;
                    }()}),
       64, "", "at most 200 characters"},
      {"--places with a long query", {"--places", std::string(10000, 'a')}, 64, "", "too long"},
      // A control character of the query is shown, never sent to the terminal.
      {"ESC in --place", With(birth, {"--place", "Xq\x1B[2Jzz"}), 2, "",
       "No place in the atlas matches \"Xq\\x1B[2Jzz\"."},
      {"ESC in --places",
       {"--places", "Xq\x1B[2Jzz"},
       2,
       "",
       "No place in the atlas matches \"Xq\\x1B[2Jzz\"."},
      {"unknown tz", With(birth, {"--lat", "1N00", "--lon", "1E00", "--tz", "Mars/Base"}), 64, "",
       "unknown time zone \"Mars/Base\""},
      {"--zone and --tz",
       With(birth, {"--lat", "1N00", "--lon", "1E00", "--tz", "Europe/Paris", "--zone", "CET"}), 64,
       "", "not both"},
      {"--tz with coordinates: Kathmandu's +5:45",
       {"--name", "A", "--date", "2000-06-01", "--time", "12:00", "--lat", "27N43", "--lon",
        "85E19", "--tz", "Asia/Kathmandu", "--json-record"},
       0,
       "\"ZoneShiftHours\":-5,\"ZoneShiftMinutes\":-45,",
       ""},
      {"--lat and --zone override the atlas",
       {"--name", "A", "--date", "1990-07-04", "--time", "14:25", "--place", "Madrid, Spain",
        "--lat", "41N00", "--zone", "CET", "--dst"},
       0,
       "Latitude      : 41° 0' N",
       ""},
      {"the place needs no --lat or --lon",
       {"--name", "A", "--date", "1990-07-04", "--time", "14:25", "--place", "Madrid, Spain"},
       0,
       "Latitude      : 40° 25' N",
       ""},
      {"--places finds São Paulo",
       {"--places", "Sao Paulo"},
       0,
       "São Paulo\tSão Paulo\tBrazil\t23S33\t46W38\tAmerica/Sao_Paulo\t",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunProgram(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.outPart.empty()) {
      EXPECT_EQ(r.out, "");
    } else {
      EXPECT_NE(r.out.find(c.outPart), std::string::npos) << r.out;
    }
    EXPECT_EQ(r.err.find('\x1B'), std::string::npos);
    if (c.errPart.empty()) {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    }
  }
  // Overriding the zone by hand drops the resolved one from the output.
  const Result manual = RunProgram({"--name", "A", "--date", "1990-07-04", "--time", "14:25",
                                    "--place", "Madrid, Spain", "--zone", "CET", "--json-record"});
  EXPECT_EQ(manual.out.find("ZoneResolved"), std::string::npos);
  EXPECT_NE(manual.out.find("\"Place\":{\"City\":\"Madrid\""), std::string::npos);
}

TEST(CliProgram, HelpAndZones) {
  const Result help = RunProgram({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--batch FILE"), std::string::npos);
  const Result zones = RunProgram({"--list-zones"});
  EXPECT_EQ(zones.status, 0);
  EXPECT_NE(zones.out.find(" 34  IST   Indian Time, IST, +5.3\n"), std::string::npos) << zones.out;
  EXPECT_NE(zones.out.find(" 29  GMT   Greenwich Mean Time,GMT,0.0  (default)\n"),
            std::string::npos);
}

const std::string kHeader = "name,date,time,lat,lon,zone,dst,city,state,country\n";
const std::string kGoodRow =
    "ARJUN MEHTA,1980-06-15,10:30,28N36,77E12,IST,0,New Delhi,Delhi,India\n";

TEST(CliBatch, BadRowInTheMiddle) {
  // Rows 2 and 4 are good; line 3 is refused by validation (31 April).
  const std::string input = kHeader + kGoodRow +
                            "BAD DATE,1980-04-31,10:30,28N36,77E12,IST,0,,,\n" +
                            "GRACE HOLT,1969-07-20,22:56,40N43,74W00,EST,yes,New York,NY,USA\n";
  const Result r = RunProgram({"--batch", "-", "--json-record"}, input);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "orvanta-cli: line 3: Please Enter Correct Date Or Month !\n");
  std::istringstream lines(r.out);
  std::vector<std::string> out;
  for (std::string line; std::getline(lines, line);) out.push_back(line);
  ASSERT_EQ(out.size(), 2u) << r.out;
  EXPECT_EQ(out[0].rfind("{\"Name\":\"ARJUN MEHTA\",\"Valid\":true,", 0), 0u);
  EXPECT_EQ(out[1].rfind("{\"Name\":\"GRACE HOLT\",\"Valid\":true,", 0), 0u);
}

TEST(CliBatch, EachRowFromAFreshSession) {
  // The same birth alone and after another birth gives the same line.
  const std::string other = "EVE STONE,2000-03-21,21:15,51N30,0W07,,,,,\n";
  const Result alone = RunProgram({"--batch", "-", "--json-record"}, kHeader + kGoodRow);
  const Result after = RunProgram({"--batch", "-", "--json-record"}, kHeader + other + kGoodRow);
  ASSERT_EQ(alone.status, 0) << alone.err;
  ASSERT_EQ(after.status, 0) << after.err;
  EXPECT_TRUE(after.out.ends_with(alone.out));
}

TEST(CliBatch, CrLfAndQuotedFieldsGiveTheSameCharts) {
  const std::string lf = kHeader + kGoodRow;
  std::string crlf =
      "name,date,time,lat,lon,zone,dst,city,state,country\r\n"
      "\"ARJUN MEHTA\",1980-06-15,10:30,28N36,77E12,IST,0,\"New Delhi\",Delhi,India\r\n";
  const Result a = RunProgram({"--batch", "-"}, lf);
  const Result b = RunProgram({"--batch", "-"}, crlf);
  EXPECT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(b.status, 0) << b.err;
  EXPECT_EQ(a.out, b.out);
}

struct BatchFaultCase {
  const char* label;
  std::string input;
  int status;
  std::string_view errorPart;
};

TEST(CliBatch, DamagedInput) {
  const std::string longName(200000, 'A');
  const BatchFaultCase cases[] = {
      {"empty input", "", 65, "empty batch input"},
      {"only blank lines", "\n\r\n\n", 65, "empty batch input"},
      {"no header", kGoodRow, 65, "line 1: expected the header line"},
      {"unknown column", "name,date,time,lat,lon,zone,dst,city,state,county\n" + kGoodRow, 65,
       "expected the header line"},
      {"column twice", "name,date,time,lat,lon,zone,dst,city,state,name\n" + kGoodRow, 65,
       "expected the header line"},
      {"no time column", "name,date,lat,lon\nA,1980-06-15,28N36,77E12\n", 65,
       "expected the header line"},
      {"header only", kHeader, 0, ""},
      {"header in capitals", "NAME,Date,TIME,lat,lon,zone,dst,city,state,country\n" + kGoodRow, 0,
       ""},
      {"too few fields", kHeader + "A,1980-06-15,10:30\n", 1,
       "line 2: expected 10 fields, found 3"},
      {"malformed date", kHeader + "A,15/06/1980,10:30,28N36,77E12,,,,,\n", 1, "line 2: bad date"},
      {"bad dst", kHeader + "A,1980-06-15,10:30,28N36,77E12,,maybe,,,\n", 1, "line 2: bad dst"},
      {"ambiguous zone", kHeader + "A,1980-06-15,10:30,28N36,77E12,NST,,,,\n", 1,
       "line 2: ambiguous zone"},
      {"open quote", kHeader + kGoodRow + "\"A,1980-06-15\n", 1, "line 3: a quoted field"},
      {"very long name", kHeader + longName + ",1980-06-15,10:30,28N36,77E12,,,,,\n", 0, ""},
      {"binary junk", kHeader + std::string("\0\xff\x01,\x80\n", 6), 1, "line 2:"},
  };
  for (const BatchFaultCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunProgram({"--batch", "-", "--json-record"}, c.input);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.errorPart.empty()) {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_NE(r.err.find(c.errorPart), std::string::npos) << r.err;
    }
  }
}

TEST(CliBatch, MissingFileAndDirectory) {
  const Result missing = RunProgram({"--batch", "/nonexistent/rows.csv"});
  EXPECT_EQ(missing.status, 66);
  EXPECT_NE(missing.err.find("cannot open the batch file"), std::string::npos);
  const Result directory = RunProgram({"--batch", ScratchDir().dir().string()});
  EXPECT_EQ(directory.status, 66);
}

TEST(CliBatch, FileArgumentReadsTheFile) {
  const fs::path file = ScratchDir().dir() / "rows.csv";
  WriteFile(file, kHeader + kGoodRow);
  const Result fromFile = RunProgram({"--batch", file.string()});
  const Result fromStdin = RunProgram({"--batch", "-"}, kHeader + kGoodRow);
  EXPECT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromStdin.out);
}

// Faults of the input, the output and the descriptors the program runs with.
// The program ends each of them within a fraction of a second on an idle
// machine; kQuick allows for a loaded one and still tells an end from the
// endless reading or computing these faults used to cause. Measured times
// are printed.
constexpr double kQuickSeconds = 5.0;

void PrintMeasured(const std::string& what, double seconds) {
  std::printf("[ measured ] %s: %.3f s\n", what.c_str(), seconds);
}

std::string Row(const std::string& name) {
  return name + ",1980-06-15,10:30,28N36,77E12,IST,0,New Delhi,Delhi,India\n";
}

// The "Name" member of each output line.
std::vector<std::string> JsonNames(const std::string& out) {
  std::vector<std::string> names;
  std::istringstream lines(out);
  const std::string lead = "{\"Name\":\"";
  for (std::string line; std::getline(lines, line);) {
    names.push_back(line.starts_with(lead)
                        ? line.substr(lead.size(), line.find('"', lead.size()) - lead.size())
                        : "not a chart: " + line.substr(0, 80));
  }
  return names;
}

struct FaultCase {
  const char* label;
  Launch launch;
  int status;
  std::string err;
};

TEST(CliFaults, UnreadableInputGivesStatus66) {
  const std::string dir = ScratchDir().dir().string();
  const FaultCase cases[] = {
      {"directory as standard input",
       {{"--batch", "-"}, dir, "", {}},
       66,
       "orvanta-cli: line 1: reading standard input: Is a directory\n"},
      {"standard input closed",
       {{"--batch", "-"}, "", "", {}},
       66,
       "orvanta-cli: line 1: reading standard input: Bad file descriptor\n"},
      {"file whose first read fails",
       {{"--batch", "/proc/self/mem"}, "/dev/null", "", {}},
       66,
       "orvanta-cli: line 1: reading \"/proc/self/mem\": Input/output error\n"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunLaunch(c.launch);
    EXPECT_EQ(r.status, c.status) << "signal " << r.signal << ": " << r.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST(CliFaults, ReadErrorAfterThreeRowsKeepsThemAndGivesStatus66) {
  // The disk fails after the third row: the three computed rows are written,
  // the error names line 5, where reading stopped.
  const fs::path file = ScratchDir().dir() / "failing.csv";
  const std::string readable = kHeader + Row("FIRST") + Row("SECOND") + Row("THIRD");
  WriteFile(file, readable + Row("FOURTH") + Row("FIFTH"));
  const std::vector<std::string> environment = {
      "LD_PRELOAD=" ORVANTA_READ_FAULT_SHIM, "ORVANTA_FAIL_READ_PATH=" + file.string(),
      "ORVANTA_FAIL_READ_AFTER=" + std::to_string(readable.size()),
      "ASAN_OPTIONS=verify_asan_link_order=0"};
  const FaultCase cases[] = {
      {"batch file",
       {{"--batch", file.string(), "--json-record"}, "/dev/null", "", environment},
       66,
       "orvanta-cli: line 5: reading \"" + file.string() + "\": Input/output error\n"},
      {"standard input",
       {{"--batch", "-", "--json-record"}, file.string(), "", environment},
       66,
       "orvanta-cli: line 5: reading standard input: Input/output error\n"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunLaunch(c.launch);
    EXPECT_EQ(r.status, c.status) << "signal " << r.signal << ": " << r.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(JsonNames(r.out), (std::vector<std::string>{"FIRST", "SECOND", "THIRD"}));
  }
}

TEST(CliFaults, InputWithoutLineEndsIsRefusedAtTheLimit) {
  // No line end ever comes: the header is refused (65), a row gets its error
  // and the run goes on to the end of the input.
  const fs::path zeros = ScratchDir().dir() / "zeros.csv";
  WriteFile(zeros, kHeader + std::string(2 << 20, '\0'));
  const std::string headerRefused =
      "orvanta-cli: line 1: record longer than 1048576 bytes; expected the header line "
      "name,date,time,lat,lon,zone,dst,city,state,country\n";
  const FaultCase cases[] = {
      {"/dev/zero as the batch file",
       {{"--batch", "/dev/zero"}, "/dev/null", "", {}},
       65,
       headerRefused},
      {"/dev/zero as standard input", {{"--batch", "-"}, "/dev/zero", "", {}}, 65, headerRefused},
      {"header and 2 MiB of zeros",
       {{"--batch", zeros.string()}, "/dev/null", "", {}},
       1,
       "orvanta-cli: line 2: record longer than 1048576 bytes\n"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunLaunch(c.launch);
    PrintMeasured(c.label, r.seconds);
    EXPECT_EQ(r.status, c.status) << "signal " << r.signal << ": " << r.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_LT(r.seconds, kQuickSeconds);
  }
}

TEST(CliFaults, FirstFailedWriteEndsTheRunWithStatus74) {
  // A full disk: the first write fails, and a batch of a million rows stops
  // there instead of computing the rest.
  const fs::path million = ScratchDir().dir() / "million.csv";
  {
    std::ofstream out(million, std::ios::binary);
    out << kHeader;
    const std::string block = [] {
      std::string rows;
      for (int i = 0; i < 1000; ++i) rows += kGoodRow;
      return rows;
    }();
    for (int i = 0; i < 1000; ++i) out << block;
  }
  const std::string full = "orvanta-cli: cannot write the output: No space left on device\n";
  const FaultCase cases[] = {
      {"1,000,000 rows as CSV",
       {{"--batch", million.string()}, "/dev/null", "/dev/full", {}},
       74,
       full},
      {"1,000,000 rows as JSON",
       {{"--batch", "-", "--json-record"}, million.string(), "/dev/full", {}},
       74,
       full},
      {"one chart", {kDelhi, "/dev/null", "/dev/full", {}}, 74, full},
      {"help", {{"--help"}, "/dev/null", "/dev/full", {}}, 74, full},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.label);
    const Result r = RunLaunch(c.launch);
    PrintMeasured(c.label, r.seconds);
    EXPECT_EQ(r.status, c.status) << "signal " << r.signal << ": " << r.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_LT(r.seconds, kQuickSeconds);
  }
  fs::remove(million);
}

TEST(CliFaults, ClosedPipeEndsTheProgramQuietly) {
  // Like any filter whose reader went away (orvanta-cli ... | head -1): the
  // program ends by SIGPIPE at its first write and says nothing.
  int out[2];
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  close(out[0]);
  const fs::path inPath = ScratchDir().dir() / "stdin";
  WriteFile(inPath, kHeader + kGoodRow + kGoodRow);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  const pid_t pid = Spawn({"--batch", "-", "--json-record"}, {}, actions);
  close(out[1]);
  Result r;
  Reap(pid, r);
  posix_spawn_file_actions_destroy(&actions);
  EXPECT_EQ(r.signal, SIGPIPE) << "status " << r.status << ": " << r.err;
  EXPECT_EQ(r.err, "");
}

TEST(CliFaults, RowsThroughAPipeAppearAsTheyAreComputed) {
  // A producer that feeds births as they come: each row's chart reaches the
  // reader of the pipe while the input is still open, not when a block has
  // filled or the input has ended.
  std::signal(SIGPIPE, SIG_IGN);  // the program may have gone when this test writes
  int in[2], out[2];
  ASSERT_EQ(pipe2(in, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  const pid_t pid = Spawn({"--batch", "-", "--json-record"}, {}, actions);
  close(in[0]);
  close(out[1]);
  const auto send = [&](const std::string& text) {
    return write(in[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
  };
  ASSERT_TRUE(send(kHeader));
  std::string received;
  double slowest = 0;
  constexpr int kRows = 4;
  for (int row = 1; row <= kRows; ++row) {
    usleep(300'000);  // the producer is slow
    ASSERT_TRUE(send(Row("ROW " + std::to_string(row))));
    const auto sent = std::chrono::steady_clock::now();
    while (std::count(received.begin(), received.end(), '\n') < row) {
      pollfd p{out[0], POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(kQuickSeconds * 1000)) <= 0) break;
      char buffer[4096];
      const ssize_t n = read(out[0], buffer, sizeof buffer);
      if (n <= 0) break;
      received.append(buffer, static_cast<std::size_t>(n));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    slowest = std::max(slowest, seconds);
    EXPECT_EQ(std::count(received.begin(), received.end(), '\n'), row)
        << "row " << row << " did not arrive while the input was open";
  }
  PrintMeasured("slowest row through a pipe", slowest);
  EXPECT_LT(slowest, kQuickSeconds);
  close(in[1]);
  for (char buffer[4096]; read(out[0], buffer, sizeof buffer) > 0;) {
  }
  close(out[0]);
  Result r;
  Reap(pid, r);
  posix_spawn_file_actions_destroy(&actions);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(JsonNames(received), (std::vector<std::string>{"ROW 1", "ROW 2", "ROW 3", "ROW 4"}));
}

TEST(CliFaults, SignalsDuringABatchLeaveWholeRows) {
  // SIGTERM, SIGINT and SIGKILL at random moments of batches into a regular
  // file: every file is a byte prefix of the uninterrupted output and ends
  // at a row's end. The one exception is the system's: a row that straddles
  // a page boundary of the file cannot be written within one page, and a
  // write killed with SIGKILL may stop at that boundary, so a killed run's
  // file may end there, inside that row. SIGTERM and SIGINT stop the run after the row being
  // written, with status 143 or 130 and a message that counts the rows.
  const fs::path input = ScratchDir().dir() / "signals.csv";
  {
    std::ofstream out(input, std::ios::binary);
    out << kHeader;
    for (int i = 0; i < 40'000; ++i) out << Row("ROW " + std::to_string(i));
  }
  const fs::path outPath = ScratchDir().dir() / "signals.out";
  const Result full = RunLaunch({{"--batch", input.string()}, "/dev/null", outPath.string(), {}});
  ASSERT_EQ(full.status, 0) << full.err;
  // Where each row of the full output ends (the header is a row too).
  std::vector<std::size_t> rowEnds = {0};
  for (std::size_t at = full.out.find('\n'); at != std::string::npos;
       at = full.out.find('\n', at + 1)) {
    rowEnds.push_back(at + 1);
  }
  std::mt19937 random(20261209);  // a fixed seed: the same delays on every run
  std::uniform_int_distribution<int> delayMicroseconds(0, 120'000);
  const int signals[] = {SIGTERM, SIGINT, SIGKILL};
  const std::regex stopped(
      "orvanta-cli: stopped by (SIGTERM|SIGINT) (before the first row|after ([0-9]+) rows?, "
      "the last on line ([0-9]+))\n");
  for (int run = 0; run < 30; ++run) {
    const int signal = signals[run % 3];
    const std::string jobs = run % 2 == 0 ? "1" : "2";
    SCOPED_TRACE("run " + std::to_string(run) + ", signal " + std::to_string(signal) + ", --jobs " +
                 jobs);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    const pid_t pid = Spawn({"--batch", input.string(), "--jobs", jobs}, {}, actions);
    ASSERT_GT(pid, 0);
    usleep(static_cast<useconds_t>(delayMicroseconds(random)));
    kill(pid, signal);
    Result r;
    Reap(pid, r);
    posix_spawn_file_actions_destroy(&actions);
    const std::string text = ReadFile(outPath);
    ASSERT_LE(text.size(), full.out.size());
    EXPECT_EQ(text, full.out.substr(0, text.size())) << "not a prefix of the full output";
    const bool atRowEnd = std::binary_search(rowEnds.begin(), rowEnds.end(), text.size());
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    EXPECT_TRUE(atRowEnd || (signal == SIGKILL && text.size() % page == 0))
        << "the file ends inside a row, " << text.size() << " bytes: ..."
        << text.substr(text.size() - std::min<std::size_t>(text.size(), 80));
    if (signal == SIGKILL || r.status == 0) continue;  // killed, or done before the signal
    if (r.signal == signal) {
      // Ended before the batch began to catch the signal: nothing written.
      EXPECT_EQ(text, "");
      continue;
    }
    EXPECT_EQ(r.status, signal == SIGINT ? 130 : 143) << r.err;
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r.err, m, stopped)) << r.err;
    EXPECT_EQ(m[1], signal == SIGINT ? "SIGINT" : "SIGTERM");
    // The rows counted are the rows in the file, after its header.
    const long rows = m[3].matched ? std::stol(m[3]) : 0;
    const auto lines = static_cast<long>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(rows, std::max(0L, lines - 1));
    if (m[4].matched) {
      EXPECT_EQ(std::stol(m[4]), rows + 1);
    }
  }
  fs::remove(input);
  fs::remove(outPath);
}
}  // namespace

namespace {

// Runs a shell command line in a mount namespace of its own (unshare -m), as
// root may; the exit status of the command, or -1 when namespaces are not
// available here.
int InOwnMounts(const std::string& commands) {
  if (std::system("unshare -m true 2>/dev/null") != 0) return -1;
  const std::string line = "unshare -m sh -c '" + commands + "'";
  const int status = std::system(line.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CliFaults, DamagedOrMissingZoneDatabaseIsReportedAndOtherRowsComputed) {
  // The program is pointed at a private copy of the tz database (mounted
  // over the system's folder): one zone file damaged, or no zones at all.
  // Rows and births that need no zone are still computed; the others are
  // refused with a message that says what is wrong, and nothing aborts.
  const fs::path dir = ScratchDir().dir() / "zoneinfo";
  const fs::path empty = ScratchDir().dir() / "nozones";
  fs::create_directories(empty);
  fs::copy("/usr/share/zoneinfo", dir,
           fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  fs::remove(dir / "Europe" / "Madrid");
  WriteFile(dir / "Europe" / "Madrid", std::string("Europe/Madrid\0", 14));
  const fs::path batch = ScratchDir().dir() / "zones.csv";
  WriteFile(batch,
            "name,date,time,lat,lon,zone,tz\n"
            "MADRID,1990-07-04,14:25,40N25,3W42,,Europe/Madrid\n"
            "PLAIN,1990-07-04,14:25,40N25,3W42,29,\n"
            "KOLKATA,1990-07-04,14:25,22N34,88E22,,Asia/Kolkata\n");
  const fs::path out = ScratchDir().dir() / "zones.out";
  const fs::path err = ScratchDir().dir() / "zones.err";
  const std::string cli = ORVANTA_CLI_PATH;
  struct Case {
    const char* label;
    fs::path database;
    std::string args;
    int status;
    std::string err;
    long rows;  // lines of standard output
  };
  const Case cases[] = {
      {"damaged zone file, batch", dir, "--batch " + batch.string(), 1,
       "orvanta-cli: line 2: The time-zone database's file for \"Europe/Madrid\" is damaged "
       "(/usr/share/zoneinfo/Europe/Madrid).\n",
       3},
      {"no zones, batch", empty, "--batch " + batch.string(), 1,
       "orvanta-cli: line 2: The time-zone database cannot be read: /usr/share/zoneinfo/ holds no "
       "zones (install the tzdata package).\norvanta-cli: line 4: The time-zone database cannot be "
       "read: /usr/share/zoneinfo/ holds no zones (install the tzdata package).\n",
       2},
      {"no zones, one chart", empty,
       "--name A --date 1990-07-04 --time 14:25 --lat 40N25 --lon 3W42 --tz Europe/Madrid", 2,
       "orvanta-cli: The time-zone database cannot be read: /usr/share/zoneinfo/ holds no zones "
       "(install the tzdata package).\n",
       0},
      {"damaged zone file, place", dir,
       "--name A --date 1990-07-04 --time 14:25 --place \"Madrid, Spain\"", 2,
       "orvanta-cli: The time-zone database's file for \"Europe/Madrid\" is damaged "
       "(/usr/share/zoneinfo/Europe/Madrid).\n",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const int status =
        InOwnMounts("mount --bind " + c.database.string() + " /usr/share/zoneinfo && exec " + cli +
                    " " + c.args + " > " + out.string() + " 2> " + err.string());
    if (status < 0) GTEST_SKIP() << "no mount namespace here (root only)";
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(ReadFile(err), c.err);
    const std::string text = ReadFile(out);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), c.rows) << text;
  }
}

TEST(CliFaults, MemoryLimitGivesStatus70NeverAnAbort) {
  // Under an address-space limit (ulimit -v) too small for the atlas, a
  // batch of places on two threads ends with its documented status for
  // memory running out, never with an abort in a library's allocator.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitizer's shadow memory needs more address space than any such limit";
#endif
  const fs::path batch = ScratchDir().dir() / "places.csv";
  std::string rows = "name,date,time,place\n";
  for (int i = 0; i < 100; ++i) {
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on
    // "literal" + std::string.
    rows += 'P';
    rows += std::to_string(i);
    rows += ",1990-07-04,14:25,Madrid\n";
  }
  WriteFile(batch, rows);
  const fs::path err = ScratchDir().dir() / "memory.err";
  for (const int kilobytes : {22'000, 26'000, 30'000}) {
    SCOPED_TRACE(std::to_string(kilobytes) + " kB");
    const std::string line = "ulimit -v " + std::to_string(kilobytes) + " && exec " +
                             ORVANTA_CLI_PATH + " --jobs 2 --batch " + batch.string() +
                             " >/dev/null 2>" + err.string();
    const int status = std::system(("sh -c '" + line + "'").c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    const int code = WEXITSTATUS(status);
    const std::string message = ReadFile(err);
    EXPECT_TRUE(code == 0 || code == 70) << code << ": " << message;
    if (code == 70) {
      EXPECT_TRUE(message.starts_with("orvanta-cli: internal error")) << message;
    }
  }
}

TEST(CliFaults, FullDiskEndsTheBatchAtItsLastWholeRow) {
  // A batch writing to a regular file on a disk that fills: the run stops
  // with status 74 and the file ends with a whole row, never part of one.
  const fs::path input = ScratchDir().dir() / "many.csv";
  std::string rows = kHeader;
  for (int i = 0; i < 3000; ++i) rows += kGoodRow;
  WriteFile(input, rows);
  const fs::path disk = ScratchDir().dir() / "disk";
  const fs::path copy = ScratchDir().dir() / "disk.out";
  fs::create_directories(disk);
  for (const char* form : {"", " --json"}) {
    SCOPED_TRACE(form);
    const int status = InOwnMounts("mount -t tmpfs -o size=100k tmpfs " + disk.string() + " && " +
                                   ORVANTA_CLI_PATH + " --jobs 1 --batch " + input.string() + form +
                                   " > " + disk.string() + "/out 2>/dev/null; " + "s=$?; cp " +
                                   disk.string() + "/out " + copy.string() + "; exit $s");
    if (status < 0) GTEST_SKIP() << "no mount namespace here (root only)";
    EXPECT_EQ(status, 74);
    const std::string text = ReadFile(copy);
    ASSERT_GT(text.size(), 50'000u);
    EXPECT_EQ(text.back(), '\n');
    // Every line is whole: the same number of fields as the first row.
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    const auto commas = std::count(line.begin(), line.end(), ',');
    while (std::getline(lines, line)) {
      ASSERT_EQ(std::count(line.begin(), line.end(), ','), commas) << line;
    }
  }
}
