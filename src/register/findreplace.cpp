#include "findreplace.h"

#include "registerstate.h"

#include "platform/platform.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "store/recordjournal.h"

#include <algorithm>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString Quoted(const QString& text)
{
    return u'\'' + text + u'\'';
}

QString Instances(qint32 count)
{
    return QString::number(count) + QStringLiteral(" instance") + (count >= 2 ? QStringLiteral("s") : QString());
}

// The listed records whose field reads `find`, in list order, each with
// only the field's bytes changed: the rest of the record stays exactly as
// it was read.
std::vector<RecordChange> ReplacementsInList(int field, const QString& find, const QString& replacement)
{
    const RegisterState& state = registerState();
    const int at = field == ReplacePayee ? TransactionRecord::PayeeAt : TransactionRecord::CommentAt;
    const int width = field == ReplacePayee ? TransactionRecord::PayeeWidth : TransactionRecord::CommentWidth;
    const qint32 used = qint32(std::clamp<qint64>(state.DisplayedCount, 0, qint64(state.DisplayedList.size())));
    // The beginning balance heads the normal view and is never changed.
    const qint32 first = state.RegisterView == NormalView ? 1 : 0;
    RecordFile& file = dataFiles().TransactionFile;
    std::vector<RecordChange> changes;
    for (qint32 i = first; i < used; ++i) {
        const qint32 number = state.DisplayedList[size_t(i)];
        QByteArray record = file.read(number);
        if (TrimSpaces(ReadText(record.constData() + at, width)) != find)
            continue;
        WriteText(record.data() + at, width, QStringView(replacement).left(width));
        changes.push_back({number, std::move(record)});
    }
    return changes;
}

}

ReplaceResult ReplaceInDisplayedList(int field, const QString& find, const QString& replacement)
{
    ReplaceResult result;
    try {
        std::vector<RecordChange> changes;
        WhileTransactionsOpen([&] { changes = ReplacementsInList(field, find, replacement); });
        // All the changed records are written as one step: a failure or a
        // stop part way leaves the file as it was.
        if (!changes.empty())
            WriteRecordsAsOneStep(dataFiles().TransactionFile.fileName(), TransactionRecord::Length, changes, {});
        result.count = qint32(changes.size());
    } catch (const FileError& error) {
        result.error = error;
    }
    return result;
}

QString FindReplaceConfirmation(const QString& find, const QString& replacement)
{
    return QStringLiteral("In this display of transactions, ") + QStringLiteral("you want to find") + crlf + crlf
           + Quoted(find) + crlf + crlf + QStringLiteral("and replace it with") + crlf + crlf + Quoted(replacement)
           + crlf + crlf + QStringLiteral("Is this correct?");
}

QString FindReplaceResult(qint32 count, const QString& find, const QString& replacement)
{
    if (count == 0)
        return Quoted(find) + crlf + crlf + QStringLiteral("could not be found in") + crlf
               + QStringLiteral("this list of transactions.");
    return Instances(count) + QStringLiteral(" of") + crlf + crlf + Quoted(find) + crlf + crlf
           + (count >= 2 ? QStringLiteral("were") : QStringLiteral("was")) + QStringLiteral(" found and replaced with")
           + crlf + crlf + Quoted(replacement);
}

QString FindReplaceStopped(const FileError& error)
{
    return error.message() + crlf + crlf + QStringLiteral("The replacing stopped there.") + crlf + crlf
           + QStringLiteral("Nothing had been replaced.");
}

bool FindAndReplace(int field, const QString& title, const QString& defaultFind, const BusyCallback& setBusy)
{
    const QString word = field == ReplacePayee ? QStringLiteral("Payee") : QStringLiteral("Comment");
    const QString find = prompts()
                             .inputText(title,
                                        QStringLiteral("Enter the ") + word + QStringLiteral(" text ") + crlf
                                            + QStringLiteral("that you want to have replaced:"),
                                        defaultFind)
                             .trimmed();
    if (find.isEmpty())
        return false;
    const QString replacement =
        prompts()
            .inputText(title, QStringLiteral("Enter the replacement text") + crlf + QStringLiteral("you want to use:"),
                       QString())
            .trimmed();
    if (replacement.isEmpty())
        return false;
    if (prompts().ask(title, IconQuestion, FindReplaceConfirmation(find, replacement), 2,
                      {QStringLiteral("&Yes, proceed"), QStringLiteral("&No, return to the Account Register")})
        != 1)
        return false;

    if (setBusy)
        setBusy(true);
    const ReplaceResult result = ReplaceInDisplayedList(field, find, replacement);
    if (setBusy)
        setBusy(false);
    const QString resultTitle = QStringLiteral("Find/Replace Results");
    if (result.error)
        prompts().ask(resultTitle, IconStop, FindReplaceStopped(*result.error), 1,
                      {QStringLiteral("&Okay")});
    else
        prompts().ask(resultTitle, IconInformation, FindReplaceResult(result.count, find, replacement), 1,
                      {QStringLiteral("&Okay")});
    return true;
}

}
