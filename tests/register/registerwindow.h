#pragma once
// Opens the register window of a test account, "Household", on
// transactions written byte by byte, and lets its set-up run.
#include "registerdata.h"

#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "register/frmAccount.h"

#include <QCoreApplication>
#include <QTest>

namespace registerdata {

inline void settleEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The window, or nullptr when the data could not be written or the window
// did not become active. The account index must be writable (a test data
// folder) and the clock at the time that makes registerdata's AccountKey.
inline tallyo::frmAccount* openRegister(const QList<handmade::Transaction>& transactions)
{
    using namespace tallyo;
    currentAccount().CurrentAccountRecord = AppendAccount(QStringLiteral("Household"), NewAccountNotes());
    currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
    if (!transactions.isEmpty() && !writeTransactions(transactions))
        return nullptr;
    OpenRegisterWindow();
    frmAccount* window = RegisterWindow();
    if (!window || !QTest::qWaitForWindowActive(window))
        return nullptr;
    settleEvents();
    return window;
}

}
