#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

#include "DocumentError.h"
#include "StateRecord.h"
#include "StbArchive.h"

namespace vaporix::cli {

// `vaporix-cli stb dump FILE`: both lists of a ".stb" file as CSV, a first
// column `list` (si or english) before the thirty properties in the batch's
// number form. Values are printed as stored (-1 marks a transport value that
// is not available). Returns the exit code: 0, or 1 with the error message on `err`.
int RunStbDump(const std::string& path, std::ostream& out, std::ostream& err);

// `--stb FILE` of the batch command: saves the encoded states as a document,
// in its English list when `english` (the records then hold English units),
// else in its SI list. The previous file survives a failed save.
DocumentError WriteBatchDocument(const std::filesystem::path& path, StbListEncoder& states,
                                 bool english);
DocumentError WriteBatchDocument(const std::filesystem::path& path,
                                 std::span<const StateRecord> states, bool english);

}  // namespace vaporix::cli
