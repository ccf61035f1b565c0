#include "csvreader.h"

namespace tallyo {

CsvColumns RecognizeCsvColumns(const QStringList&)
{
    return {};
}

StatementFile ReadCsv(const QByteArray&, DateOrder, const std::optional<CsvColumns>&)
{
    StatementFile file;
    file.format = StatementFormat::Csv;
    file.reason = QStringLiteral("CSV statements cannot be read yet.");
    return file;
}

}
