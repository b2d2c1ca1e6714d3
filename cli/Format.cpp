#include "Format.h"

#include <fmt/format.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "vaporix/InputPair.h"

namespace vaporix::cli {
namespace {

constexpr char kNotAvailableText[] = "N/A";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL,
                                          10000000000000000000ULL};

// Decimal digits of n >= 1, from its bit length (1233 / 4096 is just above
// log10(2)) and one comparison.
int DigitCount(std::uint64_t n) {
  const int guess = (static_cast<int>(std::bit_width(n)) * 1233) >> 12;
  return guess + (n >= kPowersOfTen[guess] ? 1 : 0);
}

// Digits of a shortest-form significand (at most 17): most have 16 or 17,
// told by one comparison each.
int SignificandDigits(std::uint64_t n) {
  if (n >= 10'000'000'000'000'000ULL) {
    return 17;
  }
  if (n >= 1'000'000'000'000'000ULL) {
    return 16;
  }
  return DigitCount(n);
}

void WritePair(char* out, std::uint32_t n) {
  std::memcpy(out, kDigitPairs + 2 * n, 2);
}

void Store(char* out, std::uint64_t bytes) {
  std::memcpy(out, &bytes, sizeof bytes);
}

// The words below hold text with its first character in the lowest byte.
static_assert(std::endian::native == std::endian::little);

std::uint64_t PairText(std::uint64_t value) {
  std::uint16_t text = 0;
  std::memcpy(&text, kDigitPairs + 2 * value, 2);
  return text;
}

// The eight ASCII digits of n < 10^8, zeros in front, as one word, two
// digits at a time: n / 10^6 in 52-bit fixed point (the factor rounded up, so
// the error stays below one unit of the last pair), each pair the integer
// part, the fraction times 100 the next. The digits go out in whole-word
// stores, since byte stores read back as words would stall the store buffer.
std::uint64_t EightDigits(std::uint32_t n) {
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
  constexpr std::uint64_t kScale = (std::uint64_t{1} << 52) / 1000000 + 1;
  std::uint64_t fixed = n * kScale;
  std::uint64_t digits = PairText(fixed >> 52);
  fixed = (fixed & kFraction) * 100;
  digits |= PairText(fixed >> 52) << 16;
  fixed = (fixed & kFraction) * 100;
  digits |= PairText(fixed >> 52) << 32;
  fixed = (fixed & kFraction) * 100;
  return digits | (PairText(fixed >> 52) << 48);
}

// The nine digits of n < 10^9 the same way, in 57-bit fixed point: the
// first digit and a word of the other eight.
struct NineDigits {
  char first;
  std::uint64_t rest;
  explicit NineDigits(std::uint64_t n) {
    constexpr std::uint64_t kFraction = (std::uint64_t{1} << 57) - 1;
    constexpr std::uint64_t kScale = (std::uint64_t{1} << 57) / 100000000 + 1;
    std::uint64_t fixed = n * kScale;
    first = static_cast<char>('0' + (fixed >> 57));
    fixed = (fixed & kFraction) * 100;
    rest = PairText(fixed >> 57);
    fixed = (fixed & kFraction) * 100;
    rest |= PairText(fixed >> 57) << 16;
    fixed = (fixed & kFraction) * 100;
    rest |= PairText(fixed >> 57) << 32;
    fixed = (fixed & kFraction) * 100;
    rest |= PairText(fixed >> 57) << 48;
  }
};

__extension__ using Wide = unsigned __int128;

constexpr std::uint64_t kEightZeros = 0x3030303030303030ULL;

// The digits of a significand of `count` <= 17 digits, first digit first,
// then zeros: 24 characters in three words. Scaling it to 17 digits first
// makes the digits start at the front.
struct SignificandText {
  std::uint64_t words[3];
  SignificandText(std::uint64_t significand, int count) {
    // Shortest forms mostly have 16 or 17 digits: those are scaled without
    // waiting for the digit count.
    constexpr std::uint64_t kSixteenDigits = 1'000'000'000'000'000ULL;
    std::uint64_t scaled = significand * 10;
    if (significand >= 10 * kSixteenDigits) {
      scaled = significand;
    } else if (significand < kSixteenDigits) {
      scaled = significand * kPowersOfTen[17 - count];
    }
    const std::uint64_t high = scaled / 100000000;
    const NineDigits front(high);
    const std::uint64_t last = EightDigits(static_cast<std::uint32_t>(scaled - high * 100000000));
    words[0] = static_cast<std::uint8_t>(front.first) | (front.rest << 8);
    words[1] = (front.rest >> 56) | (last << 8);
    words[2] = (last >> 56) | (kEightZeros << 8);
  }
  char First() const { return static_cast<char>(words[0]); }
  // Writes the 24 characters at out.
  void Write(char* out) const {
    Store(out, words[0]);
    Store(out + 8, words[1]);
    Store(out + 16, words[2]);
  }
};

// The eight characters of `word` with a decimal point put in before
// character `point` (0 to 7); the last character falls off.
std::uint64_t InsertPoint(std::uint64_t word, int point) {
  const std::uint64_t before = (std::uint64_t{1} << (8 * point)) - 1;
  const std::uint64_t through = ~std::uint64_t{0} >> (56 - 8 * point);
  return (word & before) | (std::uint64_t{'.'} << (8 * point)) | ((word << 8) & ~through);
}

// Writes the exact value of a whole number from 2^53 to below 1e22 (the
// largest that fixed notation is chosen for): the nearest text of its length.
// Rare enough to go digit by digit.
int WriteWholeNumber(char* out, double value) {
  int binaryExponent = 0;
  const double fraction = std::frexp(value, &binaryExponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  Wide whole = static_cast<Wide>(mantissa) << (binaryExponent - 53);
  char digits[40];
  char* begin = digits + sizeof digits;
  do {
    *--begin = static_cast<char>('0' + static_cast<int>(whole % 10));
    whole /= 10;
  } while (whole != 0);
  const auto length = static_cast<int>(digits + sizeof digits - begin);
  std::memcpy(out, begin, static_cast<std::size_t>(length));
  return length;
}

// Writes positive `value` = significand * 10^exponent (no trailing zeros in
// the significand) at `out`, which has 31 bytes of room; returns the length.
// Fixed notation where it is no longer than the exponent form ("1.5e-07",
// "1e+300"), the exponent form otherwise. Stores may run past the length
// (never past the room): the caller counts only the length.
int WriteShortest(char* out, std::uint64_t significand, int exponent, double value) {
  const int count = SignificandDigits(significand);
  const int leading = exponent + count - 1;  // power of ten of the first digit
  const bool wideExponent = leading <= -100 || leading >= 100;
  const int scientificLength = count + (count > 1 ? 1 : 0) + (wideExponent ? 5 : 4);
  const SignificandText digits(significand, count);
  if (exponent >= 0) {
    // A whole number: digits, then zeros.
    const int fixedLength = leading + 1;
    if (fixedLength <= scientificLength) {
      if (value >= 9007199254740992.0) {
        // Above 2^53 the zeros are not the value's own digits; its exact
        // value is the nearest text of this length.
        return WriteWholeNumber(out, value);
      }
      digits.Write(out);
      return fixedLength;
    }
  } else if (leading >= 0) {
    // Integer digits, the point, the fraction digits: the digits one
    // place on (right for the fraction), then the word that holds the point.
    const int fixedLength = count + 1;
    if (fixedLength <= scientificLength) {
      const int point = leading + 1;
      digits.Write(out + 1);
      if (point < 8) {
        Store(out, InsertPoint(digits.words[0], point));
      } else {
        Store(out, digits.words[0]);
        if (point < 16) {
          Store(out + 8, InsertPoint(digits.words[1], point - 8));
        } else {
          Store(out + 8, digits.words[1]);
          out[16] = '.';
        }
      }
      return fixedLength;
    }
  } else {
    // 0.000ddd
    const int fixedLength = count + 1 - leading;
    if (fixedLength <= scientificLength) {
      std::memcpy(out, "0.000000", 8);
      digits.Write(out + 1 - leading);
      return fixedLength;
    }
  }
  // d[.ddd]e±XX: the digits one place on, then the first digit and the point.
  digits.Write(out + 1);
  out[0] = digits.First();
  out[1] = '.';
  char* end = out + (count > 1 ? count + 1 : 1);
  *end++ = 'e';
  *end++ = leading < 0 ? '-' : '+';
  const auto magnitude = static_cast<std::uint32_t>(leading < 0 ? -leading : leading);
  if (wideExponent) {
    *end++ = static_cast<char>('0' + magnitude / 100);
  }
  WritePair(end, magnitude % 100);
  return static_cast<int>(end + 2 - out);
}

}  // namespace

char* FormatNumber(char* first, double value) {
  if (!std::isfinite(value)) {
    return std::to_chars(first, first + kMaxNumberLength, value).ptr;
  }
  first[0] = '-';
  char* const out = first + (std::signbit(value) ? 1 : 0);
  if (value == 0.0) {
    out[0] = '0';
    return out + 1;
  }
  value = std::fabs(value);
  // The shortest digits that read back to the same double, the nearest of
  // them to it: libfmt's digit search (exported by the library; its public
  // formatting lays numbers out differently), faster than std::to_chars'.
  // WriteShortest lays them out as std::to_chars does.
  const auto decimal = fmt::detail::dragonbox::to_decimal(value);
  return out + WriteShortest(out, decimal.significand, decimal.exponent, value);
}

bool ParseNumber(std::string_view text, double& value) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return false;
    }
  }
  if (text.empty()) {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::string PairNames(bool saturation) {
  std::string names;
  for (const InputPairInfo& pair : kInputPairs) {
    if (pair.saturation == saturation) {
      names += names.empty() ? "" : " ";
      names += pair.name;
    }
  }
  return names;
}

char* FormatProperty(char* first, const PropertyInfo& info, const StateProperties& state,
                     const TransportProperties& transport, bool saturation) {
  if (!IsAvailable(info, state, transport, saturation)) {
    std::memcpy(first, kNotAvailableText, sizeof kNotAvailableText - 1);
    return first + sizeof kNotAvailableText - 1;
  }
  if (info.isRegion) {
    return std::to_chars(first, first + kMaxNumberLength, state.region).ptr;
  }
  return FormatNumber(first, ValueOf(info, state, transport));
}

}  // namespace vaporix::cli
