#include "notesediting.h"

#include "store/fields.h"
#include "util/formats.h"

#include <algorithm>

namespace tallyo {

QString NotesForDisplay(const QString& stored)
{
    QString shown = stored;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

QString NotesForStorage(const QString& shown)
{
    QString stored = NotesForDisplay(shown);
    stored.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return stored;
}

int StoredNotesLength(const QString& shown)
{
    return int(NotesForStorage(shown).size());
}

QString NotesGaugeCaption(const QString& shown)
{
    if (shown.isEmpty())
        return {};
    const double fraction = std::max(0.01, double(StoredNotesLength(shown)) / NotesMaxLength);
    return QStringLiteral(" ") + FormatPercent(fraction) + QStringLiteral(" full ");
}

bool NotesChanged(const QString& shown, const QString& startingText)
{
    return TrimSpaces(shown) != TrimSpaces(startingText);
}

}
