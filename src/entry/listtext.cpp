#include "listtext.h"

#include "store/datafiles.h"
#include "store/fields.h"
#include "util/productinfo.h"

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");
constexpr int ShortestList = 3;

}

QString ListDisplayName(int kind)
{
    return kind == CommentListKind ? QStringLiteral("Comment") : QStringLiteral("Payee/Creditor");
}

QStringList DropDownItems(const QString& listText, int kind)
{
    QString rest = TrimSpaces(listText);
    if (rest.size() < ShortestList) {
        return {kind == CommentListKind ? QStringLiteral("Create your own list of comments")
                                        : QStringLiteral("Create your own list of payee/creditors"),
                QStringLiteral("by clicking the 'Other Options' button"),
                QStringLiteral("in your account register window.")};
    }
    QStringList items;
    qsizetype from = 0;
    while (rest.size() - from >= ShortestList) {
        const qsizetype lineEnd = rest.indexOf(crlf, from);
        if (lineEnd < 0)
            break;
        items.append(rest.mid(from, lineEnd - from));
        from = lineEnd + crlf.size();
    }
    return items;
}

QString ListTextForStorage(const QString& text)
{
    QString stored = text;
    while (stored.endsWith(crlf))
        stored.chop(crlf.size());
    return TrimSpaces(stored + crlf);
}

bool ListTextFits(const QString& text)
{
    return ListTextForStorage(text).size() <= ListRecord::PayeeListWidth;
}

QString ListEditorTitle(const QString& displayName)
{
    return ApplicationTitle + QStringLiteral(" - The `") + displayName + QStringLiteral("' List for this account");
}

QString ListEditorHeader(const QString& displayName, bool listIsEmpty)
{
    return (listIsEmpty ? QStringLiteral("Create a list of ") : QStringLiteral("Edit the list of ")) + displayName
        + QStringLiteral("s below...");
}

QString ListGuidelines()
{
    return QStringList{QString(),
                       QStringLiteral("·     Please note the following entry guidelines--"),
                       QString(),
                       QStringLiteral("· *  Each entry on its own line"),
                       QStringLiteral("· *  Avoid blank lines"),
                       QStringLiteral("· *  Limit each line to ") + QString::number(TransactionRecord::PayeeWidth)
                           + QStringLiteral(" characters"),
                       QStringLiteral("· *  Avoid leading and trailing spaces")}
        .join(crlf);
}

QString ListOfKind(const ListRecord& lists, int kind)
{
    return TrimSpaces(kind == CommentListKind ? lists.CommentList : lists.PayeeList);
}

std::optional<AccountLists> FindAccountLists(const QString& accountKey)
{
    return WhileListsOpen([&]() -> std::optional<AccountLists> {
        const QString key = accountKey.leftJustified(AccountKeyLength).left(AccountKeyLength);
        for (qint32 n = 1; n <= ListCount(); ++n) {
            ListRecord lists = ReadListRecord(n);
            if (lists.AccountKey == key)
                return AccountLists{n, std::move(lists)};
        }
        return std::nullopt;
    });
}

AccountLists EnsureAccountLists(const QString& accountKey)
{
    if (std::optional<AccountLists> found = FindAccountLists(accountKey))
        return *found;
    return WhileListsOpen([&] {
        AccountLists created;
        created.lists.AccountKey = accountKey;
        created.record = ListCount() + 1;
        WriteListRecord(created.record, created.lists);
        return created;
    });
}

void StoreList(qint32 record, int kind, const QString& storedText)
{
    WhileListsOpen([&] {
        ListRecord lists = ReadListRecord(record);
        (kind == CommentListKind ? lists.CommentList : lists.PayeeList) = storedText;
        WriteListRecord(record, lists);
        return true;
    });
}

}
