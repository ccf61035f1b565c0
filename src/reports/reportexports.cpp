#include "reportexports.h"

#include "textsummary.h"

#include "platform/platform.h"
#include "platform/settings.h"
#include "register/assembly.h"
#include "register/registerexport.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "store/recordscan.h"
#include "util/dates.h"
#include "util/formats.h"

namespace tallyo {

namespace {

QString AccountNameOf(const QString& key)
{
    QString name;
    ScanRecords(QString::fromLatin1(AccountIndexFileName), AccountRecord::Length, [&](const char* bytes, qint32) {
        const AccountRecord account = AccountRecord::decode(bytes);
        if (name.isNull() && account.AccountKey == key)
            name = TrimSpaces(account.AccountName);
    });
    return name;
}

}

std::optional<AccountReport> LoadAccountReport(const QString& nameOrKey, QString& problem)
{
    const std::optional<QString> key = FindAccountKey(nameOrKey, problem);
    if (!key)
        return std::nullopt;
    AccountReport report;
    report.rows = GatherAccountRows(AccountKeyBytes(*key));
    report.rows.setView(NormalView);
    report.rows.order();
    const RowTotals totals = report.rows.addUp();
    report.captions.title = QStringLiteral("Account of ") + AccountNameOf(*key);
    report.captions.view = NormalView;
    report.captions.totalCredit = FormatAmount(totals.credit);
    report.captions.totalDebit = FormatAmount(totals.debit);
    report.captions.balance = FormatAmount(totals.balance);
    return report;
}

QString StoredDateFormat()
{
    // The command line runs without the program's seams: read the user's
    // own store for the moment.
    Platform& seams = platform();
    Settings* const previous = seams.settings;
    std::optional<StoredSettings> own;
    if (!previous)
        seams.settings = &own.emplace();
    const QString format = DateFormatFor(SettingChoice(SettingKey::DateDisplay).value_or(0));
    seams.settings = previous;
    return format;
}

QString WithLineFeeds(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!lines.endsWith(u'\n'))
        lines += u'\n';
    return lines;
}

int WriteSummaryExport(const QString& nameOrKey, QTextStream& out, QTextStream& err)
{
    QString problem;
    const std::optional<AccountReport> report = LoadAccountReport(nameOrKey, problem);
    if (!report) {
        err << problem << "\n";
        return 1;
    }
    out << WithLineFeeds(
        SummaryText(report->rows, report->captions, QDateTime::currentDateTime(), StoredDateFormat()));
    return 0;
}

}
