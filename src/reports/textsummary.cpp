#include "textsummary.h"

#include "util/arithmetic.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/numbers.h"

#include <QUrl>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

// An amount to the cent, as the grid's cell shows it.
qint64 ShownValue(qint64 amount)
{
    const qint64 size = AbsoluteAmount(amount);
    return ParseAmount(FormatAmount(size)).value_or(size);
}

qint64 AmountOfCaption(const QString& caption)
{
    return ParseAmount(caption.trimmed()).value_or(0);
}

QString Average(qint64 total, qint32 rows)
{
    if (rows <= 0)
        return FormatAmount(0);
    return FormatAmountValue(double(total) / double(AmountScale) / rows);
}

QString TotalLine(qint32 count, const QString& label, qint64 total, qint32 rows)
{
    return FormatCount(count) + label + u'(' + FormatAmount(total) + QStringLiteral(" / average ")
        + Average(total, rows) + u')' + crlf;
}

QString CategoryLine(qint32 count, const QString& label, qint64 sum)
{
    return FormatCount(count) + label + u'(' + FormatAmount(sum) + u')' + crlf;
}

}

SummaryCounts CountSummaryRows(const RegisterRows& rows)
{
    SummaryCounts c;
    for (qint32 i = 0; i < rows.size(); ++i) {
        const RegisterRow& row = rows[i];
        if (row.isStart())
            continue;
        const QString type = rows.type(i);
        const qint64 value = ShownValue(row.amount);
        if (NumberValue(type).value_or(0) > 0) {
            AddTo(c.checks, 1);
            AddTo(c.checksSum, value);
            continue;
        }
        struct Category {
            QStringView type;
            qint32* count;
            qint64* sum;
            qint32* side;
        };
        const Category categories[] = {
            {u"Deposit     ", &c.deposits, &c.depositsSum, &c.creditTransactions},
            {u"AutoPayment ", &c.autoPayments, &c.autoPaymentsSum, &c.debitTransactions},
            {u"AutoDeposit ", &c.autoDeposits, &c.autoDepositsSum, &c.creditTransactions},
            {u"ATM Cash    ", &c.atmCash, &c.atmCashSum, &c.debitTransactions},
            {u"Service Fee ", &c.serviceFees, &c.serviceFeesSum, &c.debitTransactions},
            {u"Other Credit", &c.otherCredits, &c.otherCreditsSum, &c.creditTransactions},
            {u"Other Debit ", &c.otherDebits, &c.otherDebitsSum, &c.debitTransactions},
            {u"VOID        ", &c.voids, nullptr, nullptr},
        };
        for (const Category& category : categories) {
            if (type != category.type)
                continue;
            AddTo(*category.count, 1);
            if (category.sum)
                AddTo(*category.sum, value);
            if (category.side)
                AddTo(*category.side, 1);
            break;
        }
    }
    return c;
}

QString SummaryText(const RegisterRows& rows, const ListSummary& captions, const QDateTime& now,
                    QStringView dateFormat)
{
    const qint32 n = rows.size();
    QString text = QStringLiteral("Date - ") + FormatShortDate(now, dateFormat) + crlf + crlf;
    text += QStringLiteral("Summary-") + crlf + captions.title + crlf + crlf;
    text += QStringLiteral("Total number of transactions in this summary ") + QString::number(n) + crlf;
    if (captions.view == NormalView)
        text += QStringLiteral("Current account balance as of this summary ") + captions.balance + crlf;
    else if (captions.view == ReconcileView)
        text += QStringLiteral("Adjusted account balance as of this summary ") + captions.balance + crlf;

    const SummaryCounts c = CountSummaryRows(rows);
    text += crlf;
    text += TotalLine(c.creditTransactions, QStringLiteral(" Total credit transactions "),
                      AmountOfCaption(captions.totalCredit), n);
    text += TotalLine(c.debitTransactions, QStringLiteral(" Total debit transactions "),
                      AmountOfCaption(captions.totalDebit), n);
    text += crlf + crlf;
    text += CategoryLine(c.checks, QStringLiteral(" Regular or Electronic checks "), c.checksSum);
    text += CategoryLine(c.deposits, QStringLiteral(" Regular Deposits "), c.depositsSum);
    text += CategoryLine(c.autoPayments, QStringLiteral(" Automatic Payments "), c.autoPaymentsSum);
    text += CategoryLine(c.autoDeposits, QStringLiteral(" Automatic Deposits "), c.autoDepositsSum);
    text += CategoryLine(c.atmCash, QStringLiteral(" Cash from ATM "), c.atmCashSum);
    text += CategoryLine(c.serviceFees, QStringLiteral(" Service Fees "), c.serviceFeesSum);
    text += CategoryLine(c.otherCredits, QStringLiteral(" Other Credits "), c.otherCreditsSum);
    text += CategoryLine(c.otherDebits, QStringLiteral(" Other Debits "), c.otherDebitsSum);
    text += FormatCount(c.voids) + QStringLiteral(" Voids ");
    return text;
}

QString SummaryMailRequest(const QString& text)
{
    const qsizetype from = text.indexOf(QStringLiteral("Summary"));
    const QString body = from < 0 ? text : text.mid(from);
    return QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(SummaryMailSubject))
        + QStringLiteral("&body=") + QString::fromLatin1(QUrl::toPercentEncoding(body));
}

}
