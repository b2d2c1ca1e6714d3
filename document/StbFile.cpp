#include "StbFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define VAPORIX_HAVE_FSYNC 1
#endif

namespace vaporix {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Creates a file that did not exist before ("x" mode), with a random name in
// the target's folder so that the final rename stays on one file system.
FileHandle CreateTemporaryBeside(const std::filesystem::path& target,
                                 std::filesystem::path& temporary) {
  std::random_device entropy;
  std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
  const std::filesystem::path folder = target.parent_path();
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x.tmp", digits(entropy));
    temporary = folder / ("." + target.filename().string() + suffix);
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) {
      return FileHandle(file);
    }
    if (errno != EEXIST) {
      break;
    }
  }
  return nullptr;
}

}  // namespace

StbReadResult ReadStbFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    return StbReadResult{error ? DocumentError::FailedToOpen : DocumentError::FileNotFound, {}, {}};
  }
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    return StbReadResult{DocumentError::FailedToOpen, {}, {}};
  }
  // Read in chunks instead of trusting a reported size: the buffer never
  // grows beyond what the file actually holds.
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < sizeof chunk) {
      break;
    }
  }
  if (std::ferror(file.get())) {
    return StbReadResult{DocumentError::FailedToOpen, {}, {}};
  }
  return StbReader::Read(bytes);
}

DocumentError ReplaceFileContents(const std::filesystem::path& path,
                                  std::span<const std::uint8_t> bytes) {
  if (path.filename().empty()) {
    return DocumentError::FailedToSave;
  }
  // Saving through a symbolic link replaces the file it points to, not the link.
  std::error_code error;
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(path, error)) {
    target = std::filesystem::weakly_canonical(path, error);
    if (error) {
      return DocumentError::FailedToSave;
    }
  }
  std::filesystem::path temporary;
  FileHandle file = CreateTemporaryBeside(target, temporary);
  if (!file) {
    return DocumentError::FailedToSave;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                 std::fflush(file.get()) == 0;
#ifdef VAPORIX_HAVE_FSYNC
  // The data must be on disk before the rename makes it the document.
  written = written && ::fsync(::fileno(file.get())) == 0;
#endif
  written = (std::fclose(file.release()) == 0) && written;

  if (written) {
    // Keep the permissions of the file being replaced.
    const auto existing = std::filesystem::status(target, error);
    if (!error && std::filesystem::exists(existing)) {
      std::filesystem::permissions(temporary, existing.permissions(), error);
    }
    error.clear();
    std::filesystem::rename(temporary, target, error);
    written = !error;
  }
  if (!written) {
    std::filesystem::remove(temporary, error);
    return DocumentError::FailedToSave;
  }
  return DocumentError::None;
}

DocumentError WriteStbFile(const std::filesystem::path& path, const ResultList& siResults,
                           const ResultList& englishResults) {
  const std::vector<std::uint8_t> bytes = StbWriter::Write(siResults, englishResults);
  return ReplaceFileContents(path, bytes);
}

}  // namespace vaporix
