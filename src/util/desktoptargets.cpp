#include "desktoptargets.h"

#include "productinfo.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace tallyo {

QStringList manualFolders(const QString& programFolder, const QStringList& dataFolders)
{
    QStringList folders;
    auto add = [&folders](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !folders.contains(clean))
            folders.append(clean);
    };
    add(programFolder);
    if (!programFolder.isEmpty())
        add(programFolder + QStringLiteral("/../share/tallyo"));
    for (const QString& data : dataFolders)
        if (!data.isEmpty())
            add(data + QStringLiteral("/tallyo"));
    return folders;
}

QString findManual(const QStringList& folders)
{
    const QStringList names{ManualFileName(), ApplicationTitle + QStringLiteral(".pdf")};
    for (const QString& folder : folders) {
        for (const QString& name : names) {
            const QFileInfo manual(QDir(folder), name);
            if (manual.isFile() && manual.isReadable())
                return manual.absoluteFilePath();
        }
    }
    return {};
}

QString webOrMailAddress(int kind, const QString& target)
{
    const QString given = target.trimmed();
    if (kind == OpenMail) {
        const QString address = given.isEmpty() ? SupportMailAddress : given;
        if (address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
            return address;
        return QStringLiteral("mailto:") + address;
    }
    const QString address = given.isEmpty() ? ProductWebAddress : given;
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (scheme.match(address).hasMatch())
        return address;
    return QStringLiteral("http://") + address;
}

MailParts mailParts(const QString& address)
{
    const QUrl url(address, QUrl::TolerantMode);
    const QUrlQuery query(url);
    MailParts parts;
    parts.to = url.path(QUrl::FullyDecoded);
    parts.subject = query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    parts.body = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    return parts;
}

}
