#include "CNumericValidator.h"

#include <algorithm>

#include "vaporix/NumberText.h"

namespace vaporix {

CNumericValidator::CNumericValidator(QObject* parent) : QValidator(parent) {}

QValidator::State CNumericValidator::validate(QString& input, int& pos) const {
  // Spaces around a pasted number go; the cursor keeps its place in the rest.
  const QString trimmed = input.trimmed();
  if (trimmed.size() != input.size()) {
    qsizetype leading = 0;
    while (leading < input.size() && input.at(leading).isSpace()) {
      ++leading;
    }
    pos = static_cast<int>(std::clamp<qsizetype>(pos - leading, 0, trimmed.size()));
    input = trimmed;
  }
  return valueOf(input) ? Acceptable : Intermediate;
}

std::optional<double> CNumericValidator::valueOf(const QString& text) const {
  const std::optional<double> value =
      ParseNumberText(text.toStdString(), locale().decimalPoint().toStdString());
  if (!value || (!m_negativeAllowed && text.trimmed().startsWith(QLatin1Char('-')))) {
    return std::nullopt;
  }
  return value;
}

}  // namespace vaporix
