#include "checkcommands.h"

#include "amountwords.h"

#include "entry/amountentry.h"
#include "index/accountmaintenance.h"
#include "platform/platform.h"
#include "platform/settings.h"
#include "register/registerexport.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/recordscan.h"
#include "util/csv.h"
#include "util/numbers.h"

namespace tallyo {

struct UserSettingsInUse::Store {
    StoredSettings settings;
};

UserSettingsInUse::UserSettingsInUse()
{
    if (!platform().settings) {
        store_ = std::make_unique<Store>();
        platform().settings = &store_->settings;
    }
    LoadDisplayValues();
}

UserSettingsInUse::~UserSettingsInUse()
{
    if (store_)
        platform().settings = nullptr;
}

int RunWords(const CommandLine& command, QTextStream& out, QTextStream& err)
{
    const std::optional<qint64> amount = AmountBoxValue(command.amount);
    if (!amount) {
        err << "tallyo: \"" << command.amount << "\" is not an amount\n";
        return 2;
    }
    std::optional<CurrencyWords> currency;
    if (command.currency == u"dollar") {
        currency = CurrencyWordsFor(1);
    } else if (command.currency == u"pound") {
        currency = CurrencyWordsFor(2);
    } else {
        const UserSettingsInUse settings;
        currency = CurrencyWordsFor(SettingChoice(SettingKey::CurrencySymbol).value_or(1));
        if (!currency)
            currency = CurrencyWordsFor(1);
    }
    out << AmountInWords(*amount, *currency) << "\n";
    return 0;
}

std::optional<FoundAccount> FindAccount(const QString& nameOrKey, QString& problem)
{
    const std::optional<QString> key = FindAccountKey(nameOrKey, problem);
    if (!key)
        return std::nullopt;
    const QByteArray keyBytes = AccountKeyBytes(*key);
    std::optional<FoundAccount> found;
    ScanRecords(QString::fromLatin1(AccountIndexFileName), AccountRecord::Length,
                [&](const char* bytes, qint32 number) {
                    if (!found && QByteArrayView(bytes, AccountKeyLength) == keyBytes)
                        found = FoundAccount{AccountRecord::decode(bytes), number};
                });
    if (!found)
        problem = QStringLiteral("No account is keyed \"%1\".").arg(*key);
    return found;
}

std::optional<TransactionRecord> FindCheckTransaction(const FoundAccount& found, const QString& recordText,
                                                      QString& problem)
{
    bool ok = false;
    const qint32 record = recordText.trimmed().toInt(&ok);
    // Read only: a missing file is not created.
    const QString fileName = QString::fromLatin1(TransactionFileName);
    qint32 count = 0;
    std::optional<TransactionRecord> transaction;
    if (FileExists(fileName)) {
        const PosixFile file(fileName, PosixFile::Mode::Read);
        count = RecordCount(file.size(), TransactionRecord::Length);
        if (ok && record >= 1 && record <= count) {
            QByteArray bytes(TransactionRecord::Length, '\0');
            file.readAt(bytes.data(), bytes.size(), qint64(record - 1) * TransactionRecord::Length);
            transaction = TransactionRecord::decode(bytes.constData());
        }
    }
    if (!transaction) {
        problem = QStringLiteral("Account.dat has no record %1 (it has %2).").arg(recordText).arg(count);
        return std::nullopt;
    }
    if (transaction->AccountKey != found.account.AccountKey) {
        problem = QStringLiteral("Record %1 belongs to another account.").arg(record);
        return std::nullopt;
    }
    if (LeadingNumber(transaction->TransactionType) <= 0) {
        problem = QStringLiteral("Record %1 is not a check.").arg(record);
        return std::nullopt;
    }
    return transaction;
}

int WriteLayoutCsv(const QString& nameOrKey, QTextStream& out, QTextStream& err)
{
    QString problem;
    const std::optional<FoundAccount> found = FindAccount(nameOrKey, problem);
    if (!found) {
        err << problem << "\n";
        return 1;
    }
    const QStringList fields{QStringLiteral("Check number"), QStringLiteral("Date"),
                             QStringLiteral("Payee"),        QStringLiteral("Amount in figures"),
                             QStringLiteral("Amount in words"), QStringLiteral("Comment")};
    out << CsvRecord({QStringLiteral("Field"), QStringLiteral("Row"), QStringLiteral("Column")});
    const CheckLayout& layout = found->account.CheckLayout;
    for (int field = 0; field < int(fields.size()); ++field) {
        out << CsvRecord({fields[field], QString::number(LayoutRow(layout, CheckField(field))),
                          QString::number(LayoutColumn(layout, CheckField(field)))});
    }
    return 0;
}

}
