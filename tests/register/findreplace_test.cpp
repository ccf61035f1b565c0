// Find and replace on real files laid out byte by byte: whole fields with
// letter case counting, only the listed transactions, never the beginning
// balance of the normal view, the replacement cut to the field, every other
// byte left alone, the dialogue's texts and answers, and a pass that a
// failing write stops with the file as it was.
#include "registerdata.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/findreplace.h"
#include "register/registerstate.h"
#include "register/search.h"
#include "store/datafiles.h"
#include "store/fileseam.h"
#include "store/recordjournal.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

const QString crlf = QStringLiteral("\r\n");

double day(int d)
{
    return StoredFromDate(QDate(2026, 3, d)) + 0.5;
}

handmade::Transaction withComment(handmade::Transaction t, const QByteArray& comment)
{
    t.comment = comment;
    return t;
}

// Records 1 to 7; record 5 belongs to another account.
QList<handmade::Transaction> sample()
{
    handmade::Transaction cleared = transaction(day(3), "1002", -20, true, "Smith");
    cleared.notes = "Paid in person\r\n";
    cleared.cleared = 1;  // an unusual true, which must stay as it was
    return {
        beginningBalance(1000),
        withComment(transaction(day(2), "1001", -45, false, "Smith"), "Rent"),
        cleared,
        withComment(transaction(day(4), "Deposit", 100, false, "John Smith"), "rent"),
        transaction(day(4), "2001", -5, false, "Smith", OtherKey),
        transaction(day(5), "1003", -30, false, "smith"),
        withComment(transaction(day(6), "1004", -10, false, "Smith   "), "Rent "),
    };
}

QByteArray fileOf(const QList<handmade::Transaction>& list)
{
    QByteArray bytes;
    for (const handmade::Transaction& t : list)
        bytes += handmade::transaction(t);
    return bytes;
}

QByteArray dataFile()
{
    return test::readWholeFile(QStringLiteral("Account.dat"));
}

}

class FindReplaceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    EventPace pace_{0};
    std::unique_ptr<ScriptedPrompts> prompts_;

    void loadSample()
    {
        QVERIFY(writeTransactions(sample()));
        QVERIFY(LoadRegister({}));
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        platform().pace = &pace_;
        prompts_ = std::make_unique<ScriptedPrompts>();
        platform().prompts = prompts_.get();
        ResetRegisterState();
        ResetCurrentAccount();
        SetFileStepHook({});
        currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
    }

    void cleanup()
    {
        SetFileStepHook({});
        prompts_->verifyDone();
        platform().prompts = nullptr;
        prompts_.reset();
        ResetRegisterState();
        folder_.reset();
        platform().pace = nullptr;
    }

    void wholeFieldsWithLetterCaseCounting_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QList<int>>("changed");  // indexes into sample()
        QTest::newRow("payee Smith, not John Smith nor smith") << 1 << "Smith" << "Smyth" << QList<int>{1, 2, 6};
        QTest::newRow("payee smith") << 1 << "smith" << "Smith" << QList<int>{5};
        QTest::newRow("payee part of a name") << 1 << "Smit" << "X" << QList<int>{};
        QTest::newRow("the beginning balance is left out") << 1 << "Beginning Balance" << "Opening" << QList<int>{};
        QTest::newRow("comment Rent") << 2 << "Rent" << "Rent (March)" << QList<int>{1, 6};
        QTest::newRow("cut to 50 characters") << 1 << "smith"
                                              << "A replacement text that runs on for more than fifty characters"
                                              << QList<int>{5};
    }

    void wholeFieldsWithLetterCaseCounting()
    {
        QFETCH(int, field);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QList<int>, changed);
        loadSample();
        const ReplaceResult result = ReplaceInDisplayedList(field, find, replacement);
        QVERIFY(!result.error);
        QCOMPARE(result.count, qint32(changed.size()));

        QList<handmade::Transaction> expected = sample();
        for (int i : changed) {
            QByteArray& target = field == 1 ? expected[i].payee : expected[i].comment;
            target = replacement.toLatin1().left(50);
        }
        QCOMPARE(dataFile(), fileOf(expected));
    }

    void aSearchViewChangesOnlyItsMatches()
    {
        loadSample();
        // The search lists records 3 and 7 (and the beginning balance would
        // count here, as any listed transaction does).
        QCOMPARE(RunSearch({QStringLiteral("1002"), SearchCheck, SearchAllYears.toString()}, 2), 1);
        registerState().DisplayedList[1] = 7;
        registerState().DisplayedList[2] = 1;
        registerState().DisplayedCount = 3;
        QCOMPARE(ReplaceInDisplayedList(ReplacePayee, QStringLiteral("Smith"), QStringLiteral("Smyth")).count, 2);
        QCOMPARE(ReplaceInDisplayedList(ReplacePayee, QStringLiteral("Beginning Balance"), QStringLiteral("Start"))
                     .count,
                 1);
        QList<handmade::Transaction> expected = sample();
        expected[2].payee = "Smyth";
        expected[6].payee = "Smyth";
        expected[0].payee = "Start";
        QCOMPARE(dataFile(), fileOf(expected));
    }

    // The device fails at the n-th write of the pass (the journal's, then
    // the records'), or at the flush: nothing is replaced.
    void aFailingWriteLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("nth");
        QTest::newRow("journal written") << int(FileStep::Write) << 1;
        QTest::newRow("first record") << int(FileStep::Write) << 2;
        QTest::newRow("third record") << int(FileStep::Write) << 4;
        QTest::newRow("flush") << int(FileStep::Sync) << 2;
    }

    void aFailingWriteLeavesTheFileAsItWas()
    {
        QFETCH(int, step);
        QFETCH(int, nth);
        loadSample();
        const QByteArray before = dataFile();
        int reached = 0;
        SetFileStepHook([&](FileStep at, const QString& name) {
            if (int(at) == step && ++reached == nth)
                throw FileError(name, QStringLiteral("write"), QStringLiteral("No space left on device"));
        });
        const ReplaceResult result = ReplaceInDisplayedList(ReplacePayee, QStringLiteral("Smith"), QStringLiteral("Smyth"));
        SetFileStepHook({});
        QCOMPARE(result.count, 0);
        QVERIFY(result.error);
        QCOMPARE(result.error->reason(), QStringLiteral("No space left on device"));
        QCOMPARE(dataFile(), before);
        QVERIFY(!test::fileExists(RecordJournalNameOf(QStringLiteral("Account.dat"))));
        // The file is closed again: the next action opens it afresh.
        QVERIFY(!dataFiles().TransactionFile.isOpen());
    }

    void resultTexts_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "'Smith'\r\n\r\ncould not be found in\r\nthis list of transactions.";
        QTest::newRow("one") << 1 << "1 instance of\r\n\r\n'Smith'\r\n\r\nwas found and replaced with\r\n\r\n'Smyth'";
        QTest::newRow("two") << 2 << "2 instances of\r\n\r\n'Smith'\r\n\r\nwere found and replaced with\r\n\r\n'Smyth'";
    }

    void resultTexts()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(FindReplaceResult(count, QStringLiteral("Smith"), QStringLiteral("Smyth")), text);
    }

    void theDialogueAsksThenReplaces()
    {
        loadSample();
        const QString title = QStringLiteral("Find and replace `Payee/Creditor' text");
        prompts_->expectInput(title, QStringLiteral("  Smith "))
            .expectInput(title, QStringLiteral(" Smyth  "))
            .expectMessage(title,
                           QStringLiteral("In this display of transactions, you want to find\r\n\r\n'Smith'\r\n\r\n"
                                          "and replace it with\r\n\r\n'Smyth'\r\n\r\nIs this correct?"),
                           {QStringLiteral("&Yes, proceed"), QStringLiteral("&No, return to the Account Register")}, 1)
            .expectMessageKind(IconQuestion)
            .expectMessage(QStringLiteral("Find/Replace Results"),
                           QStringLiteral("3 instances of\r\n\r\n'Smith'\r\n\r\nwere found and replaced with\r\n\r\n'Smyth'"),
                           {QStringLiteral("&Okay")}, 1)
            .expectMessageKind(IconInformation);
        QList<bool> busy;
        QVERIFY(FindAndReplace(ReplacePayee, title, QStringLiteral("John Smith"), [&busy](bool on) { busy << on; }));
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(busy, (QList<bool>{true, false}));
        const QList<QStringList>& inputs = prompts_->inputs();
        QCOMPARE(inputs[0], (QStringList{title, "Enter the Payee text \r\nthat you want to have replaced:", "John Smith"}));
        QCOMPARE(inputs[1], (QStringList{title, "Enter the replacement text\r\nyou want to use:", ""}));
        QCOMPARE(prompts_->messages()[0].defaultButton, 2);
        QList<handmade::Transaction> expected = sample();
        for (int i : {1, 2, 6})
            expected[i].payee = "Smyth";
        QCOMPARE(dataFile(), fileOf(expected));
    }

    void theDialogueStopsWithNothingWritten_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("confirm");  // -1: not asked
        QTest::newRow("no find text") << "   " << "" << -1;
        QTest::newRow("no replacement") << "Rent" << "" << -1;
        QTest::newRow("declined") << "Rent" << "Lease" << 2;
        QTest::newRow("closed") << "Rent" << "Lease" << 0;
    }

    void theDialogueStopsWithNothingWritten()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(int, confirm);
        loadSample();
        const QByteArray before = dataFile();
        const QString title = QStringLiteral("Find and replace `Comment' text");
        prompts_->expectInput(title, find);
        if (!find.trimmed().isEmpty())
            prompts_->expectInput(title, replacement);
        if (confirm >= 0)
            prompts_->expectMessage(title, confirm);
        QVERIFY(!FindAndReplace(ReplaceComment, title, QStringLiteral("Rent")));
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(prompts_->inputs()[0][1], QStringLiteral("Enter the Comment text \r\nthat you want to have replaced:"));
        QCOMPARE(dataFile(), before);
    }

    void aStoppedPassSaysNothingWasReplaced()
    {
        loadSample();
        const QByteArray before = dataFile();
        QString failed;
        SetFileStepHook([&failed](FileStep step, const QString& name) {
            if (step == FileStep::Sync && name.endsWith(QStringLiteral("Account.dat")) && failed.isEmpty())
                throw FileError(failed = name, QStringLiteral("write"), QStringLiteral("Input/output error"));
        });
        const QString title = QStringLiteral("Find and replace `Payee/Creditor' text");
        prompts_->expectInput(title, QStringLiteral("Smith"))
            .expectInput(title, QStringLiteral("Smyth"))
            .expectMessage(title, 1)
            .expectMessage(QStringLiteral("Find/Replace Results"), 1)
            .expectMessageKind(IconStop);
        // The pass ran: the register shows its list afresh.
        QVERIFY(FindAndReplace(ReplacePayee, title, QString()));
        QCOMPARE(prompts_->messages().last().text,
                 QStringLiteral("Could not write %1:\r\nInput/output error\r\n\r\n"
                                "The replacing stopped there.\r\n\r\nNothing had been replaced.")
                     .arg(failed));
        QCOMPARE(dataFile(), before);
    }
};

TALLYO_TEST(FindReplaceTest)
#include "findreplace_test.moc"
