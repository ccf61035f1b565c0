#include "ofxreader.h"

namespace tallyo {

StatementFile ReadOfxFile(const QString&)
{
    StatementFile file;
    file.format = StatementFormat::Ofx;
    file.reason = QStringLiteral("OFX statements cannot be read yet.");
    return file;
}

}
