#include "InputFunction.h"

#include <string>

namespace vaporix {

void PrefixInputLabels(InputPage& page) {
  page.SetLabelText(InputSlot::First, "&1. " + page.LabelText(InputSlot::First));
  page.SetLabelText(InputSlot::Second, "&2. " + page.LabelText(InputSlot::Second));
}

void InputFunction::Apply() {
  SetFirstLabel();
  SetSecondLabel();
  PrefixInputLabels(page);
  FillUnits();
}

void InputFunction::FillUnits() {
  page.ClearUnits(InputSlot::First);
  page.ClearUnits(InputSlot::Second);
  FillFirstUnits();
  FillSecondUnits();
  page.SelectUnit(InputSlot::First, 0);
  page.SelectUnit(InputSlot::Second, 0);
}

void SetQuantityLabel(InputPage& page, InputSlot slot, Quantity quantity) {
  page.SetLabelText(slot, std::string(QuantityName(quantity)));
}

void FillUnitList(InputPage& page, InputSlot slot, Quantity quantity, PageKind pageKind) {
  for (const std::string& unit : UnitTexts(quantity, page.CurrentUnitSystem(), pageKind)) {
    page.AddUnit(slot, unit);
  }
}

InputStatus CalculateInputPair(InputPage& page, const CheckedInputPair& checked,
                               InputStatus refusedStatus, StateProperties& out,
                               TransportProperties& transport) {
  const InputPairInfo& pair = Describe(checked.pair);
  const double first = ReadSIInput(page, InputSlot::First, pair.first);
  const double second = ReadSIInput(page, InputSlot::Second, pair.second);
  if (!PassesRangeTest(checked.firstTest, first)) {
    return InputStatus::FirstOutOfRange;
  }
  if (!PassesRangeTest(checked.secondTest, second)) {
    return InputStatus::SecondOutOfRange;
  }
  const bool found = page.Engine().Calculate(checked.pair, first, second, out, transport,
                                             /*withTransport=*/true,
                                             /*english=*/false);
  return found ? InputStatus::Ok : refusedStatus;
}

}  // namespace vaporix
