#pragma once
// Find and replace: every payee (or every comment) of the register's
// displayed list that reads exactly as a given text is replaced by another,
// to correct a misspelt payee in all its transactions at once. Only the
// listed transactions change: in the normal view the beginning balance is
// left out, in the reconcile and search views every listed one counts.
//
// The dialogue goes through the prompts: the text to find, its replacement,
// a confirmation, and the result. The changed records are written in place,
// each with only the field changed, all as one step behind a journal
// (store/recordjournal.h): a write that fails, or a stop part way, leaves
// the file as it was, and the user is told that nothing was replaced.
#include "store/fileerror.h"
#include "store/rewrite.h"

#include <QString>
#include <functional>
#include <optional>

namespace tallyo {

// The field replaced: 1 the payee, 2 the comment.
enum ReplaceField : int {
    ReplacePayee = 1,
    ReplaceComment = 2,
};

struct ReplaceResult {
    qint32 count = 0;                // records changed (none when the pass failed)
    std::optional<FileError> error;  // what stopped the pass
};

// Replaces, in the listed transactions, the field that reads exactly
// `find` (trimmed, letter case counting) by `replacement`, padded with
// spaces and cut to the field's 50 characters. No other byte of a record
// changes.
ReplaceResult ReplaceInDisplayedList(int field, const QString& find, const QString& replacement);

// The whole dialogue, titled `title` (the menu item's caption), offering
// `defaultFind` (the highlighted row's payee or comment) as the text to
// find. True when a pass ran, changed something or not: the register then
// shows its list afresh. False when the user stopped at a prompt.
bool FindAndReplace(int field, const QString& title, const QString& defaultFind, const BusyCallback& setBusy = {});

// The texts of the confirmation and of the result.
QString FindReplaceConfirmation(const QString& find, const QString& replacement);
QString FindReplaceResult(qint32 count, const QString& find, const QString& replacement);
QString FindReplaceStopped(const FileError& error);

}
