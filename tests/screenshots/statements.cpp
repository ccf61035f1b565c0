// The import window with a statement of three lines (one clearing a check
// typed in earlier, one to add, one unticked) and the CSV column dialog.
#include "shots.h"

#include "statements/ImportPreviewModel.h"
#include "statements/frmCsvColumns.h"
#include "statements/frmImportStatement.h"

#include <QTest>

namespace tallyo::shots {

namespace {

StatementLine Line(QDate date, double amount, const QString& name, const QString& bankType = {})
{
    StatementLine line;
    line.date = date;
    line.amount = qint64(amount * 10000);
    line.name = name;
    line.bankType = bankType;
    return line;
}

template <typename W>
int shoot(W& window, const QDir& out, const QString& name)
{
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return 0;
    QTest::qWait(50);
    return save(window, out, name);
}

}

int statementShots(const QDir& out)
{
    Statement statement;
    statement.accountId = QStringLiteral("000123456789");
    statement.closingBalance = 12015000;
    statement.closingDate = QDate(2026, 1, 31);
    StatementLine check = Line(QDate(2026, 1, 5), -45, QStringLiteral("Smith Lawn Care"));
    check.checkNumber = QStringLiteral("1001");
    statement.lines = {check, Line(QDate(2026, 1, 6), 250, QStringLiteral("Employer Payroll"), "DIRECTDEP"),
                       Line(QDate(2026, 1, 7), -3.5, QStringLiteral("Monthly service fee"), "SRVCHG")};
    RegisterEntry start;
    start.record = 1;
    start.amount = 10000000;
    start.cleared = true;
    RegisterEntry typed;
    typed.record = 2;
    typed.date = 46027;  // 2026-01-05
    typed.amount = -450000;
    typed.type = QStringLiteral("1001");
    typed.payee = QStringLiteral("Smith");
    frmImportStatement preview(QStringLiteral("/home/me/Downloads/january.ofx"), {statement},
                               QStringLiteral("20260101090000"), {start, typed});
    preview.model->setData(preview.model->index(2, ImportPreviewModel::Tick), Qt::Unchecked, Qt::CheckStateRole);
    int written = shoot(preview, out, QStringLiteral("import-preview"));

    frmCsvColumns columns({QStringLiteral("When"), QStringLiteral("Who"), QStringLiteral("How much"),
                           QStringLiteral("Note")},
                          CsvColumns{0, 1, 2});
    written += shoot(columns, out, QStringLiteral("import-csv-columns"));
    return written;
}

}
