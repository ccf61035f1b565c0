#pragma once
// The check commands of the command line: an amount in words, an account's
// stored check layout as CSV, and finding the account and transaction that
// `tallyo print check` prints.
#include "checklayout.h"

#include "shell/commandline.h"

#include <QTextStream>
#include <optional>

namespace tallyo {

// `tallyo words`: the amount (read as the entry window reads a typed
// amount) in words, in the currency asked for or else the user's. Returns
// the exit status: 0 done, 2 when the amount is not a number money can hold.
int RunWords(const CommandLine& command, QTextStream& out, QTextStream& err);

// `tallyo export layout`: "Field,Row,Column" and one line per field of the
// account's stored layout (0 where none is set). Reads the working folder.
// Returns 0, or 1 when the account is unknown or ambiguous.
int WriteLayoutCsv(const QString& nameOrKey, QTextStream& out, QTextStream& err);

// An account's index record and its number in Account.dex.
struct FoundAccount {
    AccountRecord account;
    qint32 record = 0;
};
// The account given by name or key (as the exports find it); nothing, with
// a one-line reason, when no account or more than one fits.
std::optional<FoundAccount> FindAccount(const QString& nameOrKey, QString& problem);

// Transaction record `recordText` of Account.dat when it is a check of the
// account; nothing, with a one-line reason, otherwise.
std::optional<TransactionRecord> FindCheckTransaction(const FoundAccount& found, const QString& recordText,
                                                      QString& problem);

// Installs the user's own settings store while it lives, unless a store is
// installed already, and loads the shared display values from it.
class UserSettingsInUse {
public:
    UserSettingsInUse();
    ~UserSettingsInUse();
    UserSettingsInUse(const UserSettingsInUse&) = delete;
    UserSettingsInUse& operator=(const UserSettingsInUse&) = delete;

private:
    struct Store;
    std::unique_ptr<Store> store_;
};

}
