// The entry window on real files, driven by keys: type texts and the sign
// of the amount, both ways of typing an amount, the comment and notes, the
// beginning balance and void records, and a save that meets a full disk.
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "controls/ZevButton.h"
#include "controls/MonthsCalendar.h"
#include "entry/entrystate.h"
#include "entry/frmNewEntry.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "util/dates.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

const QString Key = QStringLiteral("20260101090000");

TransactionRecord stored(const QString& type, qint64 amount, double date = 46000.5)
{
    TransactionRecord record;
    record.AccountKey = Key;
    record.TransactionDate = date;
    record.TransactionType = type;
    record.Payee = QStringLiteral("Grocer");
    record.Amount = amount;
    record.Comment = QStringLiteral("weekly");
    record.Notes = QStringLiteral("kept");
    return record;
}

void append(const TransactionRecord& record)
{
    OpenTransactions();
    WriteTransactionRecord(TransactionCount() + 1, record);
    CloseTransactions();
}

QList<TransactionRecord> records()
{
    QList<TransactionRecord> all;
    OpenTransactions();
    for (qint32 n = 1; n <= TransactionCount(); ++n)
        all.append(ReadTransactionRecord(n));
    CloseTransactions();
    return all;
}

// Replaces a box's text by typing.
void typeInto(QWidget* box, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

}

class NewEntryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    std::unique_ptr<StoredSettings> settings_;
    ScriptedPrompts* prompts_ = nullptr;
    EventPace pace_{0};
    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(14, 30, 15))};
    std::unique_ptr<frmNewEntry> window_;

    // Opens the window as the register would; `record` is the highlighted
    // transaction (0: none).
    frmNewEntry* open(bool modifying, qint32 record = 0, bool prefill = false, bool closeDropDowns = true)
    {
        EntryFlags& flags = entryFlags();
        flags.AddingEntry = !modifying;
        flags.ModifyingEntry = modifying;
        flags.PrefillFromSelection = prefill || modifying;
        flags.SelectedRecord = record;
        window_ = std::make_unique<frmNewEntry>();
        window_->LoadEntry();
        window_->show();
        if (!QTest::qWaitForWindowActive(window_.get()))
            return nullptr;
        QCoreApplication::processEvents();
        if (!closeDropDowns)
            return window_.get();
        // Drop-downs opened on the first focus are closed again, so that
        // the keys below reach the boxes they are typed into.
        window_->calendar->hidePopup();
        for (int n : {2, 3, 5})
            window_->combo[n]->hidePopup();
        QCoreApplication::processEvents();
        return window_.get();
    }

    // Fills the three boxes that make an entry complete.
    static void fill(frmNewEntry* w, const QString& type, const QString& amount)
    {
        typeInto(w->combo[2]->lineEdit(), type);
        typeInto(w->combo[3]->lineEdit(), QStringLiteral("Smith"));
        typeInto(w->txtAmount, amount);
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        settings_ = std::make_unique<StoredSettings>(folder_->filePath(QStringLiteral("settings.ini")));
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().settings = settings_.get();
        platform().pace = &pace_;
        platform().clock = &clock_;
        ResetEntryFlags();
        currentAccount().CurrentAccountKey = Key;
    }

    void cleanup()
    {
        window_.reset();
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
        platform().settings = nullptr;
        settings_.reset();
        folder_.reset();
    }

    void typeDecidesWhatIsSaved_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("listItem");  // chosen from the list instead; -1 typed
        QTest::addColumn<QString>("storedType");  // empty: "Entry Error"
        QTest::addColumn<qint64>("amount");
        QTest::newRow("check number left unchosen") << "" << 0 << "" << qint64(0);
        QTest::newRow("typed check number") << "1234" << -1 << "1234        " << qint64(-450000);
        QTest::newRow("check prefix") << "Check# 1234" << -1 << "1234        " << qint64(-450000);
        QTest::newRow("type word without its spaces") << "Deposit" << -1 << "Deposit     " << qint64(450000);
        QTest::newRow("type words in other letters") << "service fee" << -1 << "Service Fee " << qint64(-450000);
        QTest::newRow("a unique beginning") << "atm" << -1 << "ATM Cash    " << qint64(-450000);
        QTest::newRow("a beginning two items share") << "Auto" << -1 << "" << qint64(0);
        QTest::newRow("deposit from the list") << "" << 1 << "Deposit     " << qint64(450000);
        QTest::newRow("ATM cash from the list") << "" << 4 << "ATM Cash    " << qint64(-450000);
    }

    void typeDecidesWhatIsSaved()
    {
        QFETCH(QString, type);
        QFETCH(int, listItem);
        QFETCH(QString, storedType);
        QFETCH(qint64, amount);
        frmNewEntry* w = open(false);
        QVERIFY(w);
        QVERIFY(!w->cmdSave->isEnabled());
        fill(w, type, QStringLiteral("45"));
        if (listItem >= 0)
            w->combo[2]->setCurrentIndex(listItem);
        QVERIFY(w->cmdSave->isEnabled());

        if (storedType.isEmpty())
            prompts_->expectMessage(QStringLiteral("Entry Error"), QStringLiteral("The 'Type of Transaction'\r\nentry is not valid..."),
                                    {QStringLiteral("&Okay")}, 1);
        w->cmdSave->click();
        QCoreApplication::processEvents();
        if (storedType.isEmpty()) {
            QVERIFY(w->isVisible());
            QVERIFY(records().isEmpty());
            QVERIFY(entryFlags().SaveMarker.isEmpty());
            return;
        }
        QVERIFY(!w->isVisible());
        const QList<TransactionRecord> saved = records();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].AccountKey, Key);
        QCOMPARE(saved[0].TransactionType, storedType);
        QCOMPARE(saved[0].Amount, amount);
        QCOMPARE(saved[0].Payee.trimmed(), QStringLiteral("Smith"));
        QVERIFY(!saved[0].Cleared);
        // The marker is the saved date and time, which the register finds.
        QCOMPARE(entryFlags().SaveMarker, FormatStamp(saved[0].TransactionDate));
        QCOMPARE(entryFlags().SaveMarker, QStringLiteral("20261208143015"));
    }

    void pickerFollowsDateDisplay_data()
    {
        QTest::addColumn<QString>("dateDisplay");
        QTest::addColumn<QString>("format");
        QTest::newRow("1") << "1" << "MMM dd, yyyy";
        QTest::newRow("2") << "2" << "dd MMM, yyyy";
        QTest::newRow("3") << "3" << "yyyy, dd MMM";
        QTest::newRow("4") << "4" << "yyyy, MMM dd";
        QTest::newRow("unknown") << "7" << "MMM dd, yyyy";
        QTest::newRow("not set") << "" << "MMM dd, yyyy";
    }

    void pickerFollowsDateDisplay()
    {
        QFETCH(QString, dateDisplay);
        QFETCH(QString, format);
        if (!dateDisplay.isEmpty())
            SetSettingText(SettingKey::DateDisplay, dateDisplay);
        frmNewEntry* w = open(false);
        QVERIFY(w);
        QCOMPARE(w->calendar->displayFormat(), format);
        QCOMPARE(w->calendar->date(), clock_.now().date());
    }

    // Adding drops the two-month calendar down as the date first takes the
    // focus; F4 drops it again. Modifying opens on the payee instead.
    void dateDropsDownWhenAdding_data()
    {
        QTest::addColumn<bool>("modifying");
        QTest::newRow("adding") << false;
        QTest::newRow("modifying") << true;
    }

    void dateDropsDownWhenAdding()
    {
        QFETCH(bool, modifying);
        append(stored(QStringLiteral("1001        "), -100000, StoredFromDate(QDate(2000, 2, 10)) + 0.5));
        frmNewEntry* w = open(modifying, 1, false, false);
        QVERIFY(w);
        QCOMPARE(w->calendar->isPopupVisible(), !modifying);
        QCOMPARE(int(w->calendar->months().size()), 2);
        w->calendar->hidePopup();
        w->combo[2]->hidePopup();
        QCoreApplication::processEvents();

        w->calendar->setDate(QDate(2000, 2, 10));
        QTest::keyClick(w->calendar, Qt::Key_F4);
        QVERIFY(w->calendar->isPopupVisible());
        QCOMPARE(w->calendar->minimumDate(), QDate(2000, 1, 1));
        QCOMPARE(w->calendar->firstMonth(), QDate(2000, 2, 1));
        // Paging back stops at the earliest month offered.
        w->calendar->turnMonths(-3);
        QCOMPARE(w->calendar->firstMonth(), QDate(2000, 1, 1));
        QCOMPARE(w->calendar->months().front()->minimumDate(), QDate(2000, 1, 1));
        QTest::keyClick(w->calendar->months().front(), Qt::Key_Escape);
        QVERIFY(!w->calendar->isPopupVisible());
    }

    void payeeCaptionFollowsTheType_data()
    {
        QTest::addColumn<int>("typeItem");  // -1: typed
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("(enter chk#)") << 0 << "" << "Payee";
        QTest::newRow("Deposit") << 1 << "" << "Creditor";
        QTest::newRow("AutoPayment") << 2 << "" << "Payee";
        QTest::newRow("AutoDeposit") << 3 << "" << "Creditor";
        QTest::newRow("ATM Cash") << 4 << "" << "Payee";
        QTest::newRow("Service Fee") << 5 << "" << "Payee";
        QTest::newRow("Other Credit") << 6 << "" << "Creditor";
        QTest::newRow("Other Debit") << 7 << "" << "Payee";
        QTest::newRow("typed check number") << -1 << "1234" << "Creditor";
    }

    void payeeCaptionFollowsTheType()
    {
        QFETCH(int, typeItem);
        QFETCH(QString, typed);
        QFETCH(QString, caption);
        frmNewEntry* w = open(false);
        QVERIFY(w);
        if (typeItem >= 0)
            w->combo[2]->setCurrentIndex(typeItem);
        else
            w->combo[2]->setEditText(typed);
        w->combo[3]->setEditText(QStringLiteral("Smith"));
        w->combo[3]->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(w->lbl[3]->text(), caption);
        QVERIFY(w->lbl[3]->font().bold());
        QCOMPARE(w->combo[3]->palette().color(QPalette::Base), QColor(255, 255, 192));
        w->txtAmount->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(w->lbl[3]->text(), QStringLiteral("Payee/Creditor"));
        QVERIFY(!w->lbl[3]->font().bold());
        QCOMPARE(w->combo[3]->palette().color(QPalette::Base), QColor(192, 255, 255));
    }

    // Enter saves from every box but the notes, where it starts a new line.
    void enterSavesOutsideTheNotes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("saves");
        QTest::newRow("type") << "combo2" << true;
        QTest::newRow("payee") << "combo3" << true;
        QTest::newRow("amount") << "txtAmount" << true;
        QTest::newRow("comment") << "combo5" << true;
        QTest::newRow("notes") << "txtNotes" << false;
    }

    void enterSavesOutsideTheNotes()
    {
        QFETCH(QString, box);
        QFETCH(bool, saves);
        frmNewEntry* w = open(false);
        QVERIFY(w);
        fill(w, QStringLiteral("1001"), QStringLiteral("10"));
        auto* target = w->findChild<QWidget*>(box);
        QVERIFY(target);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            target = combo->lineEdit();
        target->setFocus();
        QCoreApplication::processEvents();
        for (int n : {2, 3, 5})
            w->combo[n]->hidePopup();
        QTest::keyClick(target, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(records().size(), saves ? 1 : 0);
        QCOMPARE(w->isVisible(), !saves);
        if (!saves)
            QCOMPARE(w->txtNotes->toPlainText(), QStringLiteral("\n"));
    }

    // Keys, then a paste, which is taken as the same keys typed or refused whole.
    void amountKeys_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("keys");  // "<" Backspace
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");  // after the box loses the focus
        QTest::newRow("right to left") << 1 << "1234" << "" << "12.34" << "12.34";
        QTest::newRow("right to left, backspace") << 1 << "1234<" << "" << "1.23" << "1.23";
        QTest::newRow("right to left, point and letter") << 1 << "123.x" << "" << "0.12" << "0.12";
        QTest::newRow("right to left, back to nothing") << 1 << "1<" << "" << "" << "";
        QTest::newRow("right to left, pasted digits") << 1 << "" << "1234" << "12.34" << "12.34";
        QTest::newRow("right to left, a pasted point") << 1 << "5" << "12.34" << "0.05" << "0.05";
        QTest::newRow("left to right") << 0 << "1234.5" << "" << "1234.5" << "1,234.50";
        QTest::newRow("left to right, second point") << 0 << "12..5" << "" << "12.5" << "12.50";
        QTest::newRow("left to right, backspace") << 0 << "123<" << "" << "12" << "12.00";
        QTest::newRow("left to right, pasted above the largest amount") << 0 << "5" << "123456789012" << "5" << "5.00";
        QTest::newRow("left to right, a pasted billion") << 0 << "" << "1000000000" << "" << "";
        QTest::newRow("left to right, a pasted grouped amount") << 0 << "" << "1,234.56" << "1,234.56" << "1,234.56";
    }

    void amountKeys()
    {
        QFETCH(int, method);
        QFETCH(QString, keys);
        QFETCH(QString, pasted);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        SetSettingNumber(SettingKey::AmountEntryMethod, method);
        frmNewEntry* w = open(false);
        QVERIFY(w);
        w->txtAmount->setFocus();
        QCoreApplication::processEvents();
        for (QChar key : keys) {
            if (key == u'<')
                QTest::keyClick(w->txtAmount, Qt::Key_Backspace);
            else
                QTest::keyClick(w->txtAmount, key.toLatin1());
        }
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(w->txtAmount, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(w->txtAmount->text(), typed);
        QCOMPARE(w->lblUseBackspace->isVisibleTo(w), method == 1 && !typed.isEmpty());
        w->txtNotes->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(w->txtAmount->text(), left);
        QVERIFY(!w->lblUseBackspace->isVisibleTo(w));
    }

    void rightToLeftGoesOnFromAStoredAmount()
    {
        SetSettingNumber(SettingKey::AmountEntryMethod, 1);
        append(stored(QStringLiteral("Deposit     "), 12345600));
        frmNewEntry* w = open(true, 1);
        QVERIFY(w);
        QCOMPARE(w->txtAmount->text(), QStringLiteral("1,234.56"));
        w->txtAmount->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClick(w->txtAmount, '7');
        QCOMPARE(w->txtAmount->text(), QStringLiteral("12,345.67"));
    }

    void commentIsCutAndNotesGauged()
    {
        frmNewEntry* w = open(false);
        QVERIFY(w);
        fill(w, QStringLiteral("1001"), QStringLiteral("10"));
        typeInto(w->combo[5]->lineEdit(), QStringLiteral("  ") + QString(60, u'c'));
        w->txtNotes->setFocus();
        QTest::keyClicks(w->txtNotes, QString(428, u'n'));
        QCOMPARE(w->lblSpaceFull->text(), QStringLiteral(" 50% full "));
        QVERIFY(w->lblSpaceFull->isVisibleTo(w));
        // The notes box takes no more than the field holds.
        QTest::keyClicks(w->txtNotes, QString(500, u'm'));
        QCOMPARE(w->txtNotes->toPlainText().size(), EntryNotesLength);
        w->cmdSave->click();
        const TransactionRecord saved = records().value(0);
        QCOMPARE(saved.Comment, QString(50, u'c'));
        QCOMPARE(saved.Notes, QString(428, u'n') + QString(428, u'm'));
    }

    void patternedAddAsksForANewCheckNumber_data()
    {
        QTest::addColumn<QString>("patternType");
        QTest::addColumn<QString>("shown");
        QTest::newRow("check") << "1001        " << "(enter chk#)";
        QTest::newRow("deposit") << "Deposit     " << "Deposit     ";
    }

    void patternedAddAsksForANewCheckNumber()
    {
        QFETCH(QString, patternType);
        QFETCH(QString, shown);
        append(stored(patternType, -100000));
        frmNewEntry* w = open(false, 1, true);
        QVERIFY(w);
        QCOMPARE(w->combo[2]->currentText(), shown);
        QCOMPARE(w->combo[3]->currentText(), QStringLiteral("Grocer"));
        QCOMPARE(w->txtAmount->text(), QStringLiteral("10.00"));
    }

    void beginningBalanceKeepsItsDateAndSign_data()
    {
        QTest::addColumn<qint64>("balance");
        QTest::newRow("positive") << qint64(10000000);
        QTest::newRow("overdrawn") << qint64(-500000);
    }

    void beginningBalanceKeepsItsDateAndSign()
    {
        QFETCH(qint64, balance);
        append(stored(QStringLiteral("Start       "), balance, 1.0));
        frmNewEntry* w = open(true, 1);
        QVERIFY(w);
        QVERIFY(!w->calendar->isVisibleTo(w) && !w->lbl[1]->isVisibleTo(w));
        QVERIFY(!w->combo[2]->isEnabled() && !w->combo[3]->isEnabled() && w->txtAmount->isEnabled());
        typeInto(w->txtAmount, QStringLiteral("250"));
        w->cmdSave->click();
        const TransactionRecord saved = records().value(0);
        QCOMPARE(saved.TransactionDate, 1.0);
        QCOMPARE(saved.TransactionType, QStringLiteral("Start       "));
        QCOMPARE(saved.Amount, balance < 0 ? qint64(-2500000) : qint64(2500000));
        QCOMPARE(entryFlags().SaveMarker, FormatStamp(1.0));
    }

    void voidChangesOnlyCommentAndNotes()
    {
        TransactionRecord voided = stored(QStringLiteral("VOID        "), 0);
        voided.Cleared = true;
        append(voided);
        frmNewEntry* w = open(true, 1);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tallyo - Modifying this transaction"));
        QVERIFY(!w->calendar->isEnabled() && !w->combo[2]->isEnabled() && !w->combo[3]->isEnabled()
                && !w->txtAmount->isEnabled());
        typeInto(w->combo[5]->lineEdit(), QStringLiteral("cancelled"));
        w->cmdSave->click();
        TransactionRecord expected = voided;
        const TransactionRecord saved = records().value(0);
        QCOMPARE(saved.Comment.trimmed(), QStringLiteral("cancelled"));
        QCOMPARE(saved.TransactionDate, voided.TransactionDate);
        QCOMPARE(saved.TransactionType, voided.TransactionType);
        QVERIFY(saved.Cleared);
        QCOMPARE(saved.Amount, qint64(0));
    }

    // Save never stores another amount than the one shown: what is no
    // number, or more than the largest amount, is refused, by Enter in the
    // box as by a click (the box loses the focus first).
    void saveRefusesAnAmountItCannotStore_data()
    {
        QTest::addColumn<qint64>("storedAmount");  // modifying a deposit of it; 0: adding
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QString>("message");
        const QString noNumber = QStringLiteral("The 'Amount' entry\r\nis not a number...");
        const QString tooLarge = QStringLiteral("The 'Amount' entry is more\r\nthan 999,999,999.99...");
        QTest::newRow("a comma first, Enter") << qint64(0) << false << noNumber;
        QTest::newRow("a comma first, a click") << qint64(0) << true << noNumber;
        QTest::newRow("too large from the file, Enter") << qint64(12345678901200) << false << tooLarge;
        QTest::newRow("too large from the file, a click") << qint64(12345678901200) << true << tooLarge;
    }
    void saveRefusesAnAmountItCannotStore()
    {
        QFETCH(qint64, storedAmount);
        QFETCH(bool, byClick);
        QFETCH(QString, message);
        if (storedAmount)
            append(stored(QStringLiteral("Deposit     "), storedAmount));
        const QByteArray before = tallyo::test::readWholeFile(QStringLiteral("Account.dat"));
        frmNewEntry* w = open(storedAmount != 0, storedAmount ? 1 : 0);
        QVERIFY(w);
        if (!storedAmount)
            fill(w, QStringLiteral("1001"), QStringLiteral(",5"));
        const QString shown = w->txtAmount->text();
        QCOMPARE(shown, storedAmount ? QStringLiteral("1,234,567,890.12") : QStringLiteral(",5"));
        w->txtAmount->setFocus();
        for (int attempt = 0; attempt < 2; ++attempt) {
            prompts_->expectMessage(QStringLiteral("Entry Error"), message, {QStringLiteral("&Okay")}, 1);
            if (byClick) {
                w->cmdSave->setFocus();
                w->cmdSave->click();
            } else {
                QTest::keyClick(w->txtAmount, Qt::Key_Return);
            }
            QCOMPARE(tallyo::test::readWholeFile(QStringLiteral("Account.dat")), before);
            QVERIFY(w->isVisible());
            QCOMPARE(w->txtAmount->text(), shown);
        }
        prompts_->verifyDone();
    }

    // One Enter saves when no list is open; an Enter that closes an open
    // list with an item highlighted only closes it.
    void oneEnterSavesOnceTheListsAreClosed_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");  // into the box's open list; ">" is Down
        QTest::addColumn<int>("enters");     // Enters until saved
        QTest::addColumn<QString>("storedType");
        QTest::newRow("a type picked with the arrows") << 2 << ">>" << 2 << "Deposit     ";
        QTest::newRow("a type typed as the list shows it") << 2 << "Service Fee" << 2 << "Service Fee ";
        QTest::newRow("a check number") << 2 << "1042" << 1 << "1042        ";
        QTest::newRow("a comment, hint lines open") << 5 << "for May" << 1 << "1001        ";
    }
    void oneEnterSavesOnceTheListsAreClosed()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(int, enters);
        QFETCH(QString, storedType);
        frmNewEntry* w = open(false);
        QVERIFY(w);
        if (box != 2)
            typeInto(w->combo[2]->lineEdit(), QStringLiteral("1001"));
        typeInto(w->combo[3]->lineEdit(), QStringLiteral("Smith"));
        typeInto(w->txtAmount, QStringLiteral("10"));
        DropDownBox* list = w->combo[box];
        list->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(list->isPopupOpen());
        for (QChar key : typed) {
            if (key == u'>')
                QTest::keyClick(list->view(), Qt::Key_Down);
            else
                QTest::keyClick(list->view(), key.toLatin1());
        }
        int pressed = 0;
        while (records().isEmpty() && pressed < 3) {
            QTest::keyClick(list->isPopupOpen() ? static_cast<QWidget*>(list->view()) : list->lineEdit(), Qt::Key_Return);
            QCoreApplication::processEvents();
            ++pressed;
        }
        QCOMPARE(pressed, enters);
        QCOMPARE(records().value(0).TransactionType, storedType);
    }

    void cancelWritesNothing()
    {
        append(stored(QStringLiteral("1001        "), -100000));
        const QByteArray before = tallyo::test::readWholeFile(QStringLiteral("Account.dat"));
        frmNewEntry* w = open(true, 1);
        QVERIFY(w);
        typeInto(w->combo[3]->lineEdit(), QStringLiteral("Someone else"));
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(!w->saved());
        QVERIFY(!entryFlags().PrefillFromSelection);
        QCOMPARE(tallyo::test::readWholeFile(QStringLiteral("Account.dat")), before);
    }

    void aFullDiskKeepsTheWindowAndTheFile()
    {
        append(stored(QStringLiteral("1001        "), -100000));
        const QByteArray before = tallyo::test::readWholeFile(QStringLiteral("Account.dat"));
        frmNewEntry* w = open(false);
        QVERIFY(w);
        fill(w, QStringLiteral("1002"), QStringLiteral("20"));
        prompts_->expectMessage(QStringLiteral("File error"), 1);
        {
            tallyo::test::FileSizeLimit full(before.size());
            w->cmdSave->click();
        }
        QVERIFY(w->isVisible());
        QCOMPARE(tallyo::test::readWholeFile(QStringLiteral("Account.dat")), before);
        // The same entry saves once there is room.
        w->cmdSave->click();
        QCOMPARE(records().size(), 2);
    }

    // F1 opens the manual only unmodified; here it cannot, which shows a message.
    void manualKeyActsOnlyUnmodified()
    {
        test::RecordingShell shell;
        shell.openResult = false;
        platform().shell = &shell;
        frmNewEntry* w = open(false);
        QVERIFY(w);
        QTest::keyClick(w->combo[3]->lineEdit(), Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(w->combo[3]->lineEdit(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(prompts_->verifyDone());
        prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(w->combo[3]->lineEdit(), Qt::Key_F1);
        QVERIFY(prompts_->verifyDone());
        // The amount box takes its own keys first, but not F1.
        QTest::keyClick(w->txtAmount, Qt::Key_F1, Qt::ControlModifier);
        QVERIFY(prompts_->verifyDone());
        prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(w->txtAmount, Qt::Key_F1);
        QVERIFY(prompts_->verifyDone());
        QVERIFY(w->isVisible());
        window_.reset();
        platform().shell = nullptr;
    }
};

TALLYO_TEST(NewEntryWindowTest)
#include "frmnewentry_test.moc"
