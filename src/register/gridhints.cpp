#include "gridhints.h"

#include "registergrid.h"

#include "store/records.h"
#include "util/dates.h"

namespace tallyo {

QString DateHint(const QDate& day, const QDate& today)
{
    if (!day.isValid() || !today.isValid())
        return QString();
    const qint64 d = today.daysTo(day);
    QString distance;
    if (d < -1)
        distance = QString::number(-d) + QStringLiteral(" days ago");
    else if (d == -1)
        distance = QStringLiteral("yesterday");
    else if (d == 0)
        distance = QStringLiteral("today");
    else if (d == 1)
        distance = QStringLiteral("tomorrow");
    else
        distance = QString::number(d) + QStringLiteral(" days from now");
    return u' ' + WeekdayName(day) + QStringLiteral(" (") + distance + QStringLiteral(") ");
}

QString ClearedMarkHint(QStringView typeCell, bool marked)
{
    if (typeCell == TypeVoid || typeCell == TypeStart)
        return QString();
    return QStringLiteral(" Double-click to ") + (marked ? QStringLiteral("unclear") : QStringLiteral("clear"))
           + QStringLiteral(" this transaction ");
}

QString DefaultGridHint()
{
    return QStringLiteral(" Double-click to modify this transaction, or right-click for transaction options ");
}

bool IsHintedRow(const RegisterRows& rows, qint32 row)
{
    const qint32 first = rows.view() == NormalView ? 2 : 1;
    return row >= first && row <= rows.size();
}

QString GridHint(const RegisterRows& rows, qint32 row, int column, const QDate& today)
{
    if (!IsHintedRow(rows, row))
        return QString();
    const qint32 i = row - 1;
    switch (column) {
    case DateColumn:
        return DateHint(DateFromStored(rows[i].date), today);
    case ClearedColumn:
        return ClearedMarkHint(rows.type(i), rows[i].cleared);
    case PayeeColumn: {
        const QString comment = rows.comment(i);
        if (!comment.isEmpty())
            return u' ' + comment + u' ';
        return DefaultGridHint();
    }
    default:
        return DefaultGridHint();
    }
}

}
