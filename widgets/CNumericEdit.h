#pragma once

#include <QLineEdit>
#include <optional>

namespace vaporix {

class CNumericValidator;

// A line edit for an unsigned decimal number in the user's locale, limited
// to 5 digits before and 15 after the decimal separator.
class CNumericEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CNumericEdit(QWidget* parent = nullptr);

  // True when the field holds any text.
  bool hasInput() const;

  // The number typed, or nullopt when the field is empty or incomplete.
  std::optional<double> value() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  CNumericValidator* m_validator;
};

}  // namespace vaporix
