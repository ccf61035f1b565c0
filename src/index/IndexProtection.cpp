// The account index window's access protection: the protection options of
// the highlighted account, the offer made for a new account, and the access
// question asked before a protected account is opened or changed.
#include "frmAccountIndex.h"

#include "accessprotection.h"
#include "accountmaintenance.h"
#include "currentaccount.h"

#include "store/fields.h"
#include "store/records.h"

namespace tallyo {

bool frmAccountIndex::accessGranted()
{
    if (currentAccount().SelectedAccessQuery.isEmpty())
        return true;
    return CheckAccess(ReadAccountAt(currentAccount().CurrentAccountRecord));
}

void frmAccountIndex::cmdProtectAccount_Click()
{
    if (!hasAccount())
        return;
    runDataAction([] {
        CurrentAccount& account = currentAccount();
        account.SelectedAccessQuery = OfferProtectionOptions(account.CurrentAccountRecord);
    });
}

void frmAccountIndex::offerProtectionForNewAccount(qint32 record)
{
    runDataAction([&] {
        if (OfferProtectionForNewAccount(record) && currentAccount().CurrentAccountRecord == record)
            currentAccount().SelectedAccessQuery = TrimSpaces(ReadAccountAt(record).AccessQuery);
    });
}

}
