#include "datagen.h"

#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/records.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <random>

namespace tallyo {

namespace {

const QStringList accountNames{"Checking", "Savings", "Credit Card", "Household", "Travel", "Business"};
const QStringList payees{"Corner Grocery", "City Power & Light", "Landlord", "Gas Station", "Pharmacy",
                         "Book Shop", "Employer Inc.", "Insurance Co.", "Phone Company", "Café Lumière"};
const QStringList comments{"weekly shopping", "monthly bill", "rent", "fuel", "salary", "gift", "refund",
                           "repairs", ""};
const QList<QLatin1StringView> otherTypes{TypeDeposit, TypeAutoPayment, TypeAutoDeposit, TypeAtmCash,
                                          TypeServiceFee, TypeOtherCredit, TypeOtherDebit};

constexpr double firstDay = 43831.0;  // 2020-01-01
constexpr int daysSpanned = 1500;

// Writes records to a file through a large buffer.
class RecordWriter {
public:
    explicit RecordWriter(const QString& path) : file_(path)
    {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw FileError(path, QStringLiteral("create"), file_.errorString());
    }
    void add(const QByteArray& record)
    {
        buffer_ += record;
        if (buffer_.size() >= (1 << 20))
            flush();
    }
    void finish()
    {
        flush();
        file_.close();
    }

private:
    void flush()
    {
        if (file_.write(buffer_) != buffer_.size())
            throw FileError(file_.fileName(), QStringLiteral("write"), file_.errorString());
        buffer_.clear();
    }
    QFile file_;
    QByteArray buffer_;
};

class Dice {
public:
    explicit Dice(quint32 seed) : engine_(seed) {}
    // A whole number from lo to hi inclusive, the same on every platform.
    int between(int lo, int hi) { return lo + int(engine_() % quint32(hi - lo + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }

private:
    std::mt19937 engine_;
};

}

GeneratedData GenerateDataFolder(const QString& folder, int accounts, int transactions, quint32 seed,
                                 int firstAccountPercent)
{
    Dice dice(seed);
    const QDir dir(folder);
    GeneratedData data;

    RecordWriter index(dir.filePath(AccountIndexFileName));
    RecordWriter lists(dir.filePath(ListFileName));
    const QDateTime firstCreated(QDate(2020, 1, 1), QTime(9, 0, 0));
    for (int a = 0; a < accounts; ++a) {
        AccountRecord account;
        account.AccountKey = firstCreated.addSecs(qint64(a) * 86400 + a * 37).toString("yyyyMMddHHmmss");
        account.AccountName = accountNames[a % accountNames.size()]
            + (a >= accountNames.size() ? QStringLiteral(" %1").arg(a / accountNames.size() + 1) : QString());
        if (a % 5 == 4) {
            account.AccessQuery = QStringLiteral("Favourite colour?");
            account.AccessAnswer = QStringLiteral("blue");
        }
        account.AccountNotes = NewAccountNotes();
        if (a % 2 == 1)
            account.CheckLayout = {2, 60, 4, 55, 7, 10, 7, 62, 9, 5, 14, 8};
        index.add(account.encode());

        ListRecord list;
        list.AccountKey = account.AccountKey;
        list.PayeeList = payees.mid(a % 3, 6).join(QStringLiteral("\r\n"));
        list.CommentList = comments.mid(0, 5).join(QStringLiteral("\r\n"));
        lists.add(list.encode());

        data.accounts.append({account.AccountKey, account.AccountName, 0, 0});
    }
    index.finish();
    lists.finish();

    RecordWriter register_(dir.filePath(TransactionFileName));
    QList<int> nextCheck(accounts, 1001);
    // The account of the n-th transaction after the beginning balances.
    const auto accountOf = [&](qint64 n) {
        if (firstAccountPercent <= 0 || accounts < 2)
            return dice.between(0, accounts - 1);
        if ((n + 1) * firstAccountPercent / 100 != n * firstAccountPercent / 100)
            return 0;
        return dice.between(1, accounts - 1);
    };
    for (int i = 0; i < transactions && accounts > 0; ++i) {
        TransactionRecord t;
        const bool start = i < accounts;
        const int a = start ? i : accountOf(i - accounts);
        t.AccountKey = data.accounts[a].key;
        if (start) {
            t.TransactionDate = 1.0;
            t.TransactionType = TypeStart;
            t.Cleared = true;
            t.Payee = QStringLiteral("Beginning Balance");
            t.Amount = qint64(dice.between(0, 500000)) * 100;
            t.Notes = QStringLiteral("This is the beginning balance for this account. ");
        } else {
            t.TransactionDate = firstDay + double(qint64(i) * daysSpanned / transactions) + dice.between(0, 3);
            const int kind = dice.between(0, 99);
            if (kind < 40)
                t.TransactionType = QString::number(nextCheck[a]++);
            else if (kind < 42)
                t.TransactionType = TypeVoid;
            else
                t.TransactionType = otherTypes[kind % otherTypes.size()];
            t.Cleared = t.TransactionType == TypeVoid || dice.chance(70);
            t.Payee = payees[dice.between(0, payees.size() - 1)];
            t.Comment = comments[dice.between(0, comments.size() - 1)];
            const qint64 typed = qint64(dice.between(1, 250000)) * 100;
            t.Amount = t.TransactionType == TypeVoid ? 0 : SignedAmount(t.TransactionType, typed);
            if (dice.chance(10))
                t.Notes = QStringLiteral("Made-up note for transaction %1.\r\nSecond line.").arg(i + 1);
        }
        register_.add(t.encode());
        ++data.accounts[a].transactions;
        data.accounts[a].balance += t.Amount;
        ++data.transactions;
    }
    register_.finish();
    return data;
}

}
