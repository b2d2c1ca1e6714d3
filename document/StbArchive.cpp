#include "StbArchive.h"

#include <array>
#include <bit>
#include <string_view>

#include "vaporix/Properties.h"

namespace vaporix {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kClassTagFlag = 0x8000;
constexpr std::uint32_t kBigClassTagFlag = 0x80000000u;
constexpr std::uint16_t kBigCountMarker = 0xFFFF;
// The class is the first item the archive numbers in a file.
constexpr std::uint32_t kClassIndex = 1;

class ByteSink {
 public:
  void U16(std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
      bytes.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFu));
    }
  }
  void F64(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int shift = 0; shift < 64; shift += 8) {
      bytes.push_back(static_cast<std::uint8_t>((bits >> shift) & 0xFFu));
    }
  }
  void Text(std::string_view text) {
    for (char c : text) {
      bytes.push_back(static_cast<std::uint8_t>(c));
    }
  }

  std::vector<std::uint8_t> bytes;
};

class ByteSource {
 public:
  explicit ByteSource(std::span<const std::uint8_t> input) : bytes(input) {}

  std::size_t Remaining() const { return bytes.size() - position; }
  // Set when a read wanted more bytes than there were.
  bool ranOut = false;

  bool U16(std::uint16_t& value) {
    if (Remaining() < 2) {
      ranOut = true;
      return false;
    }
    value = static_cast<std::uint16_t>(bytes[position] | (bytes[position + 1] << 8));
    position += 2;
    return true;
  }
  bool U32(std::uint32_t& value) {
    if (Remaining() < 4) {
      ranOut = true;
      return false;
    }
    value = 0;
    for (int i = 3; i >= 0; --i) {
      value = (value << 8) | bytes[position + static_cast<std::size_t>(i)];
    }
    position += 4;
    return true;
  }
  bool F64(double& value) {
    if (Remaining() < 8) {
      ranOut = true;
      return false;
    }
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
      bits = (bits << 8) | bytes[position + static_cast<std::size_t>(i)];
    }
    value = std::bit_cast<double>(bits);
    position += 8;
    return true;
  }
  bool Text(std::string_view expected) {
    if (Remaining() < expected.size()) {
      ranOut = true;
      return false;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (bytes[position + i] != static_cast<std::uint8_t>(expected[i])) {
        return false;
      }
    }
    position += expected.size();
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
};

// The order of the thirty values of a stored object, by property number:
// the state record's doubles (volume before density, quality last), the
// region as a 32-bit integer, then the transport values.
constexpr std::array<int, kPropertyCount> kStoredOrder{1,  2,  4,  3,  5,  6,  7,  8,  9,  10,
                                                       11, 12, 13, 14, 17, 18, 19, 20, 21, 22,
                                                       23, 24, 15, 16, 25, 26, 27, 28, 29, 30};

constexpr bool IsPermutationOfAllProperties() {
  std::array<bool, kPropertyCount + 1> seen{};
  for (int number : kStoredOrder) {
    if (number < 1 || number > static_cast<int>(kPropertyCount) ||
        seen[static_cast<std::size_t>(number)]) {
      return false;
    }
    seen[static_cast<std::size_t>(number)] = true;
  }
  return true;
}
static_assert(IsPermutationOfAllProperties(), "every property stored once");

// The double a stored value is read into; the region is not a double.
double& Field(const PropertyInfo& property, CSteamPropObject& object) {
  return property.stateField != nullptr ? object.state.*property.stateField
                                        : object.transport.*property.transportField;
}

void WriteBody(ByteSink& sink, const CSteamPropObject& object) {
  for (int number : kStoredOrder) {
    const PropertyInfo& property = PropertyByNumber(number);
    if (property.isRegion) {
      sink.U32(static_cast<std::uint32_t>(object.state.region));
    } else {
      sink.F64(ValueOf(property, object.state, object.transport));
    }
  }
}

bool ReadBody(ByteSource& source, CSteamPropObject& object) {
  for (int number : kStoredOrder) {
    const PropertyInfo& property = PropertyByNumber(number);
    if (property.isRegion) {
      std::uint32_t region = 0;
      if (!source.U32(region)) {
        return false;
      }
      object.state.region = static_cast<std::int32_t>(region);
    } else if (!source.F64(Field(property, object))) {
      return false;
    }
  }
  return true;
}

void WriteCount(ByteSink& sink, std::size_t count) {
  if (count < kBigCountMarker) {
    sink.U16(static_cast<std::uint16_t>(count));
  } else {
    sink.U16(kBigCountMarker);
    sink.U32(static_cast<std::uint32_t>(count));
  }
}

// The class header before the first object of the file, a reference to it
// before every later one.
void WriteTag(ByteSink& sink, bool& classWritten) {
  if (!classWritten) {
    sink.U16(kNewClassTag);
    sink.U16(static_cast<std::uint16_t>(CSteamPropObject::kSchema));
    sink.U16(static_cast<std::uint16_t>(CSteamPropObject::kClassName.size()));
    sink.Text(CSteamPropObject::kClassName);
    classWritten = true;
  } else {
    sink.U16(static_cast<std::uint16_t>(kClassTagFlag | kClassIndex));
  }
}

void WriteList(ByteSink& sink, const ResultList& list, bool& classWritten) {
  WriteCount(sink, list.size());
  for (const auto& object : list) {
    WriteTag(sink, classWritten);
    WriteBody(sink, *object);
  }
}

// Reads the tag before an object; only the class header (once) and
// references to it are part of the format.
bool ReadTag(ByteSource& source, bool& classDefined) {
  std::uint16_t tag = 0;
  if (!source.U16(tag)) {
    return false;
  }
  if (tag == kNewClassTag) {
    std::uint16_t schema = 0;
    std::uint16_t nameLength = 0;
    if (classDefined || !source.U16(schema) || schema != CSteamPropObject::kSchema ||
        !source.U16(nameLength) || nameLength != CSteamPropObject::kClassName.size() ||
        !source.Text(CSteamPropObject::kClassName)) {
      return false;
    }
    classDefined = true;
    return true;
  }
  if (tag == kBigObjectTag) {
    std::uint32_t bigTag = 0;
    return source.U32(bigTag) && bigTag == (kBigClassTagFlag | kClassIndex) && classDefined;
  }
  if ((tag & kClassTagFlag) != 0) {
    return (tag & ~kClassTagFlag) == kClassIndex && classDefined;
  }
  // A null object or a back-reference: never written, so the file is damaged.
  return false;
}

bool ReadList(ByteSource& source, ResultList& list, bool& classDefined, bool partial = false) {
  std::uint16_t shortCount = 0;
  if (!source.U16(shortCount)) {
    return false;
  }
  std::uint32_t count = shortCount;
  if (shortCount == kBigCountMarker && !source.U32(count)) {
    return false;
  }
  if (count > source.Remaining() / kStbMinimumObjectSize) {
    if (!partial) {
      return false;
    }
    source.ranOut = true;
    return false;
  }
  list.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    auto object = std::make_unique<CSteamPropObject>();
    if (!ReadTag(source, classDefined) || !ReadBody(source, *object)) {
      return false;
    }
    list.push_back(std::move(object));
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> StbWriter::Write(const ResultList& siResults,
                                           const ResultList& englishResults) {
  ByteSink sink;
  sink.bytes.reserve(4 + kStbClassHeaderSize +
                     (siResults.size() + englishResults.size()) * kStbMinimumObjectSize);
  bool classWritten = false;
  WriteList(sink, siResults, classWritten);
  WriteList(sink, englishResults, classWritten);
  return std::move(sink.bytes);
}

bool StbReader::CouldBeginDocument(std::span<const std::uint8_t> bytes) {
  ByteSource source(bytes);
  bool classDefined = false;
  ResultList si;
  ResultList english;
  if (!ReadList(source, si, classDefined, true) || !ReadList(source, english, classDefined, true)) {
    return source.ranOut;
  }
  return source.Remaining() == 0;
}

void StbListEncoder::Add(const StateProperties& state, const TransportProperties& transport) {
  constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
  if (blocks.empty() || blocks.back().size() + kStbClassHeaderSize + kStbBodySize > kBlockBytes) {
    blocks.emplace_back().reserve(kBlockBytes);
  }
  ByteSink sink;
  sink.bytes = std::move(blocks.back());
  const std::size_t used = sink.bytes.size();
  bool classWritten = count != 0;
  WriteTag(sink, classWritten);
  WriteBody(sink, CSteamPropObject(state, transport));
  objectBytes += sink.bytes.size() - used;
  blocks.back() = std::move(sink.bytes);
  ++count;
}

std::size_t StbListEncoder::FileSize() const {
  return 2 + (count < kBigCountMarker ? 2 : 6) + objectBytes;
}

std::vector<std::span<const std::uint8_t>> StbListEncoder::FileParts(bool english) {
  ByteSink head;
  ByteSink tail;
  if (english) {
    head.U16(0);
  }
  WriteCount(head, count);
  if (!english) {
    tail.U16(0);
  }
  before = std::move(head.bytes);
  after = std::move(tail.bytes);
  std::vector<std::span<const std::uint8_t>> parts{before};
  parts.insert(parts.end(), blocks.begin(), blocks.end());
  parts.emplace_back(after);
  return parts;
}

StbReadResult StbReader::Read(std::span<const std::uint8_t> bytes) {
  StbReadResult result;
  ByteSource source(bytes);
  bool classDefined = false;
  if (!ReadList(source, result.siResults, classDefined) ||
      !ReadList(source, result.englishResults, classDefined) || source.Remaining() != 0) {
    return StbReadResult{DocumentError::UnexpectedFileFormat, {}, {}};
  }
  return result;
}

}  // namespace vaporix
