#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "InputFunction.h"

namespace vaporix {

// One input pair of the "Subcooled/Superheated properties" page: labels,
// unit lists, conversion of the typed values to SI, range tests and the
// engine entry point. The page owns one object per pair.
class ImplementFunction : public InputFunction {
 public:
  using InputFunction::InputFunction;
};

// What distinguishes the input pairs of the single-phase page.
struct InputPairDescription {
  std::string_view listText;
  CheckedInputPair pair;
};

// An input pair of the single-phase page built from its description.
class DescribedFunction : public ImplementFunction {
 public:
  DescribedFunction(InputPage& servedPage, const InputPairDescription& pairDescription)
      : ImplementFunction(servedPage), description(pairDescription) {}

  InputStatus Calculate(StateProperties& out, TransportProperties& transport) override;
  void SetFirstLabel() override;
  void SetSecondLabel() override;
  void FillFirstUnits() override;
  void FillSecondUnits() override;
  const CheckedInputPair& Fields() const override { return description.pair; }

  const InputPairDescription& Description() const { return description; }

 private:
  const InputPairDescription& description;
};

class ImplementFunctionPT final : public DescribedFunction {
 public:
  explicit ImplementFunctionPT(InputPage& servedPage);
};
class ImplementFunctionPH final : public DescribedFunction {
 public:
  explicit ImplementFunctionPH(InputPage& servedPage);
};
class ImplementFunctionPS final : public DescribedFunction {
 public:
  explicit ImplementFunctionPS(InputPage& servedPage);
};
class ImplementFunctionPV final : public DescribedFunction {
 public:
  explicit ImplementFunctionPV(InputPage& servedPage);
};
class ImplementFunctionPU final : public DescribedFunction {
 public:
  explicit ImplementFunctionPU(InputPage& servedPage);
};
class ImplementFunctionTH final : public DescribedFunction {
 public:
  explicit ImplementFunctionTH(InputPage& servedPage);
};
class ImplementFunctionTS final : public DescribedFunction {
 public:
  explicit ImplementFunctionTS(InputPage& servedPage);
};
class ImplementFunctionTV final : public DescribedFunction {
 public:
  explicit ImplementFunctionTV(InputPage& servedPage);
};
class ImplementFunctionTU final : public DescribedFunction {
 public:
  explicit ImplementFunctionTU(InputPage& servedPage);
};
class ImplementFunctionHS final : public DescribedFunction {
 public:
  explicit ImplementFunctionHS(InputPage& servedPage);
};
class ImplementFunctionUS final : public DescribedFunction {
 public:
  explicit ImplementFunctionUS(InputPage& servedPage);
};
class ImplementFunctionVS final : public DescribedFunction {
 public:
  explicit ImplementFunctionVS(InputPage& servedPage);
};
class ImplementFunctionHV final : public DescribedFunction {
 public:
  explicit ImplementFunctionHV(InputPage& servedPage);
};
class ImplementFunctionUV final : public DescribedFunction {
 public:
  explicit ImplementFunctionUV(InputPage& servedPage);
};

inline constexpr int kSinglePhaseFunctionCount = 14;

// The text of position 0-13 of the page's function list.
std::string_view SinglePhaseFunctionListText(int position);

// The fourteen functions serving `page`, indexed by their position in the
// page's function list.
std::vector<std::unique_ptr<ImplementFunction>> CreateSinglePhaseFunctions(InputPage& page);

}  // namespace vaporix
