// The payee and comment lists: drop-down items from a list text, the text
// as it is saved, and the account's record in PayCom.lst.
#include "testenv.h"
#include "testrunner.h"

#include "entry/listtext.h"
#include "store/datafiles.h"

#include <QTest>

using namespace tallyo;
using tallyo::test::TempDataFolder;

class ListTextTest : public QObject {
    Q_OBJECT

private slots:
    void dropDownItems_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("items");
        const QStringList hints{"Create your own list of payee/creditors", "by clicking the 'Other Options' button",
                                "in your account register window."};
        QTest::newRow("two lines") << "Smith\r\nJones\r\n" << QStringList{"Smith", "Jones"};
        QTest::newRow("blank line in the middle") << "Smith\r\n\r\nJones\r\n" << QStringList{"Smith", "", "Jones"};
        QTest::newRow("nothing after the last break") << "Smith\r\nJones" << QStringList{"Smith"};
        QTest::newRow("two characters count as empty") << "ab" << hints;
        QTest::newRow("spaces alone count as empty") << QString(993, u' ') << hints;
        QTest::newRow("one-character entry") << "A\r\n" << QStringList{"A"};
    }

    void dropDownItems()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, items);
        QCOMPARE(DropDownItems(list, PayeeListKind), items);
    }

    void commentHintsNameComments()
    {
        QCOMPARE(DropDownItems(QString(), CommentListKind).first(), QStringLiteral("Create your own list of comments"));
    }

    void savedTextEndsInOneLineBreak_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no final break") << "Smith\r\nJones" << "Smith\r\nJones\r\n";
        QTest::newRow("three empty lines") << "Smith\r\n\r\n\r\n" << "Smith\r\n";
        QTest::newRow("spaces at the ends") << "  Smith  " << "Smith  \r\n";
    }

    void savedTextEndsInOneLineBreak()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(ListTextForStorage(typed), saved);
    }

    void aListFitsOnlyWithItsFinalBreak()
    {
        QVERIFY(ListTextFits(QString(991, u'x')));
        QVERIFY(!ListTextFits(QString(992, u'x')));
        QVERIFY(ListTextFits(QString(991, u'x') + QStringLiteral("\r\n\r\n")));
    }

    void theEditorCreatesAMissingRecordOnce()
    {
        TempDataFolder folder;
        const QString key = QStringLiteral("20260101000000");
        QVERIFY(!FindAccountLists(key));
        const AccountLists created = EnsureAccountLists(key);
        QCOMPARE(created.record, 1);
        QCOMPARE(EnsureAccountLists(key).record, 1);
        OpenLists();
        QCOMPARE(ListCount(), 1);
        CloseLists();

        StoreList(1, CommentListKind, QStringLiteral("Rent\r\n"));
        const std::optional<AccountLists> found = FindAccountLists(key);
        QVERIFY(found);
        QCOMPARE(ListOfKind(found->lists, CommentListKind), QStringLiteral("Rent\r\n"));
        QCOMPARE(ListOfKind(found->lists, PayeeListKind), QString());
    }
};

TALLYO_TEST(ListTextTest)
#include "listtext_test.moc"
