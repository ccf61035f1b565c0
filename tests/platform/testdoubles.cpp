// The scripted prompts that window tests rely on: they must answer in order
// and catch every call a test did not expect.
#include "testrunner.h"

#include "scriptedprompts.h"

#include <QTest>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;

class TestDoublesTest : public QObject {
    Q_OBJECT

private slots:
    void answersInOrder();
    void unexpectedCallFails_data();
    void unexpectedCallFails();
    void leftoverAnswersFail();
};

void TestDoublesTest::answersInOrder()
{
    ScriptedPrompts prompts;
    prompts.expectMessage(QStringLiteral("Confirm"), 2)
        .expectInput(QStringLiteral("Account name"), QStringLiteral("Savings"))
        .expectMessage(QStringLiteral("Protection Options"), QStringLiteral("Note"), {QStringLiteral("&Okay")}, 1, true)
        .expectFolder(QStringLiteral("/backup"));
    QCOMPARE(prompts.ask(QStringLiteral("Confirm"), 3, QStringLiteral("Sure?"), 1, {QStringLiteral("&Yes")}), 2);
    QCOMPARE(prompts.inputText(QStringLiteral("Account name"), QStringLiteral("Name:"), QString()),
             QStringLiteral("Savings"));
    const MessageAnswer answer = prompts.showMessage(
        {QStringLiteral("Protection Options"), 5, QStringLiteral("Note"), 1, true, {QStringLiteral("&Okay")}});
    QCOMPARE(answer.result, 1);
    QVERIFY(answer.optionChecked);
    QCOMPARE(prompts.pickFolder(QStringLiteral("Backup"), QString()), QStringLiteral("/backup"));
    QVERIFY(prompts.verifyDone());
    QCOMPARE(prompts.messages().size(), 2);
    QCOMPARE(prompts.inputs().first().at(1), QStringLiteral("Name:"));
}

void TestDoublesTest::unexpectedCallFails_data()
{
    QTest::addColumn<int>("variant");
    QTest::newRow("nothing expected") << 0;
    QTest::newRow("other title") << 1;
    QTest::newRow("other text") << 2;
    QTest::newRow("other buttons") << 3;
    QTest::newRow("other icon kind") << 4;
    QTest::newRow("input instead of message") << 5;
}

void TestDoublesTest::unexpectedCallFails()
{
    QFETCH(int, variant);
    ScriptedPrompts prompts;
    const QStringList okay{QStringLiteral("&Okay")};
    switch (variant) {
    case 1: prompts.expectMessage(QStringLiteral("Other"), 1); break;
    case 2: prompts.expectMessage(QStringLiteral("Title"), QStringLiteral("Other"), okay, 1); break;
    case 3: prompts.expectMessage(QStringLiteral("Title"), QStringLiteral("Text"), {QStringLiteral("&No")}, 1); break;
    case 4: prompts.expectMessage(QStringLiteral("Title"), 1).expectMessageKind(2); break;
    case 5: prompts.expectInput(QStringLiteral("Title"), QStringLiteral("x")); break;
    default: break;
    }
    QEXPECT_FAIL("", "the scripted prompts report the unexpected call", Continue);
    const int result = prompts.ask(QStringLiteral("Title"), 3, QStringLiteral("Text"), 1, okay);
    QCOMPARE(result, 0); // the empty answer
}

void TestDoublesTest::leftoverAnswersFail()
{
    ScriptedPrompts prompts;
    prompts.expectMessage(QStringLiteral("Never asked"), 1);
    QCOMPARE(prompts.pending(), 1);
    QEXPECT_FAIL("", "an answer was left over", Continue);
    QVERIFY(!prompts.verifyDone());
    QCOMPARE(prompts.pending(), 0); // reported once only
}

TALLYO_TEST(TestDoublesTest)
#include "testdoubles.moc"
