#pragma once
// The access key of a button caption: the letter after the first single "&",
// in lower case. A doubled "&&" is a literal ampersand.
#include <QChar>
#include <QString>

namespace tallyo {

// The access key, or a null QChar when the caption has none.
QChar accessKeyOf(const QString& caption);

}
