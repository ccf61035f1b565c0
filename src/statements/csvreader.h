#pragma once
// CSV statements as banks export them: a header row, then one row per
// transaction; "," or ";" between fields, decimal points or commas, UTF-8
// or Windows-1252.
#include "statement.h"

#include <QByteArray>

namespace tallyo {

// The columns recognised from a header row's names; -1 for the rest.
CsvColumns RecognizeCsvColumns(const QStringList& header);

// Reads a CSV file's bytes, with `columns` when given, else the columns
// recognised from its header row.
StatementFile ReadCsv(const QByteArray& bytes, DateOrder order = DateOrder::Detect,
                      const std::optional<CsvColumns>& columns = std::nullopt);

}
