#pragma once

#include <QColor>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace vaporix {

// Relative luminance of a colour on the sRGB scale (0 black, 1 white).
inline double RelativeLuminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

// The contrast ratio of two colours, from 1 (same) to 21 (black on white);
// text stays readable from 4.5 on.
inline double ContrastRatio(const QColor& first, const QColor& second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

inline constexpr double kReadableContrast = 4.5;

// Whether a palette is a dark one: light text on dark windows.
inline bool IsDarkPalette(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() < 128;
}

// `preferred` when it is readable on `background`, else black or white,
// whichever is more.
inline QColor ReadableOn(const QColor& background, const QColor& preferred) {
  if (ContrastRatio(preferred, background) >= kReadableContrast) {
    return preferred;
  }
  return ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background)
             ? QColor(Qt::black)
             : QColor(Qt::white);
}

}  // namespace vaporix
