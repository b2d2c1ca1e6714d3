#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "CSteamPropObject.h"
#include "DocumentError.h"

namespace vaporix {

// An owning, ordered list of results as the document keeps them.
using ResultList = std::vector<std::unique_ptr<CSteamPropObject>>;

// Byte sizes of the ".stb" layout.
inline constexpr std::size_t kStbBodySize = 23 * 8 + 4 + 6 * 8;  // 236
inline constexpr std::size_t kStbClassHeaderSize = 2 + 2 + 2 + 16;
// The smallest object record: a class reference tag and a body.
inline constexpr std::size_t kStbMinimumObjectSize = 2 + kStbBodySize;

// Writes the SI list, then the English list, in the object-archive layout of
// the ".stb" file: little-endian counts, the class header before the first
// object of the file and the class reference 0x8001 before every later one.
class StbWriter {
 public:
  static std::vector<std::uint8_t> Write(const ResultList& siResults,
                                         const ResultList& englishResults);
};

// The two lists read from a ".stb" file, or the reason it was refused.
struct StbReadResult {
  DocumentError error = DocumentError::None;
  ResultList siResults;
  ResultList englishResults;

  explicit operator bool() const { return error == DocumentError::None; }
};

// Reads the layout StbWriter writes (and the 0xFFFF + u32 count and 32-bit
// class reference forms of the archive). Anything else - a short file, an
// unknown class or schema, a reference to an undefined class, any other tag,
// a count the remaining bytes cannot hold, bytes after the English list - is
// refused as UnexpectedFileFormat; memory use is bounded by the input size.
class StbReader {
 public:
  static StbReadResult Read(std::span<const std::uint8_t> bytes);
};

}  // namespace vaporix
