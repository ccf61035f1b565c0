// The list editor on a real PayCom.lst: saving what was typed with exactly
// one final line break, the unchanged and changed states, the record made
// for an account that had none, and a list that must keep its last break.
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "controls/ZevButton.h"
#include "entry/frmEditList.h"
#include "entry/listtext.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "store/datafiles.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

const QString Key = QStringLiteral("20260101090000");

void writeLists(const QString& payees)
{
    ListRecord other;
    other.AccountKey = QStringLiteral("20250101090000");
    other.PayeeList = QStringLiteral("Not ours\r\n");
    ListRecord lists;
    lists.AccountKey = Key;
    lists.PayeeList = payees;
    OpenLists();
    WriteListRecord(1, other);
    WriteListRecord(2, lists);
    CloseLists();
}

QString storedPayees()
{
    const std::optional<AccountLists> found = FindAccountLists(Key);
    return found ? ListOfKind(found->lists, PayeeListKind) : QStringLiteral("(none)");
}

}

class EditListWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    ScriptedPrompts* prompts_ = nullptr;
    EventPace pace_{0};
    std::unique_ptr<frmEditList> window_;

    frmEditList* open(int kind = PayeeListKind)
    {
        window_ = std::make_unique<frmEditList>(kind, ListDisplayName(kind));
        window_->LoadList();
        window_->show();
        if (!QTest::qWaitForWindowActive(window_.get()))
            return nullptr;
        QCoreApplication::processEvents();
        return window_.get();
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().pace = &pace_;
        currentAccount().CurrentAccountKey = Key;
    }

    void cleanup()
    {
        window_.reset();
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
        folder_.reset();
    }

    void typedListsAreSavedWithOneFinalBreak_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("Smith and Jones") << "Smith\nJones" << "Smith\r\nJones\r\n" << QStringList{"Smith", "Jones"};
        QTest::newRow("three trailing blank lines")
            << "Smith\n\n\n" << "Smith\r\n" << QStringList{"Smith"};
        QTest::newRow("one-character entry") << "A" << "A\r\n" << QStringList{"A"};
        // Emptied: the line break alone is two characters, which count as
        // an empty list.
        QTest::newRow("two characters")
            << "x<" << "\r\n"
            << QStringList{"Create your own list of payee/creditors", "by clicking the 'Other Options' button",
                           "in your account register window."};
    }

    void typedListsAreSavedWithOneFinalBreak()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(QStringList, offered);
        writeLists(QString());
        frmEditList* w = open();
        QVERIFY(w);
        QCOMPARE(w->labelHeader->text(), QStringLiteral("Create a list of Payee/Creditors below..."));
        for (QChar c : typed) {
            if (c == u'\n')
                QTest::keyClick(w->txtBox, Qt::Key_Return);
            else if (c == u'<')
                QTest::keyClick(w->txtBox, Qt::Key_Backspace);
            else
                QTest::keyClicks(w->txtBox, QString(c));
        }
        QVERIFY(w->isChanged());
        QCOMPARE(w->cmdFinished->caption(), QStringLiteral("&Finished,\r\nsave the changes"));
        w->cmdFinished->click();
        QCOMPARE(storedPayees(), saved);
        QCOMPARE(DropDownItems(storedPayees(), PayeeListKind), offered);
    }

    void unchangedEditorWritesNothing()
    {
        writeLists(QStringLiteral("Smith\r\nJones\r\n"));
        const QByteArray before = tallyo::test::readWholeFile(QStringLiteral("PayCom.lst"));
        frmEditList* w = open();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tallyo - The `Payee/Creditor' List for this account"));
        QCOMPARE(w->labelHeader->text(), QStringLiteral("Edit the list of Payee/Creditors below..."));
        QCOMPARE(w->cmdFinished->caption(), QStringLiteral("&Return,\r\nwith no changes"));
        QVERIFY(!w->cmdCancel->isVisible());
        QTest::keyClick(w->txtBox, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(tallyo::test::readWholeFile(QStringLiteral("PayCom.lst")), before);
    }

    void cancelDiscardsChanges()
    {
        writeLists(QStringLiteral("Smith\r\n"));
        frmEditList* w = open();
        QVERIFY(w);
        QTest::keyClicks(w->txtBox, QStringLiteral("Brown"));
        QVERIFY(w->cmdCancel->isVisible());
        QTest::keyClick(w->txtBox, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(storedPayees(), QStringLiteral("Smith\r\n"));
    }

    void aMissingRecordIsAppendedBeforeTyping()
    {
        frmEditList* w = open(CommentListKind);
        QVERIFY(w);
        OpenLists();
        QCOMPARE(ListCount(), 1);
        QCOMPARE(ReadListRecord(1).AccountKey, Key);
        CloseLists();
        QCOMPARE(w->labelHeader->text(), QStringLiteral("Create a list of Comments below..."));
    }

    void theBoxRefusesWhatWouldLoseTheLastBreak()
    {
        writeLists(QString());
        frmEditList* w = open();
        QVERIFY(w);
        QTest::keyClicks(w->txtBox, QString(995, u'x'));
        // 991 characters and the final CR LF fill the field.
        QCOMPARE(w->txtBox->toPlainText().size(), 991);
        w->cmdFinished->click();
        QCOMPARE(storedPayees(), QString(991, u'x') + QStringLiteral("\r\n"));
        QCOMPARE(DropDownItems(storedPayees(), PayeeListKind), QStringList{QString(991, u'x')});
    }
};

TALLYO_TEST(EditListWindowTest)
#include "frmeditlist_test.moc"
