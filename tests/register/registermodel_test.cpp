// The register's table model: what each cell shows and how it is coloured,
// the headers, and how it follows a new assembly and a cleared mark.
#include "registerdata.h"
#include "testrunner.h"

#include "register/RegisterModel.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QSignalSpy>
#include <QTest>

using namespace tallyo;
using namespace registerdata;

namespace {

// Rows made straight from record bytes, as the assembly makes them.
RegisterRows rowsOf(const QList<handmade::Transaction>& transactions, int view)
{
    RegisterRows rows;
    qint32 number = 0;
    for (const handmade::Transaction& t : transactions)
        rows.append(handmade::transaction(t).constData(), ++number);
    rows.setView(view);
    rows.order();
    rows.addUp();
    return rows;
}

QColor colour(quint32 rgb)
{
    return QColor(QRgb(rgb));
}

}

class RegisterModelTest : public QObject {
    Q_OBJECT

    RegisterState state_;

private slots:
    void init()
    {
        state_ = RegisterState();
        ResetDisplayValues();
    }

    void typeCellsColouredByType_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<double>("amount");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<bool>("bold");
        QTest::newRow("deposit") << QByteArray("Deposit") << 5.0 << 0x0000C0u << false;
        QTest::newRow("automatic deposit") << QByteArray("AutoDeposit") << 5.0 << 0x0000C0u << false;
        QTest::newRow("other credit") << QByteArray("Other Credit") << 5.0 << 0x0000C0u << false;
        QTest::newRow("void") << QByteArray("VOID") << 0.0 << 0x008080u << true;
        QTest::newRow("check") << QByteArray("1001") << -5.0 << 0xC00000u << false;
        QTest::newRow("beginning balance") << QByteArray("Start") << 5.0 << 0xC00000u << false;
        QTest::newRow("ATM cash") << QByteArray("ATM Cash") << -5.0 << 0xC00000u << false;
        QTest::newRow("lower-case deposit is no deposit") << QByteArray("deposit") << 5.0 << 0xC00000u << false;
    }

    void typeCellsColouredByType()
    {
        QFETCH(QByteArray, type);
        QFETCH(double, amount);
        QFETCH(quint32, colour);
        QFETCH(bool, bold);
        state_.Rows = rowsOf({transaction(45000, type, amount)}, NormalView);
        RegisterModel model(&state_);
        const QModelIndex cell = model.index(0, TypeColumn);
        QCOMPARE(cell.data().toString(), QString::fromLatin1(type).leftJustified(12));
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), ::colour(colour));
        QCOMPARE(cell.data(RegisterModel::BoldRole).toBool(), bold);
        QCOMPARE(cell.data(Qt::FontRole).value<QFont>().bold(), bold);
    }

    void balanceColourFollowsTheShownSign_data()
    {
        QTest::addColumn<double>("balance");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("-1,234.56") << -1234.56 << 0x800000u;
        QTest::newRow("1,234.56") << 1234.56 << 0x000080u;
        QTest::newRow("zero") << 0.0 << 0x000080u;
        QTest::newRow("-0.004 shows as 0.00") << -0.004 << 0x000080u;
        QTest::newRow("-0.005 shows as -0.01") << -0.005 << 0x800000u;
    }

    void balanceColourFollowsTheShownSign()
    {
        QFETCH(double, balance);
        QFETCH(quint32, colour);
        state_.Rows = rowsOf({transaction(45000, "Other Debit", balance)}, NormalView);
        RegisterModel model(&state_);
        QCOMPARE(model.index(0, BalanceColumn).data(Qt::ForegroundRole).value<QColor>(), ::colour(colour));
    }

    void everySecondRowTintedByView_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<quint32>("tint");
        QTest::addColumn<quint32>("header");
        QTest::newRow("normal") << int(NormalView) << 0xE7E7FFu << 0x0000C0u;
        QTest::newRow("reconcile") << int(ReconcileView) << 0xE0F0E0u << 0x008000u;
        QTest::newRow("search") << int(SearchView) << 0xFFF0FFu << 0x800080u;
    }

    void everySecondRowTintedByView()
    {
        QFETCH(int, view);
        QFETCH(quint32, tint);
        QFETCH(quint32, header);
        state_.Rows = rowsOf({transaction(45000, "Deposit", 1), transaction(45001, "Deposit", 2),
                              transaction(45002, "Deposit", 3)},
                             view);
        RegisterModel model(&state_);
        const QColor white = colour(0xFFFFFF);
        QCOMPARE(model.index(0, DateColumn).data(Qt::BackgroundRole).value<QColor>(), white);
        QCOMPARE(model.index(1, DateColumn).data(Qt::BackgroundRole).value<QColor>(), colour(tint));
        QCOMPARE(model.index(1, BalanceColumn).data(Qt::BackgroundRole).value<QColor>(), colour(tint));
        QCOMPARE(model.index(1, RecordColumn).data(Qt::BackgroundRole).value<QColor>(), white);
        QCOMPARE(model.index(2, PayeeColumn).data(Qt::BackgroundRole).value<QColor>(), white);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), colour(header));
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(), colour(0xFFFF00));
    }

    void rowTextsAndHeaders()
    {
        handmade::Transaction check = transaction(45000, "1001", -45, true, "  Corner Grocery ");
        check.comment = " weekly ";
        state_.Rows = rowsOf({beginningBalance(100), check}, NormalView);
        RegisterModel model(&state_);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 9);
        QStringList texts;
        for (int c = 0; c < model.columnCount(); ++c)
            texts.append(model.index(1, c).data().toString());
        QCOMPARE(texts, (QStringList{"03/15/23", "*", "1001        ", "Corner Grocery", "-45.00", "", "55.00",
                                     "2", "weekly"}));
        QCOMPARE(model.index(0, DateColumn).data().toString(), QStringLiteral(" - "));

        QStringList headers;
        for (int c = 0; c < model.columnCount(); ++c)
            headers.append(model.headerData(c, Qt::Horizontal).toString());
        QCOMPARE(headers, (QStringList{"Date", "*", "Type", "Payee/Creditor", "Debit", "Credit", "Balance", "Rec#", ""}));
        const auto alignment = [&](int c) {
            return model.index(1, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(DateColumn), Qt::AlignHCenter);
        QCOMPARE(alignment(PayeeColumn), Qt::AlignLeft);
        QCOMPARE(alignment(DebitColumn), Qt::AlignRight);
        QCOMPARE(alignment(RecordColumn), Qt::AlignLeft);
    }

    void followsReassemblyAndClearedMarks()
    {
        state_.Rows = rowsOf({beginningBalance(100)}, NormalView);
        RegisterModel model(&state_);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        AssemblyHooks hooks;
        model.connectHooks(hooks);
        hooks.rowsAboutToChange();
        state_.Rows = rowsOf({beginningBalance(100), transaction(45000, "1001", -1)}, NormalView);
        hooks.rowsChanged();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.rowCount(), 2);

        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        model.setRowCleared(2, true);
        QCOMPARE(model.index(1, ClearedColumn).data().toString(), QStringLiteral("*"));
        QCOMPARE(changes.count(), 1);
        model.setRowCleared(2, false);
        QCOMPARE(model.index(1, ClearedColumn).data().toString(), QString());
        model.setRowCleared(3, true);  // no such row: nothing happens
        QCOMPARE(changes.count(), 2);
    }
};

TALLYO_TEST(RegisterModelTest)
#include "registermodel_test.moc"
