#include "CNumericEdit.h"

#include <QEvent>

#include "CNumericValidator.h"

namespace vaporix {

CNumericEdit::CNumericEdit(QWidget* parent)
    : QLineEdit(parent), m_validator(new CNumericValidator(this)) {
  m_validator->setLocale(locale());
  setValidator(m_validator);
  setMaxLength(CNumericValidator::kMaxIntegerDigits + 1 + CNumericValidator::kMaxFractionDigits);
}

bool CNumericEdit::hasInput() const {
  return !text().isEmpty();
}

std::optional<double> CNumericEdit::value() const {
  return m_validator->valueOf(text());
}

void CNumericEdit::changeEvent(QEvent* event) {
  // The accepted separator follows the widget's locale.
  if (event->type() == QEvent::LocaleChange) {
    m_validator->setLocale(locale());
  }
  QLineEdit::changeEvent(event);
}

}  // namespace vaporix
