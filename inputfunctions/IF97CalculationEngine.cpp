#include "IF97CalculationEngine.h"

namespace vaporix {
namespace {

using Member = bool (IF97Calculator::*)(double, double, StateProperties&, TransportProperties&,
                                        bool, bool);

Member MemberOf(EntryPoint entryPoint) {
  switch (entryPoint) {
    case EntryPoint::CalcPT:
      return &IF97Calculator::CalcPT;
    case EntryPoint::CalcPH:
      return &IF97Calculator::CalcPH;
    case EntryPoint::CalcPS:
      return &IF97Calculator::CalcPS;
    case EntryPoint::CalcPU:
      return &IF97Calculator::CalcPU;
    case EntryPoint::CalcPV:
      return &IF97Calculator::CalcPV;
    case EntryPoint::CalcTH:
      return &IF97Calculator::CalcTH;
    case EntryPoint::CalcTS:
      return &IF97Calculator::CalcTS;
    case EntryPoint::CalcTU:
      return &IF97Calculator::CalcTU;
    case EntryPoint::CalcTV:
      return &IF97Calculator::CalcTV;
    case EntryPoint::CalcHS:
      return &IF97Calculator::CalcHS;
    case EntryPoint::CalcUS:
      return &IF97Calculator::CalcUS;
    case EntryPoint::CalcVS:
      return &IF97Calculator::CalcVS;
    case EntryPoint::CalcHV:
      return &IF97Calculator::CalcHV;
    case EntryPoint::CalcUV:
      return &IF97Calculator::CalcUV;
    case EntryPoint::CalcSatPX:
      return &IF97Calculator::CalcSatPX;
    case EntryPoint::CalcSatTX:
      return &IF97Calculator::CalcSatTX;
    case EntryPoint::CalcSatPH:
      return &IF97Calculator::CalcSatPH;
    case EntryPoint::CalcSatPS:
      return &IF97Calculator::CalcSatPS;
    case EntryPoint::CalcSatPU:
      return &IF97Calculator::CalcSatPU;
    case EntryPoint::CalcSatPV:
      return &IF97Calculator::CalcSatPV;
    case EntryPoint::CalcSatTH:
      return &IF97Calculator::CalcSatTH;
    case EntryPoint::CalcSatTS:
      return &IF97Calculator::CalcSatTS;
    case EntryPoint::CalcSatTU:
      return &IF97Calculator::CalcSatTU;
    case EntryPoint::CalcSatTV:
      return &IF97Calculator::CalcSatTV;
    case EntryPoint::CalcSatHS:
      return &IF97Calculator::CalcSatHS;
    case EntryPoint::CalcSatUS:
      return &IF97Calculator::CalcSatUS;
    case EntryPoint::CalcSatVS:
      return &IF97Calculator::CalcSatVS;
    case EntryPoint::CalcSatHV:
      return &IF97Calculator::CalcSatHV;
    case EntryPoint::CalcSatUV:
      return &IF97Calculator::CalcSatUV;
  }
  return nullptr;
}

}  // namespace

bool IF97CalculationEngine::Calculate(EntryPoint entryPoint, double first, double second,
                                      StateProperties& out, TransportProperties& transport,
                                      bool withTransport, bool english) {
  const Member member = MemberOf(entryPoint);
  return member != nullptr &&
         (engine.*member)(first, second, out, transport, withTransport, english);
}

}  // namespace vaporix
