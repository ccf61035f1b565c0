#pragma once
// Access protection of an account: a personal query whose one-word answer
// must be given before the account is opened, renamed or deleted. The query
// and answer are kept in plain text in the account's record; this keeps out
// a casual user of the same desktop, nothing more.
#include "store/records.h"

#include <optional>

namespace tallyo {

// An account is protected when its query, trimmed, is not empty.
bool IsProtected(const AccountRecord& account);

// Asks the account's query; true when the answer matches, ignoring letter
// case and spaces around it. A wrong answer is told; an empty one or a
// cancelled prompt refuses silently.
bool CheckAccess(const AccountRecord& account);

struct AccessQueryAnswer {
    QString query;   // trimmed
    QString answer;  // trimmed, 3 to 15 characters
};

// Asks for a new query and its answer, asking the answer again while its
// length is wrong. Nothing when either prompt is cancelled or left empty.
std::optional<AccessQueryAnswer> AskNewQueryAndAnswer();

enum class ProtectRequest { Establish = 1, Change = 2, Remove = 3 };

// Establishes, changes or removes the protection of the account at record
// `record` of Account.dex, with the checks and prompts each request needs,
// and confirms it to the user. Returns true when the record was changed.
bool ProtectAccount(ProtectRequest request, qint32 record);

// The protection options of the account at `record`: establishing it when
// the account is not protected, changing or removing it when it is. Returns
// the account's query as now stored (trimmed; empty when unprotected).
QString OfferProtectionOptions(qint32 record);

}
