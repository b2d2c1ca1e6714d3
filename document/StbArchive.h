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

// The largest ".stb" file a reader accepts (about 4.5 million results); a
// larger file is refused before it is read, and no writer makes one.
inline constexpr std::size_t kStbLargestDocumentBytes = std::size_t{1} << 30;

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
  // False when no document begins with `bytes`, whatever follows them (a
  // damaged header, or bytes after a complete document): a reader of a
  // stream stops there.
  static bool CouldBeginDocument(std::span<const std::uint8_t> bytes);
};

// Encodes the results of one list as they come, holding only the bytes of the
// file (a batch of millions of states never exists as result objects).
class StbListEncoder {
 public:
  void Add(const StateProperties& state, const TransportProperties& transport);
  std::size_t Count() const { return count; }
  std::size_t FileSize() const;
  // The file, in parts: these results as its SI list (or its English list),
  // the other list empty.
  std::vector<std::span<const std::uint8_t>> FileParts(bool english);

 private:
  std::vector<std::vector<std::uint8_t>> blocks;
  std::vector<std::uint8_t> before;
  std::vector<std::uint8_t> after;
  std::size_t count = 0;
  std::size_t objectBytes = 0;
};

}  // namespace vaporix
