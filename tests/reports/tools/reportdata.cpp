// Writes a data folder for the report scripts: one account "Household"
// with a beginning balance of 1,000.00 and ROWS transactions, two a day
// from 2026-01-05 on, alternating checks and deposits; every third is
// cleared and every fourth carries a comment.
//   tallyo_reportdata FOLDER ROWS
#include "store/records.h"
#include "util/dates.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace tallyo;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: tallyo_reportdata FOLDER ROWS\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rows = QByteArray(argv[2]).toInt();
    const QString key = QStringLiteral("20240101120000");
    if (!QDir().mkpath(folder))
        return 1;

    AccountRecord account;
    account.AccountKey = key;
    account.AccountName = QStringLiteral("Household");

    QByteArray transactions;
    TransactionRecord start;
    start.AccountKey = key;
    start.TransactionDate = 1.0;
    start.TransactionType = QStringLiteral("Start");
    start.Cleared = true;
    start.Payee = QStringLiteral("Beginning Balance");
    start.Amount = 1000 * 10000;
    transactions += start.encode();
    const double first = StoredFromDate(QDate(2026, 1, 5)) + 0.5;
    for (int i = 1; i <= rows; ++i) {
        TransactionRecord t;
        t.AccountKey = key;
        t.TransactionDate = first + (i - 1) / 2;
        const bool check = i % 2 == 1;
        t.TransactionType = check ? QString::number(1000 + i) : QStringLiteral("Deposit");
        t.Payee = check ? QStringLiteral("Grocer") : QStringLiteral("Employer");
        t.Amount = check ? -125000LL * i : 400000LL * i;
        t.Cleared = i % 3 == 0;
        if (i % 4 == 0)
            t.Comment = QStringLiteral("Comment %1").arg(i);
        transactions += t.encode();
    }
    const bool written = writeFile(QDir(folder).filePath(QStringLiteral("Account.dex")), account.encode())
        && writeFile(QDir(folder).filePath(QStringLiteral("Account.dat")), transactions);
    return written ? 0 : 1;
}
