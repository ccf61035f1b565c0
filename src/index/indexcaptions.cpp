#include "indexcaptions.h"

#include "util/productinfo.h"
#include "version.h"

namespace tallyo {

QString OpenAccountCaption(const QString& tag, const QString& name)
{
    QString shown = name;
    if (shown.size() >= 2) {
        const qsizetype ampersand = shown.indexOf(u'&', 1);
        if (ampersand >= 0)
            shown.insert(ampersand, u'&');
    }
    return tag + QStringLiteral(" ") + shown;
}

QString AboutText()
{
    const QString crlf = QStringLiteral("\r\n");
    return ApplicationTitle + crlf
        + QStringLiteral("Version w%1.%2.%3").arg(version::major).arg(version::minor).arg(version::revision)
        + crlf + crlf + QStringLiteral("Financial Account Manager") + crlf
        + QStringLiteral("\u00A9") + QStringLiteral("2026 ") + CompanyName + crlf + crlf;
}

}
