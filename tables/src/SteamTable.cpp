#include "vaporix/tables/SteamTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "vaporix/Limits.h"

namespace vaporix::tables {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The last step reaches the end value when it misses it by no more than this
// share of the range (decimal steps rarely divide a range exactly in binary).
constexpr double kEndRounding = 1e-9;
// An input this close (relative) to a boundary of the formulation is taken
// as the boundary, so that 373.946 °C or 32 °F land on Tc and 273.15 K.
constexpr double kBoundarySnap = 1e-12;
// A grid temperature this close (relative) to the saturation temperature is
// on the saturation line.
constexpr double kOnSaturationLine = 1e-9;
constexpr double kLiquidQuality = 0.0;
constexpr double kVapourQuality = 100.0;

constexpr std::array<double, 4> kTemperatureBounds{
    limits::kMinimumTemperature, limits::kCriticalTemperature, limits::kRegion2MaximumTemperature,
    limits::kMaximumTemperature};
constexpr std::array<double, 4> kPressureBounds{
    limits::kSaturationMinimumPressure, limits::kCriticalPressure, limits::kRegion5MaximumPressure,
    limits::kMaximumPressure};

double Snap(Quantity quantity, double si) {
  const auto snap = [si](const auto& bounds) {
    for (const double bound : bounds) {
      if (std::fabs(si - bound) <= kBoundarySnap * bound) {
        return bound;
      }
    }
    return si;
  };
  if (quantity == Quantity::Temperature) {
    return snap(kTemperatureBounds);
  }
  if (quantity == Quantity::Pressure) {
    return snap(kPressureBounds);
  }
  return si;
}

double ToSI(Quantity quantity, double value, const UnitChoice& units) {
  return Snap(quantity, InputToSI(quantity, value, units));
}

struct Steps {
  std::size_t count = 0;
  double ratio = 0.0;
};

RangeError CountSteps(const StepRange& range, std::size_t limit, Steps& steps) {
  if (!std::isfinite(range.from) || !std::isfinite(range.to) || !std::isfinite(range.step)) {
    return RangeError::NotANumber;
  }
  if (!(range.step > 0.0)) {
    return RangeError::StepNotPositive;
  }
  if (range.to < range.from) {
    return RangeError::EndBeforeStart;
  }
  steps.ratio = (range.to - range.from) / range.step;
  if (!(steps.ratio < static_cast<double>(limit))) {
    return RangeError::TooManyRows;
  }
  steps.count = static_cast<std::size_t>(
                    std::floor(steps.ratio + kEndRounding * std::max(1.0, steps.ratio))) +
                1;
  return steps.count > limit ? RangeError::TooManyRows : RangeError::None;
}

// The value of step `index`; the last step that reaches the end is the end.
double StepValue(const StepRange& range, const Steps& steps, std::size_t index) {
  const double value = range.from + static_cast<double>(index) * range.step;
  if (index + 1 == steps.count &&
      std::fabs(range.to - value) <= kEndRounding * std::max(1.0, steps.ratio) * range.step) {
    return range.to;
  }
  return value;
}

bool NeedsTransport(const TableRequest& request) {
  return request.withTransport ||
         std::any_of(request.properties.begin(), request.properties.end(),
                     [](const PropertyInfo* info) { return info->transportField != nullptr; });
}

bool IsSaturationRow(const TableRequest& request, const TableRow& row) {
  return IsSaturationKind(request.kind) || row.status == RowStatus::SaturatedLiquid ||
         row.status == RowStatus::SaturatedVapour ||
         (request.kind == TableKind::Isoline && Describe(request.pair).saturation);
}

void AppendNumber(std::string& text, double value) {
  char buffer[32];
  text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

class RowMaker {
 public:
  RowMaker(const TableRequest& tableRequest, IF97Calculator& calculator)
      : request(tableRequest), engine(calculator), transport(NeedsTransport(tableRequest)) {}

  // Saturated liquid and vapour at the SI value of `quantity`.
  bool Saturated(Quantity quantity, double si, TableRow& row) {
    const InputPair pair = quantity == Quantity::Temperature ? InputPair::SatTX : InputPair::SatPX;
    if (engine.Calculate(pair, si, kLiquidQuality, row.state, row.transport, transport, false) &&
        engine.Calculate(pair, si, kVapourQuality, row.vapour, row.vapourTransport, transport,
                         false)) {
      row.status = RowStatus::Ok;
      return true;
    }
    NoState(row, RowStatus::OutOfRange);
    row.state.*Describe(quantity).field = si;
    return false;
  }

  bool Calculate(InputPair pair, double a, double b, TableRow& row) {
    if (engine.Calculate(pair, a, b, row.state, row.transport, transport, false)) {
      row.status = RowStatus::Ok;
      return true;
    }
    NoState(row, RowStatus::OutOfRange);
    row.state.*Describe(Describe(pair).first).field = a;
    row.state.*Describe(Describe(pair).second).field = b;
    return false;
  }

  static void NoState(TableRow& row, RowStatus status) {
    row.status = status;
    row.state = StateProperties{};
    row.transport = TransportProperties{};
    row.vapour = StateProperties{};
    row.vapourTransport = TransportProperties{};
  }

 private:
  const TableRequest& request;
  IF97Calculator& engine;
  bool transport;
};

RangeError GenerateGrid(const TableRequest& request, const Steps& steps, RowMaker& maker,
                        const std::function<bool(const TableRow&)>& sink) {
  const StepRange& range = request.range;
  const double lowT = ToSI(Quantity::Temperature, range.from, request.units);
  const double highT =
      ToSI(Quantity::Temperature, StepValue(range, steps, steps.count - 1), request.units);
  TableRow row;
  for (const double pressure : request.pressures) {
    const double p = ToSI(Quantity::Pressure, pressure, request.units);
    // The saturated states go in where the temperatures cross Tsat(p).
    TableRow liquid;
    TableRow vapour;
    bool crossing = false;
    if (p >= limits::kSaturationMinimumPressure && p < limits::kCriticalPressure &&
        maker.Saturated(Quantity::Pressure, p, liquid)) {
      const double tsat = liquid.state.t;
      crossing = lowT <= tsat && tsat <= highT;
      vapour = liquid;
      liquid.status = RowStatus::SaturatedLiquid;
      liquid.inputs = {kNaN, pressure};
      vapour.status = RowStatus::SaturatedVapour;
      vapour.inputs = {kNaN, pressure};
      vapour.state = liquid.vapour;
      vapour.transport = liquid.vapourTransport;
      liquid.vapour = vapour.vapour = StateProperties{};
      liquid.vapourTransport = vapour.vapourTransport = TransportProperties{};
    }
    const double tsat = liquid.state.t;
    for (std::size_t i = 0; i < steps.count; ++i) {
      const double temperature = StepValue(range, steps, i);
      const double T = ToSI(Quantity::Temperature, temperature, request.units);
      if (crossing && T >= tsat * (1.0 - kOnSaturationLine)) {
        crossing = false;
        if (!sink(liquid)) {
          return RangeError::None;
        }
        const bool onLine = T <= tsat * (1.0 + kOnSaturationLine);
        if (onLine) {
          RowMaker::NoState(row, RowStatus::TwoPhase);
          row.inputs = {temperature, pressure};
          row.state.p = p;
          row.state.t = T;
          row.state.region = 4;
          if (!sink(row)) {
            return RangeError::None;
          }
        }
        if (!sink(vapour)) {
          return RangeError::None;
        }
        if (onLine) {
          continue;
        }
      }
      row.inputs = {temperature, pressure};
      row.state = StateProperties{};
      maker.Calculate(InputPair::PT, p, T, row);
      if (!sink(row)) {
        return RangeError::None;
      }
    }
  }
  return RangeError::None;
}

}  // namespace

std::optional<std::vector<const PropertyInfo*>> ParsePropertyKeys(std::string_view list,
                                                                  std::string* unknown) {
  const auto trim = [](std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
      text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
      text.remove_suffix(1);
    }
    return text;
  };
  if (trim(list).empty()) {
    return DefaultProperties();
  }
  std::vector<const PropertyInfo*> properties;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view key = trim(list.substr(0, comma));
    const PropertyInfo* info = FindProperty(key);
    if (info == nullptr) {
      if (unknown != nullptr) {
        *unknown = std::string(key);
      }
      return std::nullopt;
    }
    properties.push_back(info);
    if (comma == std::string_view::npos) {
      return properties;
    }
    list.remove_prefix(comma + 1);
  }
}

std::vector<const PropertyInfo*> DefaultProperties() {
  std::vector<const PropertyInfo*> properties;
  for (const std::string_view key : kDefaultTableKeys) {
    properties.push_back(FindProperty(key));
  }
  return properties;
}

Quantity SteppedQuantity(const TableRequest& request) {
  switch (request.kind) {
    case TableKind::SaturationByPressure:
      return Quantity::Pressure;
    case TableKind::Isoline:
      return Describe(request.pair).second;
    default:
      return Quantity::Temperature;
  }
}

std::optional<Quantity> FixedQuantity(const TableRequest& request) {
  if (request.kind == TableKind::Grid) {
    return Quantity::Pressure;
  }
  if (request.kind == TableKind::Isoline) {
    return Describe(request.pair).first;
  }
  return std::nullopt;
}

std::string RangeErrorMessage(RangeError error) {
  switch (error) {
    case RangeError::None:
      return "";
    case RangeError::NotANumber:
      return "every value must be a finite number";
    case RangeError::EndBeforeStart:
      return "the end value lies before the start value";
    case RangeError::StepNotPositive:
      return "the step must be greater than zero";
    case RangeError::TooManyRows:
      return "the table would have more than " + std::to_string(kMaxTableRows) +
             " rows; choose a larger step";
    case RangeError::NoPressures:
      return "a grid needs at least one pressure";
    case RangeError::NoProperties:
      return "choose at least one property";
  }
  return "";
}

RangeError CheckRequest(const TableRequest& request, std::size_t* rows, std::size_t rowLimit) {
  rowLimit = std::min(rowLimit, kMaxTableRows);
  if (request.kind == TableKind::Isoline && !std::isfinite(request.fixed)) {
    return RangeError::NotANumber;
  }
  if (request.kind == TableKind::Grid) {
    if (request.pressures.empty()) {
      return RangeError::NoPressures;
    }
    if (!std::all_of(request.pressures.begin(), request.pressures.end(),
                     [](double p) { return std::isfinite(p); })) {
      return RangeError::NotANumber;
    }
  }
  if (request.properties.empty() && IsSaturationKind(request.kind)) {
    return RangeError::NoProperties;
  }
  Steps steps;
  if (const RangeError error = CountSteps(request.range, rowLimit, steps);
      error != RangeError::None) {
    return error;
  }
  std::size_t count = steps.count;
  if (request.kind == TableKind::Grid) {
    const std::size_t isobars = request.pressures.size();
    if (isobars > rowLimit || steps.count + 2 > rowLimit / isobars) {
      return RangeError::TooManyRows;
    }
    count = (steps.count + 2) * isobars;
  }
  if (rows != nullptr) {
    *rows = count;
  }
  return RangeError::None;
}

std::string_view StatusText(RowStatus status) {
  switch (status) {
    case RowStatus::Ok:
      return "ok";
    case RowStatus::OutOfRange:
      return "out_of_range";
    case RowStatus::TwoPhase:
      return "two_phase";
    case RowStatus::SaturatedLiquid:
      return "saturated_liquid";
    case RowStatus::SaturatedVapour:
      return "saturated_vapour";
  }
  return "";
}

RangeError Generate(const TableRequest& request, IF97Calculator& engine,
                    const std::function<bool(const TableRow&)>& sink) {
  if (const RangeError error = CheckRequest(request); error != RangeError::None) {
    return error;
  }
  Steps steps;
  CountSteps(request.range, kMaxTableRows, steps);
  RowMaker maker(request, engine);
  if (request.kind == TableKind::Grid) {
    return GenerateGrid(request, steps, maker, sink);
  }
  const Quantity stepped = SteppedQuantity(request);
  const std::optional<Quantity> fixed = FixedQuantity(request);
  const double fixedSI = fixed ? ToSI(*fixed, request.fixed, request.units) : kNaN;
  TableRow row;
  for (std::size_t i = 0; i < steps.count; ++i) {
    const double value = StepValue(request.range, steps, i);
    const double si = ToSI(stepped, value, request.units);
    row.inputs = {value, fixed ? request.fixed : kNaN};
    row.state = StateProperties{};
    if (request.kind == TableKind::Isoline) {
      maker.Calculate(request.pair, fixedSI, si, row);
    } else {
      maker.Saturated(stepped, si, row);
    }
    if (!sink(row)) {
      break;
    }
  }
  return RangeError::None;
}

RangeError Generate(const TableRequest& request, IF97Calculator& engine, SteamTable& table,
                    std::size_t rowLimit) {
  std::size_t rows = 0;
  if (const RangeError error = CheckRequest(request, &rows, rowLimit); error != RangeError::None) {
    return error;
  }
  table.request = request;
  table.rows.clear();
  table.rows.reserve(rows);
  return Generate(request, engine, [&table](const TableRow& row) {
    table.rows.push_back(row);
    return true;
  });
}

std::vector<TableColumn> Columns(const TableRequest& request) {
  const PropertyInfo* p = FindProperty("p");
  const PropertyInfo* t = FindProperty("t");
  std::vector<TableColumn> columns;
  if (IsSaturationKind(request.kind)) {
    columns.push_back({ColumnRole::Value, t, "t"});
    columns.push_back({ColumnRole::Value, p, "p"});
    for (const PropertyInfo* info : request.properties) {
      columns.push_back({ColumnRole::Liquid, info, std::string(info->key) + "_liq"});
      columns.push_back({ColumnRole::Vapour, info, std::string(info->key) + "_vap"});
    }
    columns.push_back({ColumnRole::LatentHeat, nullptr, "h_fg"});
    columns.push_back({ColumnRole::LatentEntropy, nullptr, "s_fg"});
  } else {
    columns.push_back({ColumnRole::Value, p, "p"});
    columns.push_back({ColumnRole::Value, t, "t"});
    for (const PropertyInfo* info : request.properties) {
      columns.push_back({ColumnRole::Value, info, std::string(info->key)});
    }
    columns.push_back({ColumnRole::Value, FindProperty("region"), "region"});
    columns.push_back({ColumnRole::Status, nullptr, "status"});
  }
  // What every cell of a column would otherwise look up again.
  const PropertyInfo* stepped = &PropertyOf(SteppedQuantity(request));
  const std::optional<Quantity> fixed = FixedQuantity(request);
  const PropertyInfo* held = fixed ? &PropertyOf(*fixed) : nullptr;
  const bool transport = NeedsTransport(request);
  for (TableColumn& column : columns) {
    if (column.role == ColumnRole::Value) {
      column.input = column.property == stepped ? 0 : column.property == held ? 1 : -1;
    }
    column.transportComputed = transport;
  }
  return columns;
}

std::string_view ColumnUnit(const TableColumn& column, const UnitChoice& units) {
  switch (column.role) {
    case ColumnRole::LatentHeat:
      return UnitText(*FindProperty("h"), units);
    case ColumnRole::LatentEntropy:
      return UnitText(*FindProperty("s"), units);
    case ColumnRole::Status:
      return "";
    default:
      return UnitText(*column.property, units);
  }
}

Cell CellOf(const TableRequest& request, const TableRow& row, const TableColumn& column,
            const UnitChoice& units) {
  if (column.role == ColumnRole::Status) {
    return {Cell::Kind::Text, 0.0, StatusText(row.status)};
  }
  const bool hasState = row.status != RowStatus::OutOfRange && row.status != RowStatus::TwoPhase;
  if (column.role == ColumnRole::LatentHeat || column.role == ColumnRole::LatentEntropy) {
    if (!hasState) {
      return {};
    }
    static const PropertyInfo& enthalpy = PropertyOf(Quantity::Enthalpy);
    static const PropertyInfo& entropy = PropertyOf(Quantity::Entropy);
    const PropertyInfo& info = column.role == ColumnRole::LatentHeat ? enthalpy : entropy;
    return {Cell::Kind::Number,
            ToDisplay(info, row.vapour.*info.stateField - row.state.*info.stateField, units),
            {}};
  }
  const PropertyInfo& info = *column.property;
  if (column.input >= 0) {
    // The row's inputs as the user gave them, while shown in the same units.
    const double given = row.inputs[static_cast<std::size_t>(column.input)];
    if (units == request.units && !std::isnan(given)) {
      return {Cell::Kind::Number, given, {}};
    }
    if (!hasState) {
      return {Cell::Kind::Number, ToDisplay(info, row.state.*info.stateField, units), {}};
    }
  }
  if (!hasState) {
    return {};
  }
  const bool vapour = column.role == ColumnRole::Vapour;
  const StateProperties& state = vapour ? row.vapour : row.state;
  const TransportProperties& transport = vapour ? row.vapourTransport : row.transport;
  if (info.transportField != nullptr && !column.transportComputed) {
    return {Cell::Kind::NotAvailable, 0.0, {}};
  }
  if (!IsAvailable(info, state, transport, IsSaturationRow(request, row))) {
    return {Cell::Kind::NotAvailable, 0.0, {}};
  }
  if (info.isRegion) {
    return {Cell::Kind::Integer, static_cast<double>(state.region), {}};
  }
  return {Cell::Kind::Number, ToDisplay(info, ValueOf(info, state, transport), units), {}};
}

std::string Describe(const TableRequest& request) {
  const UnitChoice& units = request.units;
  std::string text(Describe(request.kind).title);
  text += ": ";
  if (request.kind == TableKind::Grid) {
    text += "p = ";
    for (std::size_t i = 0; i < request.pressures.size(); ++i) {
      if (i != 0) {
        text += ", ";
      }
      AppendNumber(text, request.pressures[i]);
    }
    text += ' ';
    text += UnitText(Quantity::Pressure, units);
    text += "; ";
  } else if (request.kind == TableKind::Isoline) {
    const InputPairInfo& pair = Describe(request.pair);
    text += Describe(pair.first).key;
    text += " = ";
    AppendNumber(text, request.fixed);
    text += ' ';
    text += UnitText(pair.first, units);
    text += "; ";
  }
  const Quantity stepped = SteppedQuantity(request);
  text += Describe(stepped).key;
  text += " = ";
  AppendNumber(text, request.range.from);
  text += " to ";
  AppendNumber(text, request.range.to);
  text += ' ';
  text += UnitText(stepped, units);
  text += ", step ";
  AppendNumber(text, request.range.step);
  return text;
}

}  // namespace vaporix::tables
