// The rules of the notes box and the open button's caption.
#include "testrunner.h"

#include "index/indexcaptions.h"
#include "index/notesediting.h"

#include <QTest>

using namespace tallyo;

class NotesEditingTest : public QObject {
    Q_OBJECT

private slots:
    void gaugeCaption_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("empty: no gauge") << QString() << QString();
        QTest::newRow("one character: at least 1%") << QStringLiteral("x") << QStringLiteral(" 1% full ");
        QTest::newRow("1440 characters") << QString(1440, u'a') << QStringLiteral(" 50% full ");
        QTest::newRow("full") << QString(NotesMaxLength, u'a') << QStringLiteral(" 100% full ");
        // 1439 characters and one line break stored as CR LF: 1441 of 2879.
        QTest::newRow("line breaks count twice")
            << QString(1438, u'a') + QStringLiteral("\n") + QStringLiteral("b") << QStringLiteral(" 50% full ");
        QTest::newRow("rounding up at 0.5%") << QString(1454, u'a') << QStringLiteral(" 51% full ");
    }

    void gaugeCaption()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QCOMPARE(NotesGaugeCaption(text), caption);
    }

    void changesAreJudgedWithoutTheSpacesAtTheEnds_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("changed");
        QTest::newRow("same") << QStringLiteral("Bank") << QStringLiteral("Bank") << false;
        QTest::newRow("trailing spaces added") << QStringLiteral("Bank   ") << QStringLiteral("Bank") << false;
        QTest::newRow("leading spaces added") << QStringLiteral("  Bank") << QStringLiteral("Bank") << false;
        QTest::newRow("letter added") << QStringLiteral("Banks") << QStringLiteral("Bank") << true;
        QTest::newRow("line break added") << QStringLiteral("Bank\n") << QStringLiteral("Bank") << true;
        QTest::newRow("case changed") << QStringLiteral("bank") << QStringLiteral("Bank") << true;
        QTest::newRow("emptied") << QString() << QStringLiteral("Bank") << true;
    }

    void changesAreJudgedWithoutTheSpacesAtTheEnds()
    {
        QFETCH(QString, shown);
        QFETCH(QString, start);
        QFETCH(bool, changed);
        QCOMPARE(NotesChanged(shown, start), changed);
    }

    void lineBreaksRoundTrip()
    {
        const QString stored = QStringLiteral("Bank:\r\n\r\nRouting: 123\r\nOther");
        const QString shown = NotesForDisplay(stored);
        QCOMPARE(shown, QStringLiteral("Bank:\n\nRouting: 123\nOther"));
        QCOMPARE(NotesForStorage(shown), stored);
        QCOMPARE(StoredNotesLength(shown), int(stored.size()));
        QCOMPARE(NotesForStorage(QStringLiteral("a\rb")), QStringLiteral("a\r\nb"));
    }

    void openButtonCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownName");
        QTest::newRow("plain") << QStringLiteral("Checking") << QStringLiteral("Checking");
        QTest::newRow("ampersand inside") << QStringLiteral("Fish & Chips") << QStringLiteral("Fish && Chips");
        QTest::newRow("only the first is doubled") << QStringLiteral("A&B&C") << QStringLiteral("A&&B&C");
        QTest::newRow("leading ampersand marks a key") << QStringLiteral("&Bank") << QStringLiteral("&Bank");
        QTest::newRow("leading and inner") << QStringLiteral("&B&C") << QStringLiteral("&B&&C");
        QTest::newRow("one character") << QStringLiteral("&") << QStringLiteral("&");
        QTest::newRow("empty") << QString() << QString();
    }

    void openButtonCaption()
    {
        QFETCH(QString, name);
        QFETCH(QString, shownName);
        QCOMPARE(OpenAccountCaption(OpenAccountTag, name), OpenAccountTag + QStringLiteral(" ") + shownName);
    }

    void aboutTextNamesTheVersion()
    {
        const QStringList lines = AboutText().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(0), QStringLiteral("Tallyo"));
        QVERIFY(QRegularExpression(QStringLiteral("^Version w\\d+\\.\\d+\\.\\d+$")).match(lines.value(1)).hasMatch());
        QCOMPARE(lines.value(3), QStringLiteral("Financial Account Manager"));
        QVERIFY(lines.value(4).startsWith(QChar(0x00A9)));
        QVERIFY(AboutText().endsWith(QStringLiteral("\r\n\r\n")));
    }
};

TALLYO_TEST(NotesEditingTest)
#include "notesediting_test.moc"
