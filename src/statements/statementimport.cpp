#include "statementimport.h"

namespace tallyo {

QString ImportCountsText(const ImportCounts& counts)
{
    return QStringLiteral("%1 added, %2 cleared, %3 already in the register")
        .arg(counts.added)
        .arg(counts.cleared)
        .arg(counts.already);
}

ImportCounts CountImport(const std::vector<LineMatch>&, const std::vector<bool>&)
{
    return {};
}

ImportCounts ImportStatement(const QString&, const Statement&, const std::vector<LineMatch>&,
                             const std::vector<bool>&)
{
    return {};
}

}
