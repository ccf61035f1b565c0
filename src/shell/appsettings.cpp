#include "appsettings.h"

#include "platform/platform.h"
#include "util/dates.h"
#include "util/numbers.h"
#include "util/productinfo.h"

#include <array>
#include <cmath>
#include <limits>

namespace tallyo {

namespace {

struct SettingInfo {
    SettingKey key;
    const char16_t* name;
    const char16_t* defaultText;
};

// Every key of section "Defaults", in the order of SettingKey.
constexpr std::array<SettingInfo, 11> SettingTable{{
    {SettingKey::DateDisplay, u"DateDisplay", u"1"},
    {SettingKey::CurrencySymbol, u"CurrencySymbol", u"1"},
    {SettingKey::FlashingButtonStatus, u"FlashingButtonStatus", u"1"},
    {SettingKey::QuickStart, u"QuickStart", u"0"},
    {SettingKey::ConfirmQuit, u"ConfirmQuit", u"1"},
    {SettingKey::AmountEntryMethod, u"AmountEntryMethod", u"0"},
    {SettingKey::NewUser, u"New User", u""},
    {SettingKey::FormHeight, u"FormHeight", u""},
    {SettingKey::PasswordReminder, u"PasswordReminder", u"True"},
    {SettingKey::MakeNotesAdvice, u"MakeNotesAdvice", u"True"},
    {SettingKey::MakeNotesReminder, u"MakeNotesReminder", u"True"},
}};

const SettingInfo& InfoOf(SettingKey key)
{
    const SettingInfo& info = SettingTable[std::size_t(key)];
    Q_ASSERT(info.key == key);
    return info;
}

// A truth value of a text: nothing when the text is neither.
std::optional<bool> FlagOf(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> number = NumberValue(trimmed))
        return *number != 0;
    return std::nullopt;
}

}

QString SettingName(SettingKey key)
{
    return QString::fromUtf16(InfoOf(key).name);
}

QString SettingDefault(SettingKey key)
{
    return QString::fromUtf16(InfoOf(key).defaultText);
}

QString SettingText(SettingKey key)
{
    return settings().value(SettingName(key), SettingDefault(key));
}

void SetSettingText(SettingKey key, const QString& text)
{
    settings().setValue(SettingName(key), text);
}

std::optional<double> SettingNumber(SettingKey key)
{
    return NumberValue(SettingText(key));
}

std::optional<int> SettingChoice(SettingKey key)
{
    const std::optional<double> number = SettingNumber(key);
    if (!number || *number != std::trunc(*number) || *number < std::numeric_limits<int>::min()
        || *number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*number);
}

void SetSettingNumber(SettingKey key, int value)
{
    SetSettingText(key, QString::number(value));
}

bool SettingFlag(SettingKey key)
{
    if (const std::optional<bool> flag = FlagOf(SettingText(key)))
        return *flag;
    return FlagOf(SettingDefault(key)).value_or(false);
}

void SetSettingFlag(SettingKey key, bool value)
{
    SetSettingText(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

std::optional<CurrencyWords> CurrencyWordsFor(int currencySymbol)
{
    switch (currencySymbol) {
    case 1: return CurrencyWords{QStringLiteral("$"), QStringLiteral("Dollars"), QStringLiteral("Cents")};
    case 2: return CurrencyWords{QStringLiteral("\u00A3"), QStringLiteral("Pounds"), QStringLiteral("Pence")};
    default: return std::nullopt;
    }
}

DisplayValues& SharedDisplayValues()
{
    static DisplayValues values;
    return values;
}

void ResetDisplayValues()
{
    SharedDisplayValues() = DisplayValues{};
}

void ApplyDateDisplay(int dateDisplay)
{
    const QString format = DateFormatFor(dateDisplay);
    if (!format.isEmpty())
        SharedDisplayValues().DateFormat = format;
}

void ApplyCurrencySymbol(int currencySymbol)
{
    if (const std::optional<CurrencyWords> words = CurrencyWordsFor(currencySymbol)) {
        DisplayValues& values = SharedDisplayValues();
        values.CurrencySign = words->sign;
        values.CurrencyUnitName = words->unitName;
        values.CurrencySubunitName = words->subunitName;
    }
}

void LoadDisplayValues()
{
    DisplayValues& values = SharedDisplayValues();
    values.DataFileList = {QStringLiteral("Account.dex"), QStringLiteral("Account.dat"),
                           QStringLiteral("PayCom.lst")};
    values.ManualHint = u' ' + ApplicationTitle + QStringLiteral(" illustrated manual <F1> ");

    // A setting outside its table leaves its values empty, not as they were.
    values.DateFormat.clear();
    ApplyDateDisplay(SettingChoice(SettingKey::DateDisplay).value_or(0));
    values.CurrencySign.clear();
    values.CurrencyUnitName.clear();
    values.CurrencySubunitName.clear();
    ApplyCurrencySymbol(SettingChoice(SettingKey::CurrencySymbol).value_or(0));

    values.FlashButtons = SettingChoice(SettingKey::FlashingButtonStatus) == 1;
    values.QuickStartOn = SettingChoice(SettingKey::QuickStart) == 1;
}

}
