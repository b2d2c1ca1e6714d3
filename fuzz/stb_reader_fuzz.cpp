// libFuzzer target of the ".stb" reader: any bytes are read without a crash,
// a leak or unbounded memory, the stream check never refuses a prefix of a
// document the reader accepts, and an accepted document writes back to the
// same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "StbArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const vaporix::StbReadResult read = vaporix::StbReader::Read(bytes);
  if (!read) {
    return 0;
  }
  for (std::size_t prefix = 0; prefix <= size; prefix += 1 + size / 8) {
    if (!vaporix::StbReader::CouldBeginDocument(bytes.first(prefix))) {
      std::abort();
    }
  }
  // The reader also takes the archive's long forms, which the writer never
  // makes; a document without them writes back byte for byte.
  const std::vector<std::uint8_t> written =
      vaporix::StbWriter::Write(read.siResults, read.englishResults);
  const vaporix::StbReadResult again = vaporix::StbReader::Read(written);
  if (!again || again.siResults.size() != read.siResults.size() ||
      again.englishResults.size() != read.englishResults.size()) {
    std::abort();
  }
  return 0;
}
