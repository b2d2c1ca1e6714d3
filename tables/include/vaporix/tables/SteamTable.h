#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/Properties.h"
#include "vaporix/StateProperties.h"
#include "vaporix/tables/TableUnits.h"

namespace vaporix::tables {

// What a table lists.
enum class TableKind : std::uint8_t {
  SaturationByTemperature,  // saturated liquid and vapour, T stepped
  SaturationByPressure,     // saturated liquid and vapour, p stepped
  Grid,                     // for each pressure of a list, T stepped
  Isoline,                  // the first input of a pair fixed, the second stepped
};

struct TableKindInfo {
  TableKind kind;
  std::string_view name;   // as the command line spells it
  std::string_view title;  // as the program shows it
};

inline constexpr std::array<TableKindInfo, 4> kTableKinds{{
    {TableKind::SaturationByTemperature, "sat-t", "Saturation by temperature"},
    {TableKind::SaturationByPressure, "sat-p", "Saturation by pressure"},
    {TableKind::Grid, "grid", "Single-phase grid (p × T)"},
    {TableKind::Isoline, "isoline", "Along an isoline"},
}};

constexpr const TableKindInfo& Describe(TableKind kind) {
  return kTableKinds[static_cast<std::size_t>(kind)];
}

constexpr bool IsSaturationKind(TableKind kind) {
  return kind == TableKind::SaturationByTemperature || kind == TableKind::SaturationByPressure;
}

// Tables longer than this are refused (a mistyped step would otherwise ask
// for billions of rows).
inline constexpr std::size_t kMaxTableRows = 1'000'000;

// The stepped argument: from, to (not before from) and a positive step, in
// the request's units. The end value is a row when the steps reach it within
// rounding.
struct StepRange {
  double from = 0.0;
  double to = 0.0;
  double step = 1.0;
};

// The properties listed when none are asked for.
inline constexpr std::array<std::string_view, 4> kDefaultTableKeys{{"v", "h", "s", "u"}};

struct TableRequest {
  TableKind kind = TableKind::SaturationByTemperature;
  StepRange range;
  std::vector<double> pressures;                // Grid: the isobars, in order
  InputPair pair = InputPair::PT;               // Isoline
  double fixed = 0.0;                           // Isoline: the pair's first input
  UnitChoice units;                             // of the inputs above
  std::vector<const PropertyInfo*> properties;  // the asked columns, in order
  // Transport properties are computed (the program always wants them, so
  // that a change of columns needs no new calculation).
  bool withTransport = true;
};

// The asked properties for a list of keys ("v,h,s"); the default set for an
// empty list; nullopt with the unknown key in `unknown`.
std::optional<std::vector<const PropertyInfo*>> ParsePropertyKeys(std::string_view list,
                                                                  std::string* unknown = nullptr);
std::vector<const PropertyInfo*> DefaultProperties();

// The quantity stepped along the rows and, for grids and isolines, the one
// held fixed.
Quantity SteppedQuantity(const TableRequest& request);
std::optional<Quantity> FixedQuantity(const TableRequest& request);

enum class RangeError : std::uint8_t {
  None,
  NotANumber,      // an input is NaN or infinite
  EndBeforeStart,  // to < from
  StepNotPositive,
  TooManyRows,  // more than kMaxTableRows
  NoPressures,  // a grid without isobars
  NoProperties,
};

std::string RangeErrorMessage(RangeError error);

// Checks a request and counts its rows (for a grid the largest count, with
// the two saturated rows of every isobar); `rowLimit` lets a front end ask
// for fewer rows than kMaxTableRows.
RangeError CheckRequest(const TableRequest& request, std::size_t* rows = nullptr,
                        std::size_t rowLimit = kMaxTableRows);

enum class RowStatus : std::uint8_t {
  Ok,
  OutOfRange,       // no state: outside the formulation or the saturation line
  TwoPhase,         // a grid point on the saturation line: p and T fix no state
  SaturatedLiquid,  // inserted into a grid at the saturation temperature
  SaturatedVapour,
};

// The status as the CSV writes it ("ok", "out_of_range", ...).
std::string_view StatusText(RowStatus status);

// One row. Saturation tables hold the liquid in `state` and the vapour in
// `vapour`; the others the row's state in `state`. A row without a state
// holds its SI inputs in the input fields of `state`. `inputs` are the row's
// two inputs in the request's units (stepped, then fixed; NaN where the row
// has none), shown as given while the table is shown in those units.
struct TableRow {
  RowStatus status = RowStatus::Ok;
  std::array<double, 2> inputs{};
  StateProperties state{};
  TransportProperties transport{};
  StateProperties vapour{};
  TransportProperties vapourTransport{};
};

// Calculates the rows of a checked request in order and hands each to
// `sink`; stops early when `sink` answers false. Answers the check's error
// (nothing is calculated then).
RangeError Generate(const TableRequest& request, IF97Calculator& engine,
                    const std::function<bool(const TableRow&)>& sink);

// A whole table kept in memory, as the program shows it.
struct SteamTable {
  TableRequest request;
  std::vector<TableRow> rows;
};
RangeError Generate(const TableRequest& request, IF97Calculator& engine, SteamTable& table,
                    std::size_t rowLimit = kMaxTableRows);

// A column of a table.
enum class ColumnRole : std::uint8_t {
  Value,          // a property of the row's state (or of the saturated liquid)
  Liquid,         // saturation tables: the property of the liquid
  Vapour,         // and of the vapour
  LatentHeat,     // h_fg
  LatentEntropy,  // s_fg
  Status,
};

struct TableColumn {
  ColumnRole role;
  const PropertyInfo* property;  // null for the latent values and the status
  std::string name;              // "t", "v_liq", "h_fg", "status", ...
  // Value columns of a row input: its index in TableRow::inputs, else -1.
  int input = -1;
  // Transport columns: whether the request computes transport properties.
  bool transportComputed = true;
};

// Saturation tables: t, p, then K_liq and K_vap for each asked key, then
// h_fg and s_fg. Grids and isolines: p, t, the asked keys, region, status.
std::vector<TableColumn> Columns(const TableRequest& request);

// The unit text of a column in these units (empty for the status).
std::string_view ColumnUnit(const TableColumn& column, const UnitChoice& units);

// What a cell shows.
struct Cell {
  enum class Kind : std::uint8_t { Number, Integer, NotAvailable, Empty, Text } kind = Kind::Empty;
  double value = 0.0;
  std::string_view text;
};

// The cell of a row and a column in the units `units` (which need not be the
// request's: the records are SI, so a table is re-shown without recalculating);
// `column` is one of Columns(request).
Cell CellOf(const TableRequest& request, const TableRow& row, const TableColumn& column,
            const UnitChoice& units);

// A one-line account of a request ("Saturation by temperature, t = 0 … 100 °C
// step 5"), for printed headers.
std::string Describe(const TableRequest& request);

}  // namespace vaporix::tables
