#pragma once
// An account's payee and comment lists: the list texts in PayCom.lst (one
// entry per line, each line ending in CR LF), the drop-down items made from
// them, and the list editor's texts and rules.
#include "store/records.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

enum ListKind : int {
    PayeeListKind = 1,
    CommentListKind = 2,
};

// "Payee/Creditor" or "Comment".
QString ListDisplayName(int kind);

// The drop-down items of a list text: one item per line that ends in a line
// break (an empty line gives an empty item; text after the last break is
// not an entry). A list shorter than 3 characters counts as empty and gives
// the three hint lines of its kind instead.
QStringList DropDownItems(const QString& listText, int kind);

// The text as the list is saved: the line breaks at its end replaced by
// exactly one, and the spaces at both ends removed.
QString ListTextForStorage(const QString& text);
// Whether a text, as saved, fits the list field with its final line break.
bool ListTextFits(const QString& text);

// The list editor's window caption, heading and guidelines.
QString ListEditorTitle(const QString& displayName);
QString ListEditorHeader(const QString& displayName, bool listIsEmpty);
QString ListGuidelines();

// The list of one kind from an account's record, without the spaces at its
// ends.
QString ListOfKind(const ListRecord& lists, int kind);

// The account's record in PayCom.lst (the first that carries its key) and
// its number; nothing when the account has none. Opens and closes the file.
struct AccountLists {
    qint32 record = 0;
    ListRecord lists;
};
std::optional<AccountLists> FindAccountLists(const QString& accountKey);
// The account's record, appended with empty lists when it has none.
AccountLists EnsureAccountLists(const QString& accountKey);
// Stores a saved list text into the record's list of that kind, in place.
void StoreList(qint32 record, int kind, const QString& storedText);

}
