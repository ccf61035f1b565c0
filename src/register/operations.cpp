#include "operations.h"

#include "registerstate.h"

#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "util/arithmetic.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QStringList>
#include <algorithm>

namespace tallyo {

qint32 RecordOfRow(qint32 row)
{
    const RegisterState& state = registerState();
    if (row < 1 || row > state.DisplayedCount || size_t(row) > state.DisplayedList.size())
        return 0;
    return state.DisplayedList[size_t(row - 1)];
}

void RememberRow(qint32 row)
{
    RegisterState& state = registerState();
    (state.RegisterView == NormalView ? state.NormalRow : state.ListRow) = row;
}

bool ToggleCleared(qint32 row)
{
    const qint32 number = RecordOfRow(row);
    const TransactionRecord record = WhileTransactionsOpen([&] {
        TransactionRecord changed = ReadTransactionRecord(number);
        changed.Cleared = !changed.Cleared;
        WriteTransactionRecord(number, changed);
        return changed;
    });

    RegisterState& state = registerState();
    if (row <= state.Rows.size() && state.Rows[row - 1].record == number)
        state.Rows.at(row - 1).cleared = record.Cleared;
    if (state.RegisterView == ReconcileView) {
        if (record.Cleared)
            AddTo(state.AdjustedBalance, record.Amount);
        else
            SubtractFrom(state.AdjustedBalance, record.Amount);
    }
    return record.Cleared;
}

QString VoidNote(const TransactionRecord& before, const QDateTime& now, QStringView dateFormat)
{
    QStringList lines{
        QStringLiteral("On ") + FormatShortDate(now, dateFormat) + FormatClockTime(now)
            + QStringLiteral(" this transaction was voided."),
        QString(),
        QStringLiteral("When this transaction was voided, the"),
        QStringLiteral("details of this transaction were as follows:"),
        QString(),
        QStringLiteral("Date of transaction: ") + FormatShortDate(before.TransactionDate, dateFormat),
        QStringLiteral("This transaction was ") + (before.Cleared ? QString() : QStringLiteral("not "))
            + QStringLiteral("cleared."),
        QStringLiteral("Type of transaction: ") + TrimSpaces(before.TransactionType),
        (before.Amount < 0 ? QStringLiteral("Payee") : QStringLiteral("Creditor")) + QStringLiteral(": ")
            + TrimSpaces(before.Payee),
        QStringLiteral("Amount: ") + FormatAmount(before.Amount),
    };
    const QString comment = TrimSpaces(before.Comment);
    if (!comment.isEmpty())
        lines.append(QStringLiteral("Comment: ") + comment);
    lines.append(QString(18, u'-'));
    lines.append(TrimSpaces(before.Notes));
    return lines.join(QStringLiteral("\r\n"));
}

void VoidTransaction(qint32 number)
{
    WhileTransactionsOpen([&] {
        TransactionRecord record = ReadTransactionRecord(number);
        const QString note = VoidNote(record, clock().now(), SharedDisplayValues().DateFormat);
        record.Cleared = true;
        record.TransactionType = QString(TypeVoid);
        record.Amount = 0;
        record.Notes = note.left(TransactionRecord::NotesWidth);
        WriteTransactionRecord(number, record);
        return true;
    });
}

NextAssembly DeleteListedTransaction(qint32 row, const BusyCallback& setBusy)
{
    const qint32 number = RecordOfRow(row);
    const qint32 countBefore = WhileTransactionsOpen([] { return TransactionCount(); });
    RemoveTransaction(number, setBusy);
    const qint32 countAfter = TransactionCount();  // fresh after the rewrite

    RegisterState& state = registerState();
    if (state.DisplayedCount <= 1)
        state.RegisterView = NormalView;
    RememberRow(row - 1);
    if (state.RegisterView == NormalView)
        return NextAssembly::LoadRegister;
    // The removal also drops records that an interrupted older removal had
    // marked; then the listed numbers cannot be brought in line by counting,
    // and the whole account is shown afresh.
    if (countAfter != countBefore - 1) {
        state.RegisterView = NormalView;
        state.NormalRow = 0;
        return NextAssembly::LoadRegister;
    }

    std::vector<qint32>& listed = state.DisplayedList;
    listed.resize(size_t(std::clamp<qint64>(state.DisplayedCount, 0, qint64(listed.size()))));
    listed.erase(listed.begin() + (row - 1));
    for (qint32& entry : listed) {
        if (entry > number)
            --entry;
    }
    state.DisplayedCount = qint32(listed.size());
    return NextAssembly::ShowList;
}

bool CanPatternOn(qint32 row, const QString& typeCellText)
{
    return row != 1 && typeCellText != TypeVoid;
}

NextAssembly AfterSavedAdd(qint32 currentRow)
{
    RememberRow(currentRow);
    return registerState().RegisterView == ReconcileView ? NextAssembly::LoadThenReconcile
                                                          : NextAssembly::LoadRegister;
}

NextAssembly AfterSavedModify(qint32 currentRow)
{
    RememberRow(currentRow);
    return registerState().RegisterView == NormalView ? NextAssembly::LoadRegister : NextAssembly::ShowList;
}

NextAssembly AfterVoid(qint32 currentRow)
{
    RememberRow(currentRow);
    switch (registerState().RegisterView) {
    case ReconcileView:
        return NextAssembly::ReconcileAgain;
    case SearchView:
        return NextAssembly::SearchAgain;
    default:
        return NextAssembly::LoadRegister;
    }
}

}
