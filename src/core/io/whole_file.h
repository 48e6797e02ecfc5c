// A file written whole or not at all.
//
// The new content goes into a new file beside the old one, which is flushed
// to the disk, closed, and only then renamed over the old one. Every step
// is checked: a write that fails part way (a full disk), a flush or a close
// that reports a delayed failure, a rename that is refused. On any failure
// the new file is removed and the previous file is left exactly as it was.
// A device or a pipe (/dev/full, a named pipe) cannot be replaced by a
// file: it is written as it is, and a failure is reported all the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// Writes `bytes` as the whole content of `path`; nothing on success, else
// why not, as the system words it ("No space left on device"). A file that
// is replaced keeps its permission bits; a symbolic link stays a link and
// the file it names is replaced.
std::optional<std::string> WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace orvanta
