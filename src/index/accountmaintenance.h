#pragma once
// Adding, renaming and deleting whole accounts in the data files, and the
// confirmations a deletion asks for. The account index window drives these
// and rebuilds its list afterwards.
#include "store/records.h"

#include <QString>

namespace tallyo {

// The account at record `record` of Account.dex.
AccountRecord ReadAccountAt(qint32 record);

// Appends a new account: a fresh key (the clock's, moved on a second at a
// time past any key already in the index), the name as typed (cut to its field),
// no protection, the given notes and no check layout; and an empty list
// record for it. Returns the account's record number in Account.dex. Both
// files are opened before anything is written, and the list record goes
// first: a file that cannot be written leaves no account behind, at most an
// empty list record that no account refers to.
qint32 AppendAccount(const QString& typedName, const QString& notes);

// Stores a new name for the account at record `record`.
void StoreAccountName(qint32 record, const QString& name);

// Stores the notes of the account at record `record` as given (cut to the
// field's width).
void StoreAccountNotes(qint32 record, const QString& notes);

// Stores a whole account record as record `record`.
void StoreAccountRecord(qint32 record, const AccountRecord& account);

// The questions after an account was added. Offers to protect it (and
// protects it when asked); otherwise reminds that it can be done later,
// unless that reminder was dismissed for good. True when it is now protected.
bool OfferProtectionForNewAccount(qint32 record);
// Offers to write notes for it now, unless that offer was dismissed for good;
// when declined, reminds that notes can be written later (unless dismissed).
// True when the user wants to write them now.
bool OfferNotesForNewAccount();

// The number of transactions that carry `key`.
qint32 CountAccountTransactions(const QString& key);

// How many confirmations deleting an account with this many transactions
// asks for: one, two past 100, three past 1000.
int DeleteConfirmationCount(qint32 transactions);

// Asks the confirmations of a deletion, each defaulting to the refusing
// button; true only when every one was answered with its first button.
bool ConfirmAccountDeletion(const QString& name, qint32 transactions);

// Removes every record carrying `key` from the three data files, rewritten
// together in one step (a journal of the switch, finished or undone when the
// folder is next opened). The transactions that remain are regrouped account
// by account in the order of the new index, each account's keeping its
// order; transactions of no remaining account are dropped. Account.dat is
// read once, however many accounts there are.
void DeleteAccountRecords(const QString& key);

}
