#include "ImplementFunction.h"

#include <array>
#include <string>

namespace vaporix {
namespace {

using enum Quantity;

// In function-list order; position 3 is (p, v) and 4 is (p, u), 7 is (t, v) and 8 is (t, u).
constexpr std::array<InputPairDescription, kSinglePhaseFunctionCount> kPairs{{
    {" function (p, t)",
     {Pressure, Temperature, RangeTest::Pressure, RangeTest::Temperature, EntryPoint::CalcPT}},
    {" function (p, h)",
     {Pressure, Enthalpy, RangeTest::Pressure, RangeTest::None, EntryPoint::CalcPH}},
    {" function (p, s)",
     {Pressure, Entropy, RangeTest::Pressure, RangeTest::None, EntryPoint::CalcPS}},
    {" function (p, v)",
     {Pressure, Volume, RangeTest::Pressure, RangeTest::None, EntryPoint::CalcPV}},
    {" function (p, u)",
     {Pressure, InternalEnergy, RangeTest::Pressure, RangeTest::None, EntryPoint::CalcPU}},
    {" function (t, h)",
     {Temperature, Enthalpy, RangeTest::Temperature, RangeTest::None, EntryPoint::CalcTH}},
    {" function (t, s)",
     {Temperature, Entropy, RangeTest::Temperature, RangeTest::None, EntryPoint::CalcTS}},
    {" function (t, v)",
     {Temperature, Volume, RangeTest::Temperature, RangeTest::None, EntryPoint::CalcTV}},
    {" function (t, u)",
     {Temperature, InternalEnergy, RangeTest::Temperature, RangeTest::None, EntryPoint::CalcTU}},
    {" function (h, s)", {Enthalpy, Entropy, RangeTest::None, RangeTest::None, EntryPoint::CalcHS}},
    {" function (u, s)",
     {InternalEnergy, Entropy, RangeTest::None, RangeTest::None, EntryPoint::CalcUS}},
    {" function (v, s)", {Volume, Entropy, RangeTest::None, RangeTest::None, EntryPoint::CalcVS}},
    {" function (h, v)",
     {Enthalpy, Volume, RangeTest::None, RangeTest::Volume, EntryPoint::CalcHV}},
    {" function (u, v)",
     {InternalEnergy, Volume, RangeTest::None, RangeTest::Volume, EntryPoint::CalcUV}},
}};

}  // namespace

InputStatus DescribedFunction::Calculate(StateProperties& out, TransportProperties& transport) {
  return CalculateInputPair(page, description.pair, InputStatus::PointOutOfRange, out, transport);
}

void DescribedFunction::SetFirstLabel() {
  SetQuantityLabel(page, InputSlot::First, description.pair.first);
}

void DescribedFunction::SetSecondLabel() {
  SetQuantityLabel(page, InputSlot::Second, description.pair.second);
}

void DescribedFunction::FillFirstUnits() {
  FillUnitList(page, InputSlot::First, description.pair.first, PageKind::SinglePhase);
}

void DescribedFunction::FillSecondUnits() {
  FillUnitList(page, InputSlot::Second, description.pair.second, PageKind::SinglePhase);
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
