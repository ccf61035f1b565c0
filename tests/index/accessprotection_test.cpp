// The access query and answer: checking, establishing, changing, removing.
#include "testenv.h"
#include "testrunner.h"
#include "scriptedprompts.h"

#include "index/accessprotection.h"
#include "index/accountmaintenance.h"
#include "platform/platform.h"
#include "store/datafiles.h"

#include <QTest>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

AccountRecord accountAt(qint32 record)
{
    OpenAccountIndex();
    AccountRecord account = ReadAccountRecord(record);
    CloseAccountIndex();
    return account;
}

}

class AccessProtectionTest : public QObject {
    Q_OBJECT

    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15))};
    ScriptedPrompts* prompts_ = nullptr;

    AccountRecord protectedAccount(const QString& answer)
    {
        AccountRecord account;
        account.AccessQuery = QStringLiteral("First pet?");
        account.AccessAnswer = answer;
        return account;
    }

private slots:
    void init()
    {
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().clock = &clock_;
    }

    void cleanup()
    {
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
    }

    void answersAreComparedIgnoringCaseAndSpaces_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("toldDenied");
        QTest::newRow("exact") << "Rex" << true << false;
        QTest::newRow("case") << "rEX" << true << false;
        QTest::newRow("spaces") << "  rex  " << true << false;
        QTest::newRow("wrong") << "Max" << false << true;
        QTest::newRow("empty or cancelled") << "" << false << false;
    }

    void answersAreComparedIgnoringCaseAndSpaces()
    {
        QFETCH(QString, typed);
        QFETCH(bool, granted);
        QFETCH(bool, toldDenied);
        prompts_->expectInput(QStringLiteral("Authorization required"), typed);
        if (toldDenied)
            prompts_->expectMessage(QStringLiteral("Authorization denied"),
                                    QStringLiteral("The provided response\r\nwas not correct."),
                                    {QStringLiteral("&Okay")}, 1)
                .expectMessageKind(IconStop);
        QCOMPARE(CheckAccess(protectedAccount(QStringLiteral(" Rex "))), granted);
        QVERIFY(prompts_->inputs().at(0).at(1).endsWith(QStringLiteral("query:\r\n\r\nFirst pet?")));
    }

    void answersOfTheWrongLengthAreAskedAgain()
    {
        prompts_->expectInput(QStringLiteral("The query..."), QStringLiteral("  Where was I born?  "))
            .expectInput(QStringLiteral("The answer..."), QStringLiteral("NY"))
            .expectInput(QStringLiteral("The answer..."), QString(16, u'a'))
            .expectInput(QStringLiteral("The answer..."), QStringLiteral(" New York "));
        const auto fresh = AskNewQueryAndAnswer();
        QVERIFY(fresh);
        QCOMPARE(fresh->query, QStringLiteral("Where was I born?"));
        QCOMPARE(fresh->answer, QStringLiteral("New York"));
        const auto& inputs = prompts_->inputs();
        QVERIFY(inputs[1][1].startsWith(QStringLiteral("Now, type a short answer")));
        QVERIFY(inputs[2][1].startsWith(
            QStringLiteral("The answer you typed is not the correct length\r\n\r\nNow, type")));
        QVERIFY(inputs[3][1].endsWith(QStringLiteral("to the query:\r\n\r\nWhere was I born?")));
    }

    void cancellingEitherPromptEstablishesNothing()
    {
        TempDataFolder folder;
        AppendAccount(QStringLiteral("Checking"), QString());
        prompts_->expectInput(QStringLiteral("The query..."), QStringLiteral("Pet?"))
            .expectInput(QStringLiteral("The answer..."), QString());
        QVERIFY(!ProtectAccount(ProtectRequest::Establish, 1));
        QVERIFY(!IsProtected(accountAt(1)));
    }

    void anAnswerBeyondTheFilesCharactersStillOpens()
    {
        // The file holds Windows-1252 only: the Greek letter is stored as "?".
        TempDataFolder folder;
        AppendAccount(QStringLiteral("Checking"), QString());
        prompts_->expectInput(QStringLiteral("The query..."), QStringLiteral("Favourite letter?"))
            .expectInput(QStringLiteral("The answer..."), QStringLiteral("Ωmega"))
            .expectMessage(QStringLiteral("Protected access enabled"), 1)
            .expectInput(QStringLiteral("Authorization required"), QStringLiteral(" ωMEGA "));
        QVERIFY(ProtectAccount(ProtectRequest::Establish, 1));
        QVERIFY(CheckAccess(accountAt(1)));
    }

    void establishChangeAndRemove()
    {
        TempDataFolder folder;
        AppendAccount(QStringLiteral("Checking"), QString());
        const QString longQuery = QString(50, u'q');

        prompts_->expectInput(QStringLiteral("The query..."), longQuery)
            .expectInput(QStringLiteral("The answer..."), QStringLiteral("two words"))
            .expectMessage(QStringLiteral("Protected access enabled"), 1)
            .expectMessageKind(IconExclamation);
        QVERIFY(ProtectAccount(ProtectRequest::Establish, 1));
        QCOMPARE(accountAt(1).AccessQuery, QString(40, u'q'));
        QCOMPARE(accountAt(1).AccessAnswer, QStringLiteral("two words").leftJustified(15));

        // A wrong answer changes nothing.
        prompts_->expectInput(QStringLiteral("Authorization required"), QStringLiteral("nope"))
            .expectMessage(QStringLiteral("Authorization denied"), 1);
        QVERIFY(!ProtectAccount(ProtectRequest::Change, 1));
        QCOMPARE(accountAt(1).AccessQuery, QString(40, u'q'));

        prompts_->expectInput(QStringLiteral("Authorization required"), QStringLiteral("TWO WORDS"))
            .expectInput(QStringLiteral("The query..."), QStringLiteral("Colour?"))
            .expectInput(QStringLiteral("The answer..."), QStringLiteral("blue"))
            .expectMessage(QStringLiteral("Access query changed"), 1);
        QVERIFY(ProtectAccount(ProtectRequest::Change, 1));
        QCOMPARE(accountAt(1).AccessQuery.trimmed(), QStringLiteral("Colour?"));

        prompts_->expectInput(QStringLiteral("Authorization required"), QStringLiteral("red"))
            .expectMessage(QStringLiteral("Authorization denied"), 1);
        QVERIFY(!ProtectAccount(ProtectRequest::Remove, 1));
        QVERIFY(IsProtected(accountAt(1)));

        prompts_->expectInput(QStringLiteral("Authorization required"), QStringLiteral("Blue"))
            .expectMessage(QStringLiteral("Protected access removed"), 1)
            .expectMessageKind(IconInformation);
        QVERIFY(ProtectAccount(ProtectRequest::Remove, 1));
        QVERIFY(!IsProtected(accountAt(1)));
        QCOMPARE(accountAt(1).AccessAnswer, QString(15, u' '));
    }
};

TALLYO_TEST(AccessProtectionTest)
#include "accessprotection_test.moc"
