// The pieces of orvanta-cli's JSON output.
//
// Output is always valid JSON, whatever the input: strings are escaped
// (quote, backslash, every control character as \u00XX) and bytes that are
// not well-formed UTF-8 are replaced by U+FFFD; numbers are written in the
// shortest form that reads back to the same double (std::to_chars), and a
// value that is not finite is written as null.
#pragma once

#include <string>
#include <string_view>

namespace orvanta::cli {

void AppendJsonString(std::string& out, std::string_view text);
void AppendJsonNumber(std::string& out, double value);
void AppendJsonInteger(std::string& out, long long value);

// Writes the members of one object in the order of the calls, with the
// commas between them. Values are appended by the caller right after Key().
class JsonObject {
 public:
  explicit JsonObject(std::string& out);
  // Writes `,"name":` (no comma before the first member). Member names are
  // the program's own, plain ASCII letters, and are written as they are.
  std::string& Key(std::string_view name);
  void String(std::string_view name, std::string_view value);
  void Number(std::string_view name, double value);
  void Integer(std::string_view name, long long value);
  void Bool(std::string_view name, bool value);
  void Null(std::string_view name);
  void Close();

 private:
  std::string& out_;
  bool first_ = true;
};

}  // namespace orvanta::cli
