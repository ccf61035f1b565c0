#include "controls/accessibletext.h"

#include "controls/accesskey.h"

#include <QRegularExpression>

namespace tallyo {

namespace {

// A key as the windows write it in a caption or hint.
const QRegularExpression& KeyMarkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(.*?)\s*[<(]((?:(?:Ctrl|Alt|Shift)\+)*(?:Esc|Enter|Return|Ins|Insert|Del|Delete|Space|Tab|)"
                       R"(Home|End|PgUp|PgDn|Backspace|F\d{1,2}|[A-Z]))[>)]$)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

}

QString SpokenLine(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            // "&&" is one ampersand; a single "&" only marks the access key.
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                line += u'&';
                ++i;
            }
            continue;
        }
        line += text[i];
    }
    return line.simplified();
}

QString TrailingKeyMark(const QString& line, QString* rest)
{
    const QRegularExpressionMatch match = KeyMarkPattern().match(line);
    if (!match.hasMatch())
        return {};
    if (rest)
        *rest = match.captured(1).trimmed();
    return match.captured(2);
}

SpokenText SpokenButton(const QString& caption, const QString& hint)
{
    SpokenText spoken;
    QString name = SpokenLine(caption);
    QString key = TrailingKeyMark(name, &name);
    QString hintLine = SpokenLine(hint);
    QString hintName;
    const QString hintKey = TrailingKeyMark(hintLine, &hintName);
    if (hintKey.isEmpty())
        hintName = hintLine;
    if (name.isEmpty()) {
        name = hintName;
        key = hintKey;
    }
    spoken.name = name;
    if (hintName != name) {
        // Keys in angle brackets read better in parentheses.
        static const QRegularExpression angled(QStringLiteral("<([^<>]{1,20})>"));
        spoken.description = hintKey.isEmpty() ? hintLine : hintName + QStringLiteral(" (") + hintKey + u')';
        spoken.description.replace(angled, QStringLiteral("(\\1)"));
    }
    const QChar access = accessKeyOf(caption);
    spoken.shortcut = !access.isNull() ? QStringLiteral("Alt+") + access.toUpper() : key.isEmpty() ? hintKey : key;
    return spoken;
}

}
