#include "qifreader.h"

namespace tallyo {

StatementFile ReadQif(const QByteArray&, DateOrder)
{
    StatementFile file;
    file.format = StatementFormat::Qif;
    file.reason = QStringLiteral("QIF statements cannot be read yet.");
    return file;
}

}
