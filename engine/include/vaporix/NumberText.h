#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace vaporix {

// Reads a number as an engineer types it: surrounding spaces, an optional
// sign, digits with at most one decimal separator (the one given, e.g. the
// locale's), then an optional exponent ("1e-3", "2.5E+2"). Anything else,
// and a value beyond the range of double ("1e999"), is nullopt: a text is
// read as written or refused, never read in part.
inline std::optional<double> ParseNumberText(std::string_view text,
                                             std::string_view decimalSeparator) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isSpace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isSpace(text.back())) {
    text.remove_suffix(1);
  }
  std::string number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') {
      number.push_back('-');
    }
    ++i;
  }
  bool mantissaDigit = false;
  bool separatorSeen = false;
  while (i < text.size()) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      number.push_back(c);
      mantissaDigit = true;
      ++i;
    } else if (!separatorSeen && !decimalSeparator.empty() &&
               text.substr(i).starts_with(decimalSeparator)) {
      number.push_back('.');
      separatorSeen = true;
      i += decimalSeparator.size();
    } else {
      break;
    }
  }
  if (!mantissaDigit) {
    return std::nullopt;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    number.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      number.push_back(text[i]);
      ++i;
    }
    bool exponentDigit = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      number.push_back(text[i]);
      exponentDigit = true;
      ++i;
    }
    if (!exponentDigit) {
      return std::nullopt;
    }
  }
  if (i != text.size()) {
    return std::nullopt;
  }
  double value = 0.0;
  const char* const end = number.data() + number.size();
  const auto [ptr, error] = std::from_chars(number.data(), end, value);
  if (error != std::errc() || ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// A value written back into an input field after a unit conversion: ten
// significant digits, so that converting back gives the typed number again
// to far better than the formulation's own accuracy.
inline std::string FormatInputNumber(double value, std::string_view decimalSeparator) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  std::string text(buffer, result.ptr);
  if (const auto dot = text.find('.'); dot != std::string::npos) {
    text.replace(dot, 1, decimalSeparator);
  }
  return text;
}

}  // namespace vaporix
