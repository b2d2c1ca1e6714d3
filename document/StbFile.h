#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "DocumentError.h"
#include "StbArchive.h"

namespace vaporix {

// Reads and parses a ".stb" file: FileNotFound when it does not exist,
// FailedToOpen when it cannot be read, FileTooLarge beyond the largest
// document, UnexpectedFileFormat when its bytes are not the layout.
StbReadResult ReadStbFile(const std::filesystem::path& path);

// Writes `bytes` to a new temporary file beside `path` and renames it over
// `path`, so a failure at any step leaves a previous file untouched.
// Refused with ReadOnly when the file exists with every write permission off.
// The temporary is an unnamed file where the file system allows it, so a
// process killed during the save leaves nothing behind.
DocumentError ReplaceFileContents(const std::filesystem::path& path,
                                  std::span<const std::uint8_t> bytes);
// The same with the file's bytes in consecutive parts.
DocumentError ReplaceFileContents(const std::filesystem::path& path,
                                  std::span<const std::span<const std::uint8_t>> parts);

// Both lists written as a ".stb" file through ReplaceFileContents.
DocumentError WriteStbFile(const std::filesystem::path& path, const ResultList& siResults,
                           const ResultList& englishResults);

}  // namespace vaporix
