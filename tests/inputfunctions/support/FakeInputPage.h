#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "CalculationEngine.h"
#include "InputPage.h"

namespace vaporix::testing {

// An engine that writes down every request and answers as told.
class RecordingEngine : public CalculationEngine {
 public:
  struct Call {
    InputPair pair;
    double first;
    double second;
    bool withTransport;
    bool english;
  };

  bool Calculate(InputPair pair, double first, double second, StateProperties& out,
                 TransportProperties& transport, bool withTransport, bool english) override {
    calls.push_back({pair, first, second, withTransport, english});
    return answer ? answer(calls.back(), out, transport) : true;
  }

  std::vector<Call> calls;
  // Fills the records and decides the engine's answer; true when empty.
  std::function<bool(const Call&, StateProperties&, TransportProperties&)> answer;
};

// An input page made of plain members.
class FakeInputPage : public InputPage {
 public:
  UnitSystem CurrentUnitSystem() const override { return unitSystem; }
  std::string InputText(InputSlot slot) const override { return inputs[Index(slot)]; }
  std::string DecimalSeparator() const override { return separator; }
  std::string LabelText(InputSlot slot) const override { return labels[Index(slot)]; }
  void SetLabelText(InputSlot slot, const std::string& text) override {
    labels[Index(slot)] = text;
  }
  void ClearUnits(InputSlot slot) override {
    units[Index(slot)].clear();
    selected[Index(slot)] = -1;
  }
  void AddUnit(InputSlot slot, const std::string& unit) override {
    units[Index(slot)].push_back(unit);
  }
  void SelectUnit(InputSlot slot, int position) override { selected[Index(slot)] = position; }
  int SelectedUnit(InputSlot slot) const override { return selected[Index(slot)]; }
  CalculationEngine& Engine() override { return *engine; }

  static std::size_t Index(InputSlot slot) { return slot == InputSlot::First ? 0 : 1; }

  UnitSystem unitSystem = UnitSystem::SI;
  std::array<std::string, 2> inputs;
  std::string separator = ".";
  std::array<std::string, 2> labels{"&Pressure:", "&Temperature:"};
  std::array<std::vector<std::string>, 2> units;
  std::array<int, 2> selected{0, 0};
  RecordingEngine recordingEngine;
  CalculationEngine* engine = &recordingEngine;
};

}  // namespace vaporix::testing
