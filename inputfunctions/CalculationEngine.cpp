#include "CalculationEngine.h"

namespace vaporix {

std::string_view EntryPointName(EntryPoint entryPoint) {
  switch (entryPoint) {
    case EntryPoint::CalcPT:
      return "CalcPT";
    case EntryPoint::CalcPH:
      return "CalcPH";
    case EntryPoint::CalcPS:
      return "CalcPS";
    case EntryPoint::CalcPU:
      return "CalcPU";
    case EntryPoint::CalcPV:
      return "CalcPV";
    case EntryPoint::CalcTH:
      return "CalcTH";
    case EntryPoint::CalcTS:
      return "CalcTS";
    case EntryPoint::CalcTU:
      return "CalcTU";
    case EntryPoint::CalcTV:
      return "CalcTV";
    case EntryPoint::CalcHS:
      return "CalcHS";
    case EntryPoint::CalcUS:
      return "CalcUS";
    case EntryPoint::CalcVS:
      return "CalcVS";
    case EntryPoint::CalcHV:
      return "CalcHV";
    case EntryPoint::CalcUV:
      return "CalcUV";
    case EntryPoint::CalcSatPX:
      return "CalcSatPX";
    case EntryPoint::CalcSatTX:
      return "CalcSatTX";
    case EntryPoint::CalcSatPH:
      return "CalcSatPH";
    case EntryPoint::CalcSatPS:
      return "CalcSatPS";
    case EntryPoint::CalcSatPU:
      return "CalcSatPU";
    case EntryPoint::CalcSatPV:
      return "CalcSatPV";
    case EntryPoint::CalcSatTH:
      return "CalcSatTH";
    case EntryPoint::CalcSatTS:
      return "CalcSatTS";
    case EntryPoint::CalcSatTU:
      return "CalcSatTU";
    case EntryPoint::CalcSatTV:
      return "CalcSatTV";
    case EntryPoint::CalcSatHS:
      return "CalcSatHS";
    case EntryPoint::CalcSatUS:
      return "CalcSatUS";
    case EntryPoint::CalcSatVS:
      return "CalcSatVS";
    case EntryPoint::CalcSatHV:
      return "CalcSatHV";
    case EntryPoint::CalcSatUV:
      return "CalcSatUV";
  }
  return "?";
}

}  // namespace vaporix
