#pragma once

#include "CalculationEngine.h"
#include "InputConversion.h"
#include "InputPage.h"
#include "vaporix/StateProperties.h"

namespace vaporix {

// Writes "&1. " / "&2. " in front of the label texts, so that the digit is
// the mnemonic of the edit field beside each label.
void PrefixInputLabels(InputPage& page);

// An input pair of a page and the range tests of its two inputs (the
// quantities are the engine's: Describe(pair)).
struct CheckedInputPair {
  InputPair pair;
  RangeTest firstTest;   // failure gives FirstOutOfRange
  RangeTest secondTest;  // run after firstTest; failure gives SecondOutOfRange
};

// What the input functions of both pages have in common: labels, unit
// lists and the calculation of one input pair on the page they serve.
class InputFunction {
 public:
  explicit InputFunction(InputPage& servedPage) : page(servedPage) {}
  virtual ~InputFunction() = default;
  InputFunction(const InputFunction&) = delete;
  InputFunction& operator=(const InputFunction&) = delete;

  // Called when the function becomes the selected one: labels and units.
  virtual void Apply();
  // Empties and refills both unit lists for the page's unit system and
  // selects their first entries; also called when the unit system changes.
  virtual void FillUnits();
  // Reads, converts and tests the two inputs, then asks the engine (in SI,
  // with transport properties).
  virtual InputStatus Calculate(StateProperties& out, TransportProperties& transport) = 0;
  virtual void SetFirstLabel() = 0;
  virtual void SetSecondLabel() = 0;
  virtual void FillFirstUnits() = 0;
  virtual void FillSecondUnits() = 0;
  // The pair this function calculates: its quantities and range tests.
  virtual const CheckedInputPair& Fields() const = 0;

 protected:
  InputPage& page;
};

// Writes the quantity's name into the input's label.
void SetQuantityLabel(InputPage& page, InputSlot slot, Quantity quantity);

// Adds the quantity's unit texts to the input's unit list.
void FillUnitList(InputPage& page, InputSlot slot, Quantity quantity, PageKind pageKind);

// Reads both inputs in SI, runs the range tests and asks the engine (with
// transport properties); `refusedStatus` when the engine finds no state.
InputStatus CalculateInputPair(InputPage& page, const CheckedInputPair& checked,
                               InputStatus refusedStatus, StateProperties& out,
                               TransportProperties& transport);

}  // namespace vaporix
