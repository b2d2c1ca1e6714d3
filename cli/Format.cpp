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

void WritePair(char* out, std::uint32_t n) {
  std::memcpy(out, kDigitPairs + 2 * n, 2);
}

void Store(char* out, std::uint64_t bytes) {
  std::memcpy(out, &bytes, sizeof bytes);
}

// The words below hold text with its first character in the lowest byte.
static_assert(std::endian::native == std::endian::little);

// The eight ASCII digits of n < 10^8, zeros in front, as one word: the
// digits go out in whole-word stores, since byte stores read back as words
// would stall the store buffer.
std::uint64_t EightDigits(std::uint32_t n) {
  const auto pair = [](std::uint32_t value) {
    std::uint16_t text = 0;
    std::memcpy(&text, kDigitPairs + 2 * value, 2);
    return static_cast<std::uint64_t>(text);
  };
  const std::uint32_t high = n / 10000;
  const std::uint32_t low = n % 10000;
  return pair(high / 100) | (pair(high % 100) << 16) | (pair(low / 100) << 32) |
         (pair(low % 100) << 48);
}

// A significand of up to 17 digits as 17 characters, its digits first and
// zeros after them: S[0], S[1..8] and S[9..16].
struct SeventeenDigits {
  char first;
  std::uint64_t middle;
  std::uint64_t last;
  SeventeenDigits(std::uint64_t significand, int count) {
    const std::uint64_t text = significand * kPowersOfTen[17 - count];
    constexpr std::uint64_t kSixteen = 10'000'000'000'000'000ULL;
    const std::uint64_t rest = text % kSixteen;
    first = static_cast<char>('0' + text / kSixteen);
    middle = EightDigits(static_cast<std::uint32_t>(rest / 100000000));
    last = EightDigits(static_cast<std::uint32_t>(rest % 100000000));
  }
  // Writes all 17 characters at out.
  void Write(char* out) const {
    out[0] = first;
    Store(out + 1, middle);
    Store(out + 9, last);
  }
};

// Writes the exact value of a whole number from 2^53 to below 1e22 (the
// largest that fixed notation is chosen for): the nearest text of its length.
// Rare enough to go digit by digit.
int WriteWholeNumber(char* out, double value) {
  int binaryExponent = 0;
  const double fraction = std::frexp(value, &binaryExponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  __extension__ using Wide = unsigned __int128;
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
  const int count = DigitCount(significand);
  const int leading = exponent + count - 1;  // power of ten of the first digit
  const bool wideExponent = leading <= -100 || leading >= 100;
  const int scientificLength = count + (count > 1 ? 1 : 0) + (wideExponent ? 5 : 4);
  const SeventeenDigits digits(significand, count);
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
    // Integer digits, the point, the fraction digits: the 17 characters,
    // then the fraction again one place further on, then the point.
    const int fixedLength = count + 1;
    if (fixedLength <= scientificLength) {
      __extension__ using Wide = unsigned __int128;
      const std::uint64_t low = static_cast<std::uint8_t>(digits.first) | (digits.middle << 8);
      const std::uint64_t high = (digits.middle >> 56) | (digits.last << 8);
      const Wide head = (static_cast<Wide>(high) << 64) | low;
      const auto lastDigit = static_cast<std::uint8_t>(digits.last >> 56);
      const int point = leading + 1;
      Store(out, low);
      Store(out + 8, high);
      Wide tail = lastDigit;
      if (point < 16) {
        tail = (head >> (8 * point)) | (static_cast<Wide>(lastDigit) << (128 - 8 * point));
      }
      Store(out + point + 1, static_cast<std::uint64_t>(tail));
      if (count - point > 8) {
        Store(out + point + 9, static_cast<std::uint64_t>(tail >> 64));
      }
      out[point] = '.';
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
  // d[.ddd]e±XX
  out[0] = digits.first;
  out[1] = '.';
  Store(out + 2, digits.middle);
  Store(out + 10, digits.last);
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
  // them to it (libfmt's implementation, faster than std::to_chars); the
  // layout is the standard one.
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
