#pragma once

#include <QLineEdit>
#include <optional>

namespace vaporix {

class CNumericValidator;

// A line edit for a number in the user's locale (exponent allowed, a minus
// sign where the field allows it). What the user types stays as typed: a
// text that is not a number is kept and the field shows it is invalid.
class CNumericEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CNumericEdit(QWidget* parent = nullptr);

  // True when the field holds any text.
  bool hasInput() const;
  // True when the field holds a text that is not an accepted number.
  bool isInvalid() const;

  // The number typed, or nullopt when the field is empty or invalid.
  std::optional<double> value() const;

  void setNegativeAllowed(bool allowed);
  bool negativeAllowed() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ShowValidity();

  CNumericValidator* m_validator;
  bool m_shownInvalid = false;
};

}  // namespace vaporix
