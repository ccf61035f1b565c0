// From the account index into a register and back: the account opened is
// the one highlighted, and returning highlights it again.
#include "registerdata.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "index/frmAccountIndex.h"
#include "platform/platform.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "store/datafiles.h"

#include <QTableView>
#include <QTest>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

class IndexRegisterRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void returningHighlightsTheAccountThatWasOpen()
    {
        TempDataFolder folder;
        StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
        ScriptedPrompts prompts;
        EventPace pace(0);
        FixedClock clock(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        platform().settings = &settings;
        platform().prompts = &prompts;
        platform().pace = &pace;
        platform().clock = &clock;
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        ResetDisplayValues();
        LoadDisplayValues();
        navigation() = Navigation();
        navigation().showAccountIndex = ShowAccountIndexWindow;
        navigation().openRegister = OpenRegisterWindow;

        for (const char* name : {"Gamma", "Alpha", "Beta"}) {
            AppendAccount(QString::fromLatin1(name), QString());
            clock.advanceSeconds(1);
        }
        const QString betaKey = QStringLiteral("20240101120002");
        OpenTransactions();
        TransactionRecord start;
        start.AccountKey = betaKey;
        start.TransactionDate = 1.0;
        start.TransactionType = QStringLiteral("Start");
        start.Cleared = true;
        start.Payee = QStringLiteral("Beginning Balance");
        start.Amount = 1000000;
        WriteTransactionRecord(1, start);
        CloseTransactions();

        ShowAccountIndexWindow();
        frmAccountIndex* index = AccountIndexWindow();
        QVERIFY(index && QTest::qWaitForWindowActive(index));
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        // Alpha, Beta, Gamma: highlight Beta and open it with Enter.
        QTest::keyClick(index->gridAccountIndex, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(currentAccount().CurrentAccountKey, betaKey);
        QTest::keyClick(index, Qt::Key_Return);
        QTRY_VERIFY(RegisterWindow() != nullptr);
        QTRY_VERIFY(!AccountIndexWindow());
        frmAccount* reg = RegisterWindow();
        QVERIFY(QTest::qWaitForWindowActive(reg));
        QTRY_COMPARE(registerState().DisplayedCount, 1);

        QTest::keyClick(reg, Qt::Key_Escape);
        QTRY_VERIFY(AccountIndexWindow() != nullptr);
        QTRY_VERIFY(!RegisterWindow());
        index = AccountIndexWindow();
        QVERIFY(QTest::qWaitForWindowActive(index));
        QTRY_COMPARE(index->gridAccountIndex->currentIndex().row(), 1);
        QCOMPARE(currentAccount().CurrentAccountKey, betaKey);
        QVERIFY(index->cmdSeeAccount->caption().endsWith(QStringLiteral("Beta")));

        index->closeByProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        prompts.verifyDone();
        navigation() = Navigation();
        platform().prompts = nullptr;
        platform().settings = nullptr;
    }
};

TALLYO_TEST(IndexRegisterRoundTripTest)
#include "roundtrip_test.moc"
