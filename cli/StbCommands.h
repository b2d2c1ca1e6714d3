#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

#include "app/document/DocumentError.h"
#include "vaporix/StateProperties.h"

namespace vaporix::cli {

// One calculated state as the batch command hands it over.
struct StateRecord {
  StateProperties state;
  TransportProperties transport;
};

// `vaporix-cli stb dump FILE`: both lists of a ".stb" file as CSV, a first
// column `list` (si or english) before the thirty properties. Returns the
// exit code: 0, or 1 with the error message on `err`.
int RunStbDump(const std::string& path, std::ostream& out, std::ostream& err);

// `--stb FILE` of the batch command: saves the states as a document, in its
// English list when `english` (the records then hold English units), else in
// its SI list. The previous file survives a failed save.
DocumentError WriteBatchDocument(const std::filesystem::path& path,
                                 std::span<const StateRecord> states, bool english);

// A number in the shortest form that reads back to the same double.
std::string FormatShortest(double value);

}  // namespace vaporix::cli
