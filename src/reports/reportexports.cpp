#include "reportexports.h"

#include "textsummary.h"

#include "platform/platform.h"
#include "platform/settings.h"
#include "register/assembly.h"
#include "register/registercontrols.h"
#include "register/registerexport.h"
#include "register/search.h"
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

std::optional<AccountReport> LoadAccountReport(const QString& nameOrKey, QString& problem,
                                               const std::optional<SearchRequest>& search)
{
    const std::optional<QString> key = FindAccountKey(nameOrKey, problem);
    if (!key)
        return std::nullopt;
    AccountReport report;
    report.rows = GatherAccountRows(AccountKeyBytes(*key));
    if (search) {
        // The register searches its normal view, which lists every
        // transaction of the account: the matches become the search view.
        const std::vector<qint32> records = report.rows.recordNumbers();
        const std::vector<bool> found = ScanMatchingRecords(records, SearchMatcher(*search));
        report.rows.retain([&](const RegisterRow& row) {
            return size_t(row.record) < found.size() && found[size_t(row.record)];
        });
    }
    const int view = search ? SearchView : NormalView;
    report.rows.setView(view);
    report.rows.order();
    const RowTotals totals = report.rows.addUp();
    report.captions.title =
        search ? ControlStatesFor(view, report.rows.size(), TransactionRecord(), QString(), search->text).title
               : QStringLiteral("Account of ") + AccountNameOf(*key);
    report.captions.view = view;
    report.captions.totalCredit = FormatAmount(totals.credit);
    report.captions.totalDebit = FormatAmount(totals.debit);
    // The search view shows no balance.
    if (!search)
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

int WriteSummaryExport(const QString& nameOrKey, QTextStream& out, QTextStream& err,
                       const std::optional<SearchRequest>& search)
{
    QString problem;
    const std::optional<AccountReport> report = LoadAccountReport(nameOrKey, problem, search);
    if (!report) {
        err << problem << "\n";
        return 1;
    }
    out << WithLineFeeds(
        SummaryText(report->rows, report->captions, QDateTime::currentDateTime(), StoredDateFormat()));
    return 0;
}

}
