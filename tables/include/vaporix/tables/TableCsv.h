#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vaporix/StateProperties.h"
#include "vaporix/tables/SteamTable.h"

namespace vaporix::tables {

// Writes a number into [first, first + 32) and answers the end of the text.
using NumberWriter = char* (*)(char* first, double value);

// The shortest text that reads back to the same double.
char* WriteShortest(char* first, double value);

// The text of one cell: numbers by `write`, "N/A", the status, or nothing.
void AppendCell(std::string& text, const Cell& cell, NumberWriter write = WriteShortest);

// The header line (column names, comma separated) and one row line, each
// with its line end.
void AppendCsvHeader(std::string& text, const std::vector<TableColumn>& columns);
void AppendCsvRow(std::string& text, const TableRequest& request, const TableRow& row,
                  const std::vector<TableColumn>& columns, const UnitChoice& units,
                  NumberWriter write = WriteShortest);

// A whole table as CSV in the units `units`.
std::string TableCsv(const SteamTable& table, const UnitChoice& units,
                     NumberWriter write = WriteShortest);

// A list of stored results as CSV: the header "list,p,t,...,Sigma" and one
// line per result, the list name first and the thirty values as stored
// (-1 marks a transport value that is not available).
void AppendResultListHeader(std::string& text);
void AppendResultListRow(std::string& text, std::string_view listName, const StateProperties& state,
                         const TransportProperties& transport, NumberWriter write = WriteShortest);

}  // namespace vaporix::tables
