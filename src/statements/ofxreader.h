#pragma once
// OFX 1.x (SGML), OFX 2.x (XML) and QFX statements, read through LibOFX.
#include "statement.h"

namespace tallyo {

// Reads every bank and credit card statement of an OFX file. Dates are
// taken as the days the file writes, whatever their time and zone.
StatementFile ReadOfxFile(const QString& path);

}
