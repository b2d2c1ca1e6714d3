#include "StbFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>
#include <vector>

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
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) {
    return StbReadResult{error && error != std::errc::no_such_file_or_directory
                             ? DocumentError::FailedToOpen
                             : DocumentError::FileNotFound,
                         {},
                         {}};
  }
  // A file larger than the largest document is refused before it is read.
  const bool regular = std::filesystem::is_regular_file(status);
  if (regular && std::filesystem::file_size(path, error) > kStbLargestDocumentBytes && !error) {
    return StbReadResult{DocumentError::FileTooLarge, {}, {}};
  }
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    return StbReadResult{DocumentError::FailedToOpen, {}, {}};
  }
  // Read in chunks instead of trusting a reported size (a device or a pipe
  // reports none); the bytes read so far are checked at every doubling, so a
  // stream that cannot be a document (/dev/zero) is refused at once.
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  std::size_t nextCheck = sizeof chunk;
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (bytes.size() > kStbLargestDocumentBytes) {
      return StbReadResult{DocumentError::FileTooLarge, {}, {}};
    }
    if (got < sizeof chunk) {
      break;
    }
    if (!regular && bytes.size() >= nextCheck) {
      if (!StbReader::CouldBeginDocument(bytes)) {
        return StbReadResult{DocumentError::UnexpectedFileFormat, {}, {}};
      }
      nextCheck *= 2;
    }
  }
  if (std::ferror(file.get())) {
    return StbReadResult{DocumentError::FailedToOpen, {}, {}};
  }
  return StbReader::Read(bytes);
}

namespace {

bool WriteAll(int descriptor, std::span<const std::span<const std::uint8_t>> parts) {
  for (std::span<const std::uint8_t> part : parts) {
    while (!part.empty()) {
      const ssize_t written = ::write(descriptor, part.data(), part.size());
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        return false;
      }
      part = part.subspan(static_cast<std::size_t>(written));
    }
  }
  return true;
}

// An unnamed file in `folder` (Linux O_TMPFILE): a process killed before it
// is linked leaves nothing behind. -1 where the file system lacks it.
int CreateUnnamedFile(const std::filesystem::path& folder) {
#ifdef O_TMPFILE
  return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
  (void)folder;
  return -1;
#endif
}

// Gives the unnamed file a temporary name beside the target, for the rename.
bool LinkUnnamedFile(int descriptor, const std::filesystem::path& target,
                     std::filesystem::path& temporary) {
  std::random_device entropy;
  std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
  const std::string procPath = "/proc/self/fd/" + std::to_string(descriptor);
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x.tmp", digits(entropy));
    temporary = target.parent_path() / ("." + target.filename().string() + suffix);
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return true;
    }
    if (errno != EEXIST) {
      break;
    }
  }
  return false;
}

}  // namespace

DocumentError ReplaceFileContents(const std::filesystem::path& path,
                                  std::span<const std::uint8_t> bytes) {
  const std::span<const std::uint8_t> parts[] = {bytes};
  return ReplaceFileContents(path, parts);
}

DocumentError ReplaceFileContents(const std::filesystem::path& path,
                                  std::span<const std::span<const std::uint8_t>> parts) {
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
  // A document whose write permissions are all off is not replaced, as
  // editors refuse it (the folder being writable would allow the rename).
  const auto existing = std::filesystem::status(target, error);
  const bool exists = !error && std::filesystem::exists(existing);
  constexpr auto kWriteBits = std::filesystem::perms::owner_write |
                              std::filesystem::perms::group_write |
                              std::filesystem::perms::others_write;
  if (exists && (existing.permissions() & kWriteBits) == std::filesystem::perms::none) {
    return DocumentError::ReadOnly;
  }

  std::filesystem::path temporary;
  int descriptor = CreateUnnamedFile(target.parent_path());
  const bool unnamed = descriptor >= 0;
  if (!unnamed) {
    FileHandle file = CreateTemporaryBeside(target, temporary);
    if (!file) {
      return DocumentError::FailedToSave;
    }
    descriptor = ::dup(::fileno(file.get()));
  }
  bool written = descriptor >= 0 && WriteAll(descriptor, parts);
  // The data must be on disk before the rename makes it the document.
  written = written && ::fsync(descriptor) == 0;
  if (written && exists) {
    // Keep the permissions of the file being replaced.
    written = ::fchmod(descriptor, static_cast<mode_t>(existing.permissions())) == 0;
  }
  if (written && unnamed) {
    written = LinkUnnamedFile(descriptor, target, temporary);
  }
  written = descriptor >= 0 && ::close(descriptor) == 0 && written;
  if (written) {
    std::filesystem::rename(temporary, target, error);
    written = !error;
  }
  if (!written) {
    if (!temporary.empty()) {
      std::filesystem::remove(temporary, error);
    }
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
