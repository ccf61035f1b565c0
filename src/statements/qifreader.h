#pragma once
// QIF statements of type Bank, CCard and Cash: one statement per
// !Type section (named by the !Account block before it, if any).
#include "statement.h"

#include <QByteArray>

namespace tallyo {

// Reads a QIF file's bytes (UTF-8, else Windows-1252). Dates are read in
// `order`; Detect finds it from the dates themselves.
StatementFile ReadQif(const QByteArray& bytes, DateOrder order = DateOrder::Detect);

}
