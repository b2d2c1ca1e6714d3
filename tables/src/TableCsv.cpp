#include "vaporix/tables/TableCsv.h"

#include <charconv>

#include "vaporix/Properties.h"

namespace vaporix::tables {
namespace {

constexpr std::size_t kNumberRoom = 32;
constexpr std::string_view kNotAvailableText = "N/A";

void AppendNumber(std::string& text, double value, NumberWriter write) {
  char buffer[kNumberRoom];
  text.append(buffer, write(buffer, value));
}

}  // namespace

char* WriteShortest(char* first, double value) {
  return std::to_chars(first, first + kNumberRoom, value).ptr;
}

void AppendCell(std::string& text, const Cell& cell, NumberWriter write) {
  switch (cell.kind) {
    case Cell::Kind::Number:
    case Cell::Kind::Integer:
      AppendNumber(text, cell.value, write);
      break;
    case Cell::Kind::NotAvailable:
      text += kNotAvailableText;
      break;
    case Cell::Kind::Text:
      text += cell.text;
      break;
    case Cell::Kind::Empty:
      break;
  }
}

void AppendCsvHeader(std::string& text, const std::vector<TableColumn>& columns) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i != 0) {
      text += ',';
    }
    text += columns[i].name;
  }
  text += '\n';
}

void AppendCsvRow(std::string& text, const TableRequest& request, const TableRow& row,
                  const std::vector<TableColumn>& columns, const UnitChoice& units,
                  NumberWriter write) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i != 0) {
      text += ',';
    }
    AppendCell(text, CellOf(request, row, columns[i], units), write);
  }
  text += '\n';
}

std::string TableCsv(const SteamTable& table, const UnitChoice& units, NumberWriter write) {
  const std::vector<TableColumn> columns = Columns(table.request);
  std::string text;
  AppendCsvHeader(text, columns);
  for (const TableRow& row : table.rows) {
    AppendCsvRow(text, table.request, row, columns, units, write);
  }
  return text;
}

void AppendResultListHeader(std::string& text) {
  text += "list";
  for (const PropertyInfo& info : kProperties) {
    text += ',';
    text += info.key;
  }
  text += '\n';
}

void AppendResultListRow(std::string& text, std::string_view listName, const StateProperties& state,
                         const TransportProperties& transport, NumberWriter write) {
  text += listName;
  for (const PropertyInfo& info : kProperties) {
    text += ',';
    AppendNumber(text, ValueOf(info, state, transport), write);
  }
  text += '\n';
}

}  // namespace vaporix::tables
