#include <benchmark/benchmark.h>

#include <string>

#include "Format.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/tables/SteamTable.h"
#include "vaporix/tables/TableCsv.h"

namespace {

using namespace vaporix;

std::vector<const PropertyInfo*> AllProperties() {
  std::vector<const PropertyInfo*> properties;
  for (const PropertyInfo& info : kProperties) {
    properties.push_back(&info);
  }
  return properties;
}

// 1,000 saturated states by temperature from the triple point to the
// critical point, every property of the liquid and the vapour.
tables::TableRequest SaturationRequest() {
  tables::TableRequest request;
  request.kind = tables::TableKind::SaturationByTemperature;
  request.range = {273.16, 647.096, (647.096 - 273.16) / 999.0};
  request.properties = AllProperties();
  return request;
}

// 100 isobars from 0.1 to 99.1 MPa, 100 temperatures from 300 to 1290 K,
// every property (the isobars below 22.064 MPa add their saturated states).
tables::TableRequest GridRequest() {
  tables::TableRequest request;
  request.kind = tables::TableKind::Grid;
  for (int i = 0; i < 100; ++i) {
    request.pressures.push_back(0.1 + i);
  }
  request.range = {300.0, 1290.0, 10.0};
  request.properties = AllProperties();
  return request;
}

void TimeTable(benchmark::State& state, const tables::TableRequest& request, bool csv) {
  IF97Calculator engine;
  engine.Initialize();
  std::size_t rows = 0;
  for (auto _ : state) {
    tables::SteamTable table;
    tables::Generate(request, engine, table);
    rows = table.rows.size();
    if (csv) {
      benchmark::DoNotOptimize(tables::TableCsv(table, request.units, cli::FormatNumber));
    }
    benchmark::DoNotOptimize(table.rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_SaturationTable1000Rows(benchmark::State& state) {
  TimeTable(state, SaturationRequest(), state.range(0) != 0);
}
BENCHMARK(BM_SaturationTable1000Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Grid100x100(benchmark::State& state) {
  TimeTable(state, GridRequest(), state.range(0) != 0);
}
BENCHMARK(BM_Grid100x100)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
