// The register rendered at the largest amounts it shows: every amount of
// the grid and every total, balance and caption under it fits its cell or
// label, measured with the font each is drawn in, and nothing under the
// grid lies on top of anything else. The pictures are kept for looking at
// (in $TALLYO_RENDER_DIR, else the test's home folder).
#include "registerwindow.h"
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "register/RegisterModel.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "util/dates.h"

#include <QDir>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace tallyo;
using namespace registerdata;

namespace {

double day(int d)
{
    return StoredFromDate(QDate(2026, 3, d)) + 0.5;
}

constexpr double Ceiling = 999999999.99;

// Ten checks at the ceiling after a beginning balance of -0.09: the balance
// and the total of debits end at -9,999,999,999.99. A deposit at the
// ceiling instead fills the credit column and its total.
QList<handmade::Transaction> atTheCeiling(bool deposit)
{
    QList<handmade::Transaction> list{beginningBalance(deposit ? 0 : -0.09)};
    if (deposit) {
        list.append(transaction(day(2), "Deposit", Ceiling));
        list.append(transaction(day(3), "1001", -Ceiling));
        return list;
    }
    for (int i = 0; i < 10; ++i)
        list.append(transaction(day(2 + i), QByteArray::number(1001 + i), -Ceiling));
    return list;
}

QString renderFolder()
{
    const QString folder = qEnvironmentVariable("TALLYO_RENDER_DIR", QDir::homePath());
    QDir().mkpath(folder);
    return folder;
}

}

class RegisterWidthsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;

private slots:
    void init()
    {
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        navigation() = Navigation();
        navigation().showAccountIndex = [] {};
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        ResetDisplayValues();
        LoadDisplayValues();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        navigation() = Navigation();
        seams_.reset();
    }

    void largestAmountsShowWhole_data()
    {
        QTest::addColumn<bool>("deposit");
        QTest::addColumn<int>("key");  // 0: the normal view
        QTest::addColumn<QString>("balance");
        QTest::newRow("debits") << false << 0 << "-9,999,999,999.99";
        QTest::newRow("debits, reconciling") << false << int(Qt::Key_F2) << "-0.09";
        QTest::newRow("a credit") << true << 0 << "0.00";
    }

    void largestAmountsShowWhole()
    {
        QFETCH(bool, deposit);
        QFETCH(int, key);
        QFETCH(QString, balance);
        frmAccount* window = openRegister(atTheCeiling(deposit));
        QVERIFY(window);
        if (key)
            QTest::keyClick(window->grid, Qt::Key(key));
        settleEvents();
        QCOMPARE(window->lblCurrentBalance->text(), balance);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1String(", "), "-");
        QVERIFY(window->grab().save(QDir(renderFolder()).filePath("register-ceiling-" + name + ".png")));

        // Every amount in its cell, with the cell's own font and margins.
        const int margin = window->grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, window->grid) + 1;
        int amounts = 0;
        for (int row = 0; row < window->model->rowCount(); ++row) {
            for (const int column : {int(DebitColumn), int(CreditColumn), int(BalanceColumn)}) {
                const QModelIndex cell = window->model->index(row, column);
                const QVariant font = cell.data(Qt::FontRole);
                const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : window->grid->font());
                const QString text = cell.data().toString();
                if (text.isEmpty())
                    continue;
                ++amounts;
                QVERIFY2(metrics.horizontalAdvance(text) + 2 * margin <= window->grid->columnWidth(column),
                         qPrintable(QStringLiteral("'%1' is cut in column %2").arg(text).arg(column)));
            }
        }
        QVERIFY(amounts >= 3);
        // The widest texts fit too, whatever the list holds.
        QFont bold = window->grid->font();
        bold.setBold(true);
        for (const int column : {int(DebitColumn), int(CreditColumn), int(BalanceColumn)})
            QVERIFY(QFontMetrics(bold).horizontalAdvance(WidestAmountText(column)) + 2 * margin
                    <= window->grid->columnWidth(column));

        // Every caption and value under the grid whole, inside its frame,
        // none on another, nor under the Finished button.
        const QList<QLabel*> labels{window->lblCreditDebit[0], window->lblCreditDebit[1], window->lblTotalCredit,
                                    window->lblTotalDebit, window->lblBalance, window->lblCurrentBalance};
        QList<QRect> taken;
        for (QLabel* label : labels) {
            if (!label->isVisible())
                continue;
            const QString widest = label == window->lblCurrentBalance || label == window->lblTotalCredit
                                           || label == window->lblTotalDebit
                                       ? WidestTotalText()
                                       : label->text();
            for (const QString& text : {label->text(), widest})
                QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width(),
                         qPrintable(QStringLiteral("'%1' is cut in %2").arg(text, label->objectName())));
            QVERIFY(label->fontMetrics().height() <= label->contentsRect().height());
            QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
            const QRect onWindow(label->mapTo(window, QPoint(0, 0)), label->size());
            QVERIFY(window->rect().contains(onWindow));
            for (const QRect& other : taken)
                QVERIFY2(!other.intersects(onWindow), qPrintable(label->objectName() + " lies on another label"));
            taken.append(onWindow);
        }
        if (window->cmdFinished->isVisible()) {
            const QRect finished(window->cmdFinished->mapTo(window, QPoint(0, 0)), window->cmdFinished->size());
            QVERIFY(window->rect().contains(finished));
            for (const QRect& label : taken)
                QVERIFY(!label.intersects(finished));
            const QRect transactionButtons(window->frameTransactionOptions->geometry());
            QVERIFY(!transactionButtons.intersects(finished));
        }
    }
};

TALLYO_TEST(RegisterWidthsTest)
#include "registerwidths_test.moc"
