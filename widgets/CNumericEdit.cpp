#include "CNumericEdit.h"

#include <QEvent>

#include "CNumericValidator.h"

namespace vaporix {

namespace {

// The invalid field's background: the palette's own base tinted red, so
// that its text keeps its contrast on light and dark desktops.
QColor InvalidBase(const QColor& base) {
  const QColor red(220, 0, 0);
  constexpr double kTint = 0.35;
  const auto mix = [](int from, int to) {
    return static_cast<int>(from + (to - from) * kTint + 0.5);
  };
  return QColor(mix(base.red(), red.red()), mix(base.green(), red.green()),
                mix(base.blue(), red.blue()));
}

}  // namespace

CNumericEdit::CNumericEdit(QWidget* parent)
    : QLineEdit(parent), m_validator(new CNumericValidator(this)) {
  m_validator->setLocale(locale());
  setValidator(m_validator);
  connect(this, &QLineEdit::textChanged, this, &CNumericEdit::ShowValidity);
}

bool CNumericEdit::hasInput() const {
  return !text().isEmpty();
}

bool CNumericEdit::isInvalid() const {
  return hasInput() && !value().has_value();
}

std::optional<double> CNumericEdit::value() const {
  return m_validator->valueOf(text());
}

void CNumericEdit::setNegativeAllowed(bool allowed) {
  m_validator->setNegativeAllowed(allowed);
  ShowValidity();
}

bool CNumericEdit::negativeAllowed() const {
  return m_validator->negativeAllowed();
}

void CNumericEdit::ShowValidity() {
  const bool invalid = isInvalid();
  if (invalid == m_shownInvalid) {
    return;
  }
  m_shownInvalid = invalid;
  if (invalid) {
    QPalette tinted = palette();
    tinted.setColor(QPalette::Base, InvalidBase(tinted.color(QPalette::Base)));
    setPalette(tinted);
    setToolTip(negativeAllowed() ? tr("Not a number") : tr("Not a number (no sign allowed here)"));
  } else {
    setPalette(QPalette());
    setToolTip(QString());
  }
}

void CNumericEdit::changeEvent(QEvent* event) {
  // The accepted separator follows the widget's locale.
  if (event->type() == QEvent::LocaleChange) {
    m_validator->setLocale(locale());
    ShowValidity();
  }
  QLineEdit::changeEvent(event);
}

}  // namespace vaporix
