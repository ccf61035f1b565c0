#pragma once
// Comma-separated values as RFC 4180 writes them: a field holding a comma,
// a double quote or a line break is quoted, its quotes doubled; records end
// with CR LF.
#include <QString>
#include <QStringList>

namespace tallyo {

QString CsvField(const QString& field);
QString CsvRecord(const QStringList& fields);

}
