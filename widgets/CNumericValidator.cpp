#include "CNumericValidator.h"

#include <charconv>
#include <string>

namespace vaporix {

namespace {

bool IsAsciiDigits(QStringView text) {
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
      return false;
    }
  }
  return true;
}

}  // namespace

CNumericValidator::CNumericValidator(QObject* parent) : QValidator(parent) {}

QValidator::State CNumericValidator::validate(QString& input, int& /*pos*/) const {
  if (input.isEmpty()) {
    return Intermediate;
  }
  const QString separator = locale().decimalPoint();
  const qsizetype separatorAt = input.indexOf(separator);
  const QStringView text(input);
  const QStringView integerPart = separatorAt < 0 ? text : text.left(separatorAt);
  const QStringView fractionPart =
      separatorAt < 0 ? QStringView() : text.mid(separatorAt + separator.size());
  if (!IsAsciiDigits(integerPart) || !IsAsciiDigits(fractionPart)) {
    return Invalid;  // a sign, a second separator, a group separator or a letter
  }
  if (integerPart.size() > kMaxIntegerDigits || fractionPart.size() > kMaxFractionDigits) {
    return Invalid;
  }
  if (integerPart.isEmpty() && fractionPart.isEmpty()) {
    return Intermediate;  // the separator alone
  }
  return Acceptable;
}

std::optional<double> CNumericValidator::valueOf(const QString& text) const {
  QString copy = text;
  int pos = 0;
  if (validate(copy, pos) != Acceptable) {
    return std::nullopt;
  }
  // The validated text holds ASCII digits and at most one separator, so the
  // C-locale form only needs the separator replaced.
  const std::string ascii =
      copy.replace(locale().decimalPoint(), QStringLiteral(".")).toStdString();
  double value = 0.0;
  const char* const end = ascii.data() + ascii.size();
  const auto [ptr, error] = std::from_chars(ascii.data(), end, value);
  if (error != std::errc() || ptr != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace vaporix
