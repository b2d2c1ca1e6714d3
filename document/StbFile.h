#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "DocumentError.h"
#include "StbArchive.h"

namespace vaporix {

// Reads and parses a ".stb" file: FileNotFound when it does not exist,
// FailedToOpen when it cannot be read, UnexpectedFileFormat when its bytes
// are not the layout.
StbReadResult ReadStbFile(const std::filesystem::path& path);

// Writes `bytes` to a new temporary file beside `path` and renames it over
// `path`, so a failure at any step leaves a previous file untouched.
DocumentError ReplaceFileContents(const std::filesystem::path& path,
                                  std::span<const std::uint8_t> bytes);

// Both lists written as a ".stb" file through ReplaceFileContents.
DocumentError WriteStbFile(const std::filesystem::path& path, const ResultList& siResults,
                           const ResultList& englishResults);

}  // namespace vaporix
