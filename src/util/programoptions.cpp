#include "programoptions.h"

#include "shell/appsettings.h"

#include <algorithm>

namespace tallyo {

namespace {

// The stored choice when it is one of the group's values, else `fallback`.
int choiceWithin(SettingKey key, int first, int last, int fallback)
{
    const int value = SettingChoice(key).value_or(fallback);
    return value >= first && value <= last ? value : fallback;
}

bool ticked(SettingKey key)
{
    return SettingChoice(key) == 1;
}

}

ProgramOptions StoredProgramOptions()
{
    ProgramOptions options;
    options.dateDisplay = choiceWithin(SettingKey::DateDisplay, 1, 4, 1);
    options.currencySymbol = choiceWithin(SettingKey::CurrencySymbol, 1, 2, 1);
    options.amountEntryMethod = choiceWithin(SettingKey::AmountEntryMethod, 0, 1, 0);
    options.quickStart = ticked(SettingKey::QuickStart);
    options.confirmQuit = ticked(SettingKey::ConfirmQuit);
    options.flashingButton = ticked(SettingKey::FlashingButtonStatus);
    return options;
}

void SaveProgramOptions(const ProgramOptions& options)
{
    DisplayValues& values = SharedDisplayValues();
    SetSettingNumber(SettingKey::QuickStart, options.quickStart ? 1 : 0);
    values.QuickStartOn = options.quickStart;
    SetSettingNumber(SettingKey::ConfirmQuit, options.confirmQuit ? 1 : 0);
    SetSettingNumber(SettingKey::FlashingButtonStatus, options.flashingButton ? 1 : 0);
    values.FlashButtons = options.flashingButton;
    SetSettingNumber(SettingKey::AmountEntryMethod, options.amountEntryMethod);
    const int dateDisplay = std::max(options.dateDisplay, 1);
    const int currencySymbol = std::max(options.currencySymbol, 1);
    SetSettingNumber(SettingKey::DateDisplay, dateDisplay);
    SetSettingNumber(SettingKey::CurrencySymbol, currencySymbol);
    ApplyDateDisplay(dateDisplay);
    ApplyCurrencySymbol(currencySymbol);
}

}
