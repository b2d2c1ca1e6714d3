#pragma once

#include <QValidator>
#include <optional>

namespace vaporix {

// Accepts an unsigned decimal number typed with the digits and the decimal
// separator of its locale, at most 5 digits before and 15 after the separator.
class CNumericValidator : public QValidator {
  Q_OBJECT

 public:
  static constexpr int kMaxIntegerDigits = 5;
  static constexpr int kMaxFractionDigits = 15;

  explicit CNumericValidator(QObject* parent = nullptr);

  State validate(QString& input, int& pos) const override;

  // The number an acceptable text stands for; nullopt for an empty, partial
  // or invalid text.
  std::optional<double> valueOf(const QString& text) const;
};

}  // namespace vaporix
