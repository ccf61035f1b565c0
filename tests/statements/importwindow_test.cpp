// Importing a statement from the register window: what the preview lists
// and how its ticks and balances follow, the questions a file leaves open
// (the order of its dates, the columns of a CSV file, remembered for the
// account), and what Import and Cancel leave in Account.dat.
#include "../register/registerwindow.h"
#include "modalwindows.h"
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "platform/settings.h"
#include "register/registeractions.h"
#include "register/registerstate.h"
#include "statements/ImportActions.h"
#include "statements/ImportPreviewModel.h"
#include "statements/frmCsvColumns.h"
#include "statements/frmImportStatement.h"
#include "statements/importpreview.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTableView>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::WindowSeams;
using tallyo::test::whenShown;

namespace {

const QDateTime Now(QDate(2024, 1, 1), QTime(12, 0));
constexpr double Jan5 = 45296;

QList<handmade::Transaction> household()
{
    return {beginningBalance(1000), transaction(Jan5, "1001", -45, false, "Smith")};
}

QString writeStatement(const QString& name, const QByteArray& text)
{
    tallyo::test::writeWholeFile(name, text);
    return QDir::current().absoluteFilePath(name);
}

}

class ImportWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSeams> seams_;

private slots:
    void init()
    {
        seams_ = std::make_unique<WindowSeams>(Now);
        registerActions().importStatement = ImportBankStatement;
    }
    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        settleEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetRegisterActions();
        seams_.reset();
    }

    // The preview's texts and ticks: a line to add, one that clears a
    // transaction typed in earlier, one already imported.
    void previewRows()
    {
        Statement statement;
        statement.closingBalance = money(1201.5);
        statement.closingDate = QDate(2024, 1, 31);
        StatementLine check;
        check.date = QDate(2024, 1, 5);
        check.amount = money(-45);
        check.checkNumber = QStringLiteral("1001");
        check.name = QStringLiteral("Smith");
        StatementLine deposit = check;
        deposit.checkNumber.clear();
        deposit.bankType = QStringLiteral("DEP");
        deposit.amount = money(250);
        deposit.name = QStringLiteral("Employer");
        StatementLine fee = deposit;
        fee.bankType = QStringLiteral("FEE");
        fee.amount = money(-3.5);
        fee.name = QStringLiteral("Bank");
        statement.lines = {check, deposit, fee};

        std::vector<RegisterEntry> entries(2);
        entries[0].amount = money(1000);
        entries[0].cleared = true;
        entries[1].record = 2;
        entries[1].date = Jan5;
        entries[1].amount = money(-45);
        entries[1].payee = QStringLiteral("Smith");
        std::vector<LineMatch> matches(3);
        matches[0] = {LineMatch::Outcome::Matching, 2, Jan5, QStringLiteral("Smith"), false};
        matches[2].outcome = LineMatch::Outcome::AlreadyThere;

        const std::vector<PreviewRow> rows = PreviewRows(statement, matches, u"mm/dd/yy");
        QCOMPARE(rows.size(), size_t(3));
        QCOMPARE(QStringList({rows[0].date, rows[0].type, rows[0].number, rows[0].payee, rows[0].amount}),
                 QStringList({"01/05/24", "Check", "1001", "Smith", "-45.00"}));
        QCOMPARE(rows[0].outcome, QStringLiteral("clears the transaction of 01/05/24 Smith"));
        QCOMPARE(QStringList({rows[1].type, rows[1].outcome}), QStringList({"Deposit", "added"}));
        QCOMPARE(rows[2].outcome, QStringLiteral("already in the register"));
        QCOMPARE(StartingTicks(matches), std::vector<bool>({true, true, false}));
        QVERIFY(!rows[2].tickable);

        QCOMPARE(ClosingBalanceText(statement, u"mm/dd/yy"),
                 QStringLiteral("Statement's closing balance: 1,201.50 (on 01/31/24)"));
        // Cleared now 1,000.00; the check and the deposit come in, the fee
        // (already there) does not count twice.
        QCOMPARE(ClearedBalanceText(entries, statement, matches, {true, true, false}),
                 QStringLiteral("Register's cleared balance after the import: 1,205.00"));
        QCOMPARE(ClearedBalanceText(entries, statement, matches, {false, true, false}),
                 QStringLiteral("Register's cleared balance after the import: 1,250.00"));
    }

    // A QIF file whose dates fit two orders: asked, then previewed; the
    // unticked line stays out, the rest comes in with one Import.
    void importFromTheRegister()
    {
        WindowSeams& seams = *seams_;
        frmAccount* window = openRegister(household());
        QVERIFY(window);
        const QString path = writeStatement(QStringLiteral("jan.qif"),
                                            "!Type:Bank\nD01/05/2024\nT-45.00\nN1001\nPSmith\n^\n"
                                            "D01/06/2024\nT250.00\nPEmployer\n^\n"
                                            "D01/07/2024\nT-3.50\nPBank fee\n^\n");
        seams.prompts.expectFile(path)
            .expectMessage(QStringLiteral("Dates of the statement"),
                           QStringLiteral("The dates of this statement can be read\r\nin more than one way.\r\n\r\n"
                                          "In which order are they written?"),
                           {"&Month/Day/Year", "&Day/Month/Year", "&Cancel"}, 1)
            .expectMessage(QStringLiteral("Statement imported"),
                           QStringLiteral("1 added, 1 cleared, 0 already in the register."), {"&Okay"}, 1);
        QString counts;
        whenShown<frmImportStatement>([&counts](frmImportStatement& preview) {
            QCOMPARE(preview.model->rowCount(), 3);
            preview.model->setData(preview.model->index(2, ImportPreviewModel::Tick), Qt::Unchecked,
                                   Qt::CheckStateRole);
            counts = preview.lblCounts->text();
            preview.cmdImport_Click();
        });
        window->menuOtherOptions_Click(frmAccount::ImportStatementItem);
        QCOMPARE(counts, QStringLiteral("1 added, 1 cleared, 0 already in the register"));

        const std::vector<RegisterEntry> entries = ReadRegisterEntries(QString::fromLatin1(AccountKey));
        QCOMPARE(entries.size(), size_t(3));
        QVERIFY(entries[1].cleared);  // the check typed in earlier
        QCOMPARE(entries[2].amount, money(250));
        QCOMPARE(entries[2].date, Jan5 + 1);
        QVERIFY(entries[2].cleared);
        QCOMPARE(entries[2].bankIds.size(), 1);
        QCOMPARE(registerState().DisplayedCount, 3);  // the register shows them
    }

    // A CSV file whose columns cannot be told from its header: mapped once,
    // remembered for the account, not asked again; Cancel writes nothing.
    void csvColumnsRemembered()
    {
        WindowSeams& seams = *seams_;
        frmAccount* window = openRegister(household());
        QVERIFY(window);
        const QByteArray before = tallyo::test::readWholeFile(QStringLiteral("Account.dat"));
        const QString path = writeStatement(QStringLiteral("bank.csv"),
                                            "When;Who;How much\n2024-01-20;Grocer;-12,50\n");
        for (int round = 0; round < 2; ++round) {
            seams.prompts.expectFile(path);
            if (round == 0) {
                whenShown<frmCsvColumns>([](frmCsvColumns& columns) {
                    columns.cboField[0]->setCurrentIndex(1);  // Date: column 1
                    columns.cboField[1]->setCurrentIndex(2);  // Payee: column 2
                    columns.cboField[2]->setCurrentIndex(3);  // Amount: column 3
                    whenShown<frmImportStatement>([](frmImportStatement& preview) {
                        QCOMPARE(preview.model->data(preview.model->index(0, ImportPreviewModel::Amount),
                                                     Qt::DisplayRole),
                                 QVariant(QStringLiteral("-12.50")));
                        preview.cmdCancel_Click();
                    });
                    columns.cmdOkay_Click();
                });
            } else {
                whenShown<frmImportStatement>([](frmImportStatement& preview) { preview.cmdCancel_Click(); });
            }
            window->menuOtherOptions_Click(frmAccount::ImportStatementItem);
            QVERIFY(seams.prompts.verifyDone());
        }
        QCOMPARE(seams.settings.value(CsvColumnsSettingKey(QString::fromLatin1(AccountKey)), QString()),
                 (CsvColumns{0, 1, 2}.toText()));
        QCOMPARE(tallyo::test::readWholeFile(QStringLiteral("Account.dat")), before);
    }
};

TALLYO_TEST(ImportWindowTest)
#include "importwindow_test.moc"
