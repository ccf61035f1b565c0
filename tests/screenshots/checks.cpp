// The check window with and without a comment, the question for an account
// without a layout, the setup window empty and filled with its two
// refusals, and a printed check rendered from its PDF.
#include "shots.h"

#include "testenv.h"

#include "checks/checkmessages.h"
#include "checks/checkprint.h"
#include "checks/frmPrintCheck.h"
#include "checks/frmPrintCheckSetup.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/PrinterSurface.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "util/dates.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace tallyo::shots {

namespace {

const CheckLayout Layout{2, 60, 4, 50, 6, 10, 6, 62, 8, 5, 10, 8};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

TransactionRecord checkTransaction(const QString& comment)
{
    TransactionRecord t;
    t.TransactionDate = StoredFromDate(QDate(2026, 3, 14));
    t.TransactionType = QStringLiteral("1042        ");
    t.Payee = QStringLiteral("Harbour Electric Co.").leftJustified(TransactionRecord::PayeeWidth);
    t.Amount = -12345600;
    t.Comment = comment.leftJustified(TransactionRecord::CommentWidth);
    return t;
}

int shootCheckWindow(const QDir& out, const QString& name, const QString& comment)
{
    frmPrintCheck window(checkTransaction(comment));
    window.show();
    if (!QTest::qWaitForWindowActive(&window) || !QTest::qWaitFor([&] { return !window.texts().words.isEmpty(); }))
        return 0;
    settle();
    return save(window, out, name);
}

int shootSetup(const QDir& out, const QString& name, const QStringList& typed)
{
    AccountRecord account;
    frmPrintCheckSetup window(account, 1, nullptr);
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return 0;
    for (int i = 0; i < typed.size(); ++i)
        window.txtRowCol(i + 1)->setText(typed[i]);
    if (!typed.isEmpty())
        window.txtRowCol(9)->setFocus();
    settle();
    return save(window, out, name);
}

// The check printed into a PDF, rendered as a picture of its page.
int shootPrintedCheck(const QDir& out)
{
    const QString pdf = out.filePath(QStringLiteral("check-printed.pdf"));
    {
        PrinterSurface surface;
        surface.setOutputFile(pdf);
        surface.setOrigin(PageOrigin::PrintableArea);
        PrintCheck(surface, CheckTextsFor(checkTransaction(QStringLiteral("Account 55-0192, February")),
                                          QStringLiteral("Household Checking")),
                   Layout, {true, true});
    }
    const int status = QProcess::execute(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-singlefile"), pdf,
         out.filePath(QStringLiteral("check-printed"))});
    return status == 0 ? 1 : 0;
}

}

int checkShots(const QDir& target)
{
    const QDir out(target.absolutePath());
    test::TempDataFolder folder;
    StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
    EventPace pace(0);
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(10, 30, 0)));
    const Platform previous = platform();
    platform().settings = &settings;
    platform().pace = &pace;
    platform().clock = &clock;
    LoadDisplayValues();
    currentAccount().CurrentAccountRecord = AppendAccount(QStringLiteral("Household Checking"), QString());
    AccountRecord account = ReadAccountAt(currentAccount().CurrentAccountRecord);
    account.CheckLayout = Layout;
    StoreAccountRecord(currentAccount().CurrentAccountRecord, account);

    int written = 0;
    written += shootCheckWindow(out, QStringLiteral("check-window"), QString());
    written += shootCheckWindow(out, QStringLiteral("check-window-comment"),
                                QStringLiteral("Account 55-0192, February"));
    written += messageShot(out, QStringLiteral("check-print-settings"), PrintSettingsQuestion());
    written += shootSetup(out, QStringLiteral("check-setup-empty"), {});
    written += shootSetup(out, QStringLiteral("check-setup-filled"),
                          {"2", "60", "4", "50", "6", "10", "6", "62", "8", "5", "10", "8"});
    written += messageShot(out, QStringLiteral("check-setup-invalid-value"), LayoutRefusal(LayoutProblem::AboveLimit));
    written += messageShot(out, QStringLiteral("check-setup-order"), LayoutRefusal(LayoutProblem::Order));
    written += shootPrintedCheck(out);

    ResetCurrentAccount();
    platform() = previous;
    return written;
}

}
