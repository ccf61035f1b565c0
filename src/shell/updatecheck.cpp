#include "updatecheck.h"

#include "util/productinfo.h"
#include "version.h"

namespace tallyo {

namespace {

// The number written in text[from, from + length), all digits; nothing
// otherwise.
std::optional<int> digitsAt(const QString& text, qsizetype from, qsizetype length)
{
    if (length <= 0 || from + length > text.size())
        return std::nullopt;
    const QStringView part = QStringView(text).mid(from, length);
    for (QChar c : part)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    bool ok = false;
    const int value = part.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}

VersionNumbers ProgramVersion()
{
    return {version::major, version::minor, version::revision};
}

QString VersionCheckUrl()
{
    return QStringLiteral("http://") + ProductWebAddress + QStringLiteral("/VersionCurrent/VersionCurrent-")
        + ApplicationTitle + QStringLiteral(".txt");
}

std::optional<VersionNumbers> ParseVersionText(const QString& text)
{
    if (text.size() < 7 || text.at(2) != u'.' || text.at(5) != u'.')
        return std::nullopt;
    qsizetype end = 6;
    while (end < text.size() && text.at(end) >= u'0' && text.at(end) <= u'9')
        ++end;
    const auto major = digitsAt(text, 0, 2);
    const auto minor = digitsAt(text, 3, 2);
    const auto revision = digitsAt(text, 6, end - 6);
    if (!major || !minor || !revision)
        return std::nullopt;
    return VersionNumbers{*major, *minor, *revision};
}

bool UpdateNoticeDue(const std::optional<QString>& fetched, const VersionNumbers& local)
{
    if (!fetched)
        return false;
    // Compared number by number: written one after the other, 6.1.51 and
    // 6.15.1 would read alike, and "01.00.00" would never match 1.0.0.
    const std::optional<VersionNumbers> remote = ParseVersionText(*fetched);
    return remote && !(*remote == local);
}

QString VersionLabelText(const VersionNumbers& version)
{
    return QStringLiteral("<i>Pro</i> Version w%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision);
}

}
