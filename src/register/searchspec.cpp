#include "searchspec.h"

#include <array>

namespace tallyo {

namespace {

struct SpecKind {
    const char* name;
    int kind;  // 0: a type, named by its menu item
};

constexpr std::array<SpecKind, 10> SpecKinds{{
    {"month", SearchMonth},
    {"month-year", SearchMonthYear},
    {"year", SearchYear},
    {"check", SearchCheck},
    {"type", 0},
    {"payee", SearchPayee},
    {"credit", SearchCredit},
    {"debit", SearchDebit},
    {"comment", SearchComment},
    {"notes", SearchNotes},
}};

// The type search whose menu item reads `caption`; 0 when none does.
int TypeKindNamed(const QString& caption)
{
    const QStringList items = SearchMenuItems();
    for (int kind = SearchDeposit; kind <= SearchVoided; ++kind) {
        if (items[kind - 1].compare(caption, Qt::CaseInsensitive) == 0)
            return kind;
    }
    return 0;
}

QString TypeNames()
{
    const QStringList items = SearchMenuItems();
    return items.mid(SearchDeposit - 1, SearchVoided - SearchDeposit + 1).join(QStringLiteral(", "));
}

std::optional<SearchRequest> Refuse(QString& problem, const QString& reason)
{
    problem = reason;
    return std::nullopt;
}

}

QStringList SearchSpecKinds()
{
    QStringList names;
    for (const SpecKind& kind : SpecKinds)
        names.append(QString::fromLatin1(kind.name));
    return names;
}

std::optional<SearchRequest> ParseSearchSpec(const QString& spec, const QString& year, QString& problem)
{
    const qsizetype equals = spec.indexOf(u'=');
    if (equals < 0)
        return Refuse(problem, QStringLiteral("--search needs KIND=TEXT, KIND one of: %1")
                                   .arg(SearchSpecKinds().join(QStringLiteral(", "))));
    const QString name = spec.left(equals).trimmed().toLower();
    const QString text = spec.mid(equals + 1);
    const SpecKind* found = nullptr;
    for (const SpecKind& kind : SpecKinds) {
        if (name == QLatin1StringView(kind.name))
            found = &kind;
    }
    if (!found)
        return Refuse(problem, QStringLiteral("unknown search kind \"%1\", use one of: %2")
                                   .arg(name, SearchSpecKinds().join(QStringLiteral(", "))));

    SearchRequest request;
    request.kind = found->kind;
    switch (found->kind) {
    case SearchMonth: {
        const std::optional<QString> month = MonthAnswer(text);
        if (!month)
            return Refuse(problem, QStringLiteral("a month search needs a month from 1 to 12, not \"%1\"").arg(text));
        request.text = *month;
        break;
    }
    case SearchMonthYear: {
        const qsizetype slash = text.indexOf(u'/');
        const std::optional<QString> month = slash < 0 ? std::nullopt : MonthAnswer(text.left(slash));
        const std::optional<QString> inYear = slash < 0 ? std::nullopt : YearAnswer(text.mid(slash + 1));
        if (!month || !inYear)
            return Refuse(problem, QStringLiteral("a month-year search needs MM/YYYY, a month from 1 to 12 and "
                                                  "a year from 1900 to 2999, not \"%1\"")
                                       .arg(text));
        request.text = *month + u'/' + *inYear;
        break;
    }
    case SearchYear: {
        const std::optional<QString> answer = YearAnswer(text);
        if (!answer)
            return Refuse(problem, QStringLiteral("a year search needs a year from 1900 to 2999, not \"%1\"").arg(text));
        request.text = *answer;
        break;
    }
    case SearchCheck:
        if (!CheckNumberAccepted(text))
            return Refuse(problem, QStringLiteral("a check search needs a check number above 0, not \"%1\"").arg(text));
        request.text = text;
        break;
    case SearchCredit:
    case SearchDebit:
        if (!AmountAccepted(text))
            return Refuse(problem, QStringLiteral("an amount search needs a number such as 1,234.56, not \"%1\"")
                                       .arg(text));
        request.text = text.trimmed();
        break;
    case 0:
        request.kind = TypeKindNamed(text.trimmed());
        if (request.kind == 0)
            return Refuse(problem,
                          QStringLiteral("unknown type \"%1\", use one of: %2").arg(text, TypeNames()));
        request.text = QString(*SearchTypeCode(request.kind));
        break;
    default:
        request.text = text.trimmed();
        if (request.text.isEmpty())
            return Refuse(problem, QStringLiteral("a %1 search needs a text to look for").arg(name));
        break;
    }

    if (!year.isEmpty()) {
        if (!TakesYearScope(request.kind))
            return Refuse(problem, QStringLiteral("--year does not go with a %1 search").arg(name));
        const std::optional<QString> limit = YearAnswer(year);
        if (!limit)
            return Refuse(problem, QStringLiteral("--year needs a year from 1900 to 2999, not \"%1\"").arg(year));
        request.year = *limit;
    }
    return request;
}

}
