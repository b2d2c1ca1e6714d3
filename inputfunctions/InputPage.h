#pragma once

#include <string>

#include "CalculationEngine.h"

namespace vaporix {

// The unit system an input page works in; SI at start.
enum class UnitSystem { SI, English };

// The result of an input function's calculation.
enum class InputStatus : int {
  Ok = 0,
  FirstOutOfRange = 1,
  SecondOutOfRange = 2,
  PointOutOfRange = 3,
};

// The first or the second input of a page (edit field, label, unit list).
enum class InputSlot { First, Second };

// What an input function uses of its page. The GUI's input pages implement
// it over their widgets; tests implement it over plain members.
class InputPage {
 public:
  virtual ~InputPage() = default;

  virtual UnitSystem CurrentUnitSystem() const = 0;

  // The text typed into an input's edit field, and the decimal separator
  // of the user's locale that the field accepts.
  virtual std::string InputText(InputSlot slot) const = 0;
  virtual std::string DecimalSeparator() const = 0;

  virtual std::string LabelText(InputSlot slot) const = 0;
  virtual void SetLabelText(InputSlot slot, const std::string& text) = 0;

  // An input's drop-down unit list.
  virtual void ClearUnits(InputSlot slot) = 0;
  virtual void AddUnit(InputSlot slot, const std::string& unit) = 0;
  virtual void SelectUnit(InputSlot slot, int position) = 0;
  virtual int SelectedUnit(InputSlot slot) const = 0;

  virtual CalculationEngine& Engine() = 0;
};

}  // namespace vaporix
