#include "ImplementFunction.h"

#include <array>
#include <string>

namespace vaporix {
namespace {

using enum Quantity;

// In function-list order; position 3 is (p, v) and 4 is (p, u), 7 is (t, v) and 8 is (t, u).
constexpr std::array<InputPairDescription, kSinglePhaseFunctionCount> kPairs{{
    {" function (p, t)", {InputPair::PT, RangeTest::Pressure, RangeTest::Temperature}},
    {" function (p, h)", {InputPair::PH, RangeTest::Pressure, RangeTest::None}},
    {" function (p, s)", {InputPair::PS, RangeTest::Pressure, RangeTest::None}},
    {" function (p, v)", {InputPair::PV, RangeTest::Pressure, RangeTest::None}},
    {" function (p, u)", {InputPair::PU, RangeTest::Pressure, RangeTest::None}},
    {" function (t, h)", {InputPair::TH, RangeTest::Temperature, RangeTest::None}},
    {" function (t, s)", {InputPair::TS, RangeTest::Temperature, RangeTest::None}},
    {" function (t, v)", {InputPair::TV, RangeTest::Temperature, RangeTest::None}},
    {" function (t, u)", {InputPair::TU, RangeTest::Temperature, RangeTest::None}},
    {" function (h, s)", {InputPair::HS, RangeTest::None, RangeTest::None}},
    {" function (u, s)", {InputPair::US, RangeTest::None, RangeTest::None}},
    {" function (v, s)", {InputPair::VS, RangeTest::None, RangeTest::None}},
    {" function (h, v)", {InputPair::HV, RangeTest::None, RangeTest::Volume}},
    {" function (u, v)", {InputPair::UV, RangeTest::None, RangeTest::Volume}},
}};

}  // namespace

InputStatus DescribedFunction::Calculate(StateProperties& out, TransportProperties& transport) {
  return CalculateInputPair(page, description.pair, InputStatus::PointOutOfRange, out, transport);
}

void DescribedFunction::SetFirstLabel() {
  SetQuantityLabel(page, InputSlot::First, Describe(description.pair.pair).first);
}

void DescribedFunction::SetSecondLabel() {
  SetQuantityLabel(page, InputSlot::Second, Describe(description.pair.pair).second);
}

void DescribedFunction::FillFirstUnits() {
  FillUnitList(page, InputSlot::First, Describe(description.pair.pair).first,
               PageKind::SinglePhase);
}

void DescribedFunction::FillSecondUnits() {
  FillUnitList(page, InputSlot::Second, Describe(description.pair.pair).second,
               PageKind::SinglePhase);
}

ImplementFunctionPT::ImplementFunctionPT(InputPage& p) : DescribedFunction(p, kPairs[0]) {}
ImplementFunctionPH::ImplementFunctionPH(InputPage& p) : DescribedFunction(p, kPairs[1]) {}
ImplementFunctionPS::ImplementFunctionPS(InputPage& p) : DescribedFunction(p, kPairs[2]) {}
ImplementFunctionPV::ImplementFunctionPV(InputPage& p) : DescribedFunction(p, kPairs[3]) {}
ImplementFunctionPU::ImplementFunctionPU(InputPage& p) : DescribedFunction(p, kPairs[4]) {}
ImplementFunctionTH::ImplementFunctionTH(InputPage& p) : DescribedFunction(p, kPairs[5]) {}
ImplementFunctionTS::ImplementFunctionTS(InputPage& p) : DescribedFunction(p, kPairs[6]) {}
ImplementFunctionTV::ImplementFunctionTV(InputPage& p) : DescribedFunction(p, kPairs[7]) {}
ImplementFunctionTU::ImplementFunctionTU(InputPage& p) : DescribedFunction(p, kPairs[8]) {}
ImplementFunctionHS::ImplementFunctionHS(InputPage& p) : DescribedFunction(p, kPairs[9]) {}
ImplementFunctionUS::ImplementFunctionUS(InputPage& p) : DescribedFunction(p, kPairs[10]) {}
ImplementFunctionVS::ImplementFunctionVS(InputPage& p) : DescribedFunction(p, kPairs[11]) {}
ImplementFunctionHV::ImplementFunctionHV(InputPage& p) : DescribedFunction(p, kPairs[12]) {}
ImplementFunctionUV::ImplementFunctionUV(InputPage& p) : DescribedFunction(p, kPairs[13]) {}

std::string_view SinglePhaseFunctionListText(int position) {
  if (position < 0 || position >= kSinglePhaseFunctionCount) {
    return {};
  }
  return kPairs[static_cast<std::size_t>(position)].listText;
}

std::vector<std::unique_ptr<ImplementFunction>> CreateSinglePhaseFunctions(InputPage& page) {
  std::vector<std::unique_ptr<ImplementFunction>> functions;
  functions.reserve(kSinglePhaseFunctionCount);
  functions.push_back(std::make_unique<ImplementFunctionPT>(page));
  functions.push_back(std::make_unique<ImplementFunctionPH>(page));
  functions.push_back(std::make_unique<ImplementFunctionPS>(page));
  functions.push_back(std::make_unique<ImplementFunctionPV>(page));
  functions.push_back(std::make_unique<ImplementFunctionPU>(page));
  functions.push_back(std::make_unique<ImplementFunctionTH>(page));
  functions.push_back(std::make_unique<ImplementFunctionTS>(page));
  functions.push_back(std::make_unique<ImplementFunctionTV>(page));
  functions.push_back(std::make_unique<ImplementFunctionTU>(page));
  functions.push_back(std::make_unique<ImplementFunctionHS>(page));
  functions.push_back(std::make_unique<ImplementFunctionUS>(page));
  functions.push_back(std::make_unique<ImplementFunctionVS>(page));
  functions.push_back(std::make_unique<ImplementFunctionHV>(page));
  functions.push_back(std::make_unique<ImplementFunctionUV>(page));
  return functions;
}

}  // namespace vaporix
