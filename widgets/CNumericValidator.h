#pragma once

#include <QValidator>
#include <optional>

namespace vaporix {

// Judges the text of a number field without ever changing what the user
// typed beyond surrounding spaces: a number with the locale's decimal
// separator, an optional exponent and, where allowed, a sign is Acceptable;
// every other text is Intermediate, kept as typed so that the field can show
// it is not a number. No digit limits: a double holds what an engineer
// types, and the range tests refuse absurd values with a message.
class CNumericValidator : public QValidator {
  Q_OBJECT

 public:
  explicit CNumericValidator(QObject* parent = nullptr);

  // Whether a leading minus sign is accepted (quantities that can be
  // negative: entropy and energies of compressed liquid near 0 °C).
  void setNegativeAllowed(bool allowed) { m_negativeAllowed = allowed; }
  bool negativeAllowed() const { return m_negativeAllowed; }

  State validate(QString& input, int& pos) const override;

  // The number an acceptable text stands for; nullopt for an empty or
  // invalid text.
  std::optional<double> valueOf(const QString& text) const;

 private:
  bool m_negativeAllowed = false;
};

}  // namespace vaporix
