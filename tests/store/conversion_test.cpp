#include "handmade.h"
#include "platform/platform.h"
#include "store/conversion.h"
#include "store/datafiles.h"
#include "store/rewrite.h"
#include "testenv.h"
#include "testrunner.h"

#include <QTest>
#include <csignal>

using namespace tallyo;
using namespace tallyo::test;

namespace {

// Three accounts of the older index with their texts padded, some with
// spaces in front, and what each becomes in the new index.
const QList<handmade::Account> legacyAccounts{
    {"20190101080000", "  Checking", "", "", "Bank of Somewhere\r\nRouting 123",
     QByteArray("\x03\x3C\x05\x0A\x07\x0A\x07\x3C\x09\x0A\x0B\x0A", 12)},
    {"20190202090000", "Savings", "Mother's maiden name?", "Smith", "  indented notes  ", QByteArray(12, '\0')},
    {"20190303100000", "Card", "", "", "", QByteArray(12, '\0')},
};
const QList<handmade::Account> convertedAccounts{
    {"20190101080000", "Checking", "", "", "Bank of Somewhere\r\nRouting 123",
     QByteArray("\x03\x3C\x05\x0A\x07\x0A\x07\x3C\x09\x0A\x0B\x0A", 12)},
    {"20190202090000", "Savings", "Mother's maiden name?", "Smith", "indented notes", QByteArray(12, '\0')},
    {"20190303100000", "Card", "", "", "", QByteArray(12, '\0')},
};

QByteArray legacyIndex()
{
    QByteArray all;
    for (const handmade::Account& a : legacyAccounts)
        all += handmade::legacyAccount(a);
    return all;
}

}

class ConversionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder;
    EventPace noWaiting{0.0};
    Pace* previousPace = nullptr;

private slots:
    void init()
    {
        folder = std::make_unique<TempDataFolder>();
        QVERIFY(folder->isValid());
        previousPace = platform().pace;
        platform().pace = &noWaiting;
    }
    void cleanup()
    {
        SetRewriteStepHook({});
        platform().pace = previousPace;
        folder.reset();
    }

    void threeAccountsAreConvertedInOrder()
    {
        QVERIFY(writeWholeFile("Account.ndx", legacyIndex()));
        QVERIFY(writeWholeFile("Account.dat", handmade::numberedTransactions(1, 2)));

        QList<qint32> progress;
        QVERIFY(ConvertAccountIndex([&](qint32 i) { progress << i; }));

        QByteArray expected;
        for (const handmade::Account& a : convertedAccounts)
            expected += handmade::account(a);
        QCOMPARE(readWholeFile("Account.dex"), expected);
        QCOMPARE(progress, (QList<qint32>{1, 2, 3}));
        QCOMPARE(AccountIndexCount(), 3);
        QVERIFY(!fileExists("Account.ndx"));
        QVERIFY(!fileExists("TempFile.$$$"));
        QCOMPARE(readWholeFile("Account.dat"), handmade::numberedTransactions(1, 2));
    }

    void conversionRunsOnlyWhenNeeded_data()
    {
        QTest::addColumn<QByteArray>("ndx");  // null: no such file
        QTest::addColumn<QByteArray>("dex");
        QTest::addColumn<bool>("converts");

        const QByteArray none;
        const QByteArray empty("");
        const QByteArray oneAccount = handmade::account(convertedAccounts[2]);
        QTest::newRow("only the old index") << legacyIndex() << none << true;
        QTest::newRow("both indexes") << legacyIndex() << oneAccount << false;
        QTest::newRow("both, new one empty") << legacyIndex() << empty << false;
        QTest::newRow("old index empty") << empty << none << false;
        QTest::newRow("no old index") << none << none << false;
    }

    void conversionRunsOnlyWhenNeeded()
    {
        QFETCH(QByteArray, ndx);
        QFETCH(QByteArray, dex);
        QFETCH(bool, converts);
        if (!ndx.isNull())
            QVERIFY(writeWholeFile("Account.ndx", ndx));
        if (!dex.isNull())
            QVERIFY(writeWholeFile("Account.dex", dex));

        QCOMPARE(AccountIndexNeedsConversion(), converts);
        QCOMPARE(ConvertAccountIndex(), converts);
        if (converts)
            return;
        // Nothing touched.
        QCOMPARE(readWholeFile("Account.ndx"), ndx);
        QCOMPARE(readWholeFile("Account.dex"), dex);
    }

    void interruptedConversionLeavesNoIndexAndRunsAgain()
    {
        QVERIFY(writeWholeFile("Account.ndx", legacyIndex()));
        const int exitCode = runInChildProcess([] {
            SetRewriteStepHook([](RewriteStep reached) {
                if (reached == RewriteStep::ScratchComplete)
                    ::raise(SIGKILL);
            });
            ConvertAccountIndex();
        });
        QCOMPARE(exitCode, 128 + SIGKILL);
        QVERIFY(!fileExists("Account.dex"));
        QCOMPARE(readWholeFile("Account.ndx"), legacyIndex());
        QVERIFY(AccountIndexNeedsConversion());

        QVERIFY(ConvertAccountIndex());
        QCOMPARE(AccountIndexCount(), 3);
    }
};

TALLYO_TEST(ConversionTest)
#include "conversion_test.moc"
