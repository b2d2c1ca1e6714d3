#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "StbArchive.h"

namespace vaporix {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A state whose every field differs, so a swapped or shifted field shows.
CSteamPropObject MakeObject(double seed, std::int32_t region) {
  CSteamPropObject object;
  StateProperties& s = object.state;
  double* fields[] = {&s.p,    &s.t,    &s.v,    &s.d,    &s.h,    &s.s,   &s.u,     &s.cp,
                      &s.cv,   &s.w,    &s.kapa, &s.H,    &s.G,    &s.Z,   &s.alpha, &s.Kt,
                      &s.dvdt, &s.dvdp, &s.dpdt, &s.dpdv, &s.iJTC, &s.JTC, &s.x};
  double value = seed;
  for (double* field : fields) {
    *field = value;
    value += 0.125;
  }
  s.region = region;
  object.transport = {seed * 10.0, seed * 20.0, seed * 30.0, seed * 40.0, seed * 50.0, -1.0};
  return object;
}

ResultList MakeList(std::initializer_list<CSteamPropObject> objects) {
  ResultList list;
  for (const CSteamPropObject& object : objects) {
    list.push_back(std::make_unique<CSteamPropObject>(object));
  }
  return list;
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t size) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

const Bytes kClassHeader = {0xFF, 0xFF, 0x01, 0x00, 0x10, 0x00, 'C', 'S', 't', 'e', 'a',
                            'm',  'P',  'r',  'o',  'p',  'O',  'b', 'j', 'e', 'c', 't'};
const Bytes kClassReference = {0x01, 0x80};

void ExpectSameObjects(const ResultList& actual, const ResultList& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(std::memcmp(&actual[i]->state, &expected[i]->state, sizeof(StateProperties)), 0)
        << "object " << i;
    EXPECT_EQ(
        std::memcmp(&actual[i]->transport, &expected[i]->transport, sizeof(TransportProperties)), 0)
        << "object " << i;
  }
}

TEST(stb_archive_test, empty_document_is_two_zero_counts) {
  EXPECT_EQ(StbWriter::Write({}, {}), (Bytes{0, 0, 0, 0}));
}

TEST(stb_archive_test, one_si_result_is_262_bytes) {
  CSteamPropObject object = MakeObject(1.0, 2);
  const Bytes bytes = StbWriter::Write(MakeList({object}), {});
  ASSERT_EQ(bytes.size(), 262u);
  EXPECT_EQ(Slice(bytes, 0, 2), (Bytes{0x01, 0x00}));
  EXPECT_EQ(Slice(bytes, 2, 22), kClassHeader);
  constexpr std::size_t body = 24;
  // p = 1.0 first, t = 1.125 second: IEEE 754 little-endian.
  EXPECT_EQ(Slice(bytes, body, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  EXPECT_EQ(Slice(bytes, body + 8, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xF2, 0x3F}));
  // x is the 23rd double: 1.0 + 22 * 0.125 = 3.75.
  EXPECT_EQ(Slice(bytes, body + 176, 8), (Bytes{0, 0, 0, 0, 0, 0, 0x0E, 0x40}));
  EXPECT_EQ(Slice(bytes, body + 184, 4), (Bytes{0x02, 0, 0, 0}));
  // dv = 10.0 right after the region; Sigma = -1.0 last.
  EXPECT_EQ(Slice(bytes, body + 188, 8), (Bytes{0, 0, 0, 0, 0, 0, 0x24, 0x40}));
  EXPECT_EQ(Slice(bytes, body + 228, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0xBF}));
  EXPECT_EQ(Slice(bytes, 260, 2), (Bytes{0x00, 0x00}));
}

TEST(stb_archive_test, class_header_once_then_class_references) {
  const Bytes bytes = StbWriter::Write(MakeList({MakeObject(1.0, 1), MakeObject(2.0, 2)}),
                                       MakeList({MakeObject(3.0, 4)}));
  ASSERT_EQ(bytes.size(), 2 + 22 + 236 + 2 + 236 + 2 + 2 + 236u);
  EXPECT_EQ(Slice(bytes, 0, 2), (Bytes{0x02, 0x00}));
  EXPECT_EQ(Slice(bytes, 2, 22), kClassHeader);
  EXPECT_EQ(Slice(bytes, 260, 2), kClassReference);
  EXPECT_EQ(Slice(bytes, 498, 2), (Bytes{0x01, 0x00}));
  EXPECT_EQ(Slice(bytes, 500, 2), kClassReference);
}

TEST(stb_archive_test, english_only_document_starts_with_zero_count) {
  const Bytes bytes = StbWriter::Write({}, MakeList({MakeObject(5.0, 3)}));
  ASSERT_EQ(bytes.size(), 262u);
  EXPECT_EQ(Slice(bytes, 0, 4), (Bytes{0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Slice(bytes, 4, 22), kClassHeader);
}

TEST(stb_archive_test, read_returns_identical_records) {
  const ResultList si = MakeList({MakeObject(1.0, 1), MakeObject(-2.5, 3)});
  ResultList english = MakeList({MakeObject(7.0, 4), MakeObject(1e-300, 5)});
  english[0]->state.x = std::numeric_limits<double>::quiet_NaN();
  const StbReadResult read = StbReader::Read(StbWriter::Write(si, english));
  ASSERT_TRUE(read);
  ExpectSameObjects(read.siResults, si);
  ExpectSameObjects(read.englishResults, english);
}

TEST(stb_archive_test, reads_large_count_form_and_writes_it_from_0xffff_objects) {
  // A count written as 0xFFFF + u32, as the archive does for large lists.
  Bytes bytes = StbWriter::Write(MakeList({MakeObject(1.0, 1)}), {});
  bytes.erase(bytes.begin(), bytes.begin() + 2);
  bytes.insert(bytes.begin(), {0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00});
  const StbReadResult read = StbReader::Read(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.siResults.size(), 1u);

  ResultList many;
  for (int i = 0; i < 0xFFFF; ++i) {
    many.push_back(std::make_unique<CSteamPropObject>(MakeObject(i, 1)));
  }
  const Bytes written = StbWriter::Write(many, {});
  EXPECT_EQ(Slice(written, 0, 6), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  const StbReadResult reread = StbReader::Read(written);
  ASSERT_TRUE(reread);
  ExpectSameObjects(reread.siResults, many);
}

TEST(stb_archive_test, reads_32_bit_class_reference) {
  Bytes bytes = StbWriter::Write(MakeList({MakeObject(1.0, 1), MakeObject(2.0, 2)}), {});
  bytes.erase(bytes.begin() + 260, bytes.begin() + 262);
  const Bytes bigReference = {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80};
  bytes.insert(bytes.begin() + 260, bigReference.begin(), bigReference.end());
  const StbReadResult read = StbReader::Read(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.siResults.size(), 2u);
}

struct Damage {
  const char* what;
  std::size_t offset;  // where `replacement` overwrites `length` bytes
  std::size_t length;
  Bytes replacement;
};

// Every kind of malformed file, made from the valid two-SI, one-English file:
// offset 0 SI count, 2 class header (4 schema, 6 name length, 8 name),
// 24 first body, 260 second tag, 498 English count, 500 third tag, 738 end.
TEST(stb_archive_test, refuses_every_malformed_kind) {
  const Bytes valid = StbWriter::Write(MakeList({MakeObject(1.0, 1), MakeObject(2.0, 2)}),
                                       MakeList({MakeObject(3.0, 4)}));
  ASSERT_EQ(valid.size(), 738u);
  const Damage damages[] = {
      {"empty file", 0, 738, {}},
      {"one byte", 1, 737, {}},
      {"ends in the class name", 12, 726, {}},
      {"ends inside a body", 100, 638, {}},
      {"ends before the English count", 498, 240, {}},
      {"ends one byte early", 737, 1, {}},
      {"unknown class name", 8, 16, Bytes(16, 'X')},
      {"class name with another case", 8, 1, {'c'}},
      {"name length 15", 6, 2, {0x0F, 0x00}},
      {"name length 17", 6, 2, {0x11, 0x00}},
      {"name length 0xFFFF", 6, 2, {0xFF, 0xFF}},
      {"schema 2", 4, 2, {0x02, 0x00}},
      {"schema 0", 4, 2, {0x00, 0x00}},
      {"reference before the class is defined", 2, 22, kClassReference},
      {"reference to index 2 (an object)", 260, 2, {0x02, 0x80}},
      {"reference to index 0", 260, 2, {0x00, 0x80}},
      {"null object tag", 260, 2, {0x00, 0x00}},
      {"back-reference to an object", 260, 2, {0x02, 0x00}},
      {"32-bit tag naming another index", 260, 2, {0xFF, 0x7F, 0x02, 0x00, 0x00, 0x80}},
      {"32-bit object tag", 260, 2, {0xFF, 0x7F, 0x02, 0x00, 0x00, 0x00}},
      {"second class header", 260, 2, kClassHeader},
      {"SI count one too large", 0, 2, {0x03, 0x00}},
      {"English count one too large", 498, 2, {0x02, 0x00}},
      {"count 0xFFFE", 0, 2, {0xFE, 0xFF}},
      {"large count form beyond the file", 0, 2, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"large count form cut short", 0, 738, {0xFF, 0xFF, 0x01}},
      {"a byte after the English list", 738, 0, {0x00}},
      {"a third list", 738, 0, {0x00, 0x00}},
  };
  for (const Damage& damage : damages) {
    Bytes bytes = valid;
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(damage.offset),
                bytes.begin() + static_cast<std::ptrdiff_t>(damage.offset + damage.length));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(damage.offset),
                 damage.replacement.begin(), damage.replacement.end());
    const StbReadResult read = StbReader::Read(bytes);
    EXPECT_EQ(read.error, DocumentError::UnexpectedFileFormat) << damage.what;
    EXPECT_TRUE(read.siResults.empty() && read.englishResults.empty()) << damage.what;
  }
}

// Damaged copies of a valid file: a prefix is never a document, and every
// other copy is either refused or read back to exactly the bytes it holds.
TEST(stb_archive_test, survives_truncated_and_bit_flipped_copies) {
  const Bytes valid = StbWriter::Write(MakeList({MakeObject(1.0, 1), MakeObject(2.0, 2)}),
                                       MakeList({MakeObject(3.0, 4)}));
  for (std::size_t length = 0; length < valid.size(); ++length) {
    const Bytes prefix(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(StbReader::Read(prefix).error, DocumentError::UnexpectedFileFormat) << length;
  }

  int accepted = 0;
  int refused = 0;
  for (std::size_t position = 0; position < valid.size(); ++position) {
    for (int bit = 0; bit < 8; ++bit) {
      Bytes flipped = valid;
      flipped[position] = static_cast<std::uint8_t>(flipped[position] ^ (1u << bit));
      const StbReadResult read = StbReader::Read(flipped);
      if (read) {
        ++accepted;
        EXPECT_EQ(StbWriter::Write(read.siResults, read.englishResults), flipped)
            << "byte " << position << " bit " << bit;
      } else {
        ++refused;
        EXPECT_EQ(read.error, DocumentError::UnexpectedFileFormat);
      }
    }
  }
  // Flips in the 708 body bytes are data; flips in counts, tags and header are not.
  EXPECT_EQ(accepted, 3 * 236 * 8);
  EXPECT_EQ(refused, (738 - 3 * 236) * 8);

  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::size_t> anyPosition(0, valid.size() - 1);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::uniform_int_distribution<int> damageCount(1, 6);
  for (int copy = 0; copy < 5000; ++copy) {
    Bytes damaged = valid;
    for (int n = damageCount(random); n > 0; --n) {
      damaged[anyPosition(random)] = static_cast<std::uint8_t>(anyByte(random));
    }
    damaged.resize(anyPosition(random) % 4 == 0 ? anyPosition(random) : damaged.size());
    const StbReadResult read = StbReader::Read(damaged);
    EXPECT_TRUE(read || read.error == DocumentError::UnexpectedFileFormat);
  }
}

}  // namespace
}  // namespace vaporix

namespace vaporix {
namespace {

// The encoder of a long list gives the writer's bytes, in either list, with
// the size it states, and the stream check accepts every prefix of them.
TEST(stb_archive_test, list_encoder_writes_the_writers_bytes) {
  for (const bool english : {false, true}) {
    ResultList list;
    StbListEncoder encoder;
    for (int i = 0; i < 70000; ++i) {  // past 0xFFFF: the long count form
      const CSteamPropObject object = MakeObject(i * 0.5, i % 5 + 1);
      encoder.Add(object.state, object.transport);
      list.push_back(std::make_unique<CSteamPropObject>(object));
    }
    const std::vector<std::uint8_t> expected =
        english ? StbWriter::Write({}, list) : StbWriter::Write(list, {});
    std::vector<std::uint8_t> bytes;
    for (std::span<const std::uint8_t> part : encoder.FileParts(english)) {
      bytes.insert(bytes.end(), part.begin(), part.end());
    }
    EXPECT_EQ(encoder.FileSize(), expected.size()) << english;
    EXPECT_TRUE(bytes == expected) << english;
    for (std::size_t prefix : {std::size_t{0}, std::size_t{5}, bytes.size() / 2, bytes.size()}) {
      EXPECT_TRUE(StbReader::CouldBeginDocument(std::span(bytes).first(prefix))) << prefix;
    }
    bytes.push_back(0);
    EXPECT_FALSE(StbReader::CouldBeginDocument(bytes)) << "bytes after the document";
  }
}

}  // namespace
}  // namespace vaporix
