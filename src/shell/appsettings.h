#pragma once
// Every settings key the program reads or writes, with its default, typed
// access to them through the settings seam, and the display values that the
// windows share (date format, currency words, button and start-up flags).
//
// Values are stored as text: numbers as decimal text, truth values as "True"
// or "False". A missing key reads as its default.
#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

enum class SettingKey {
    DateDisplay,           // 1 "mm/dd/yy", 2 "dd/mm/yy", 3 "yy/dd/mm", 4 "yy/mm/dd"
    CurrencySymbol,        // 1 "$" Dollars/Cents, 2 "£" Pounds/Pence
    FlashingButtonStatus,  // 1: highlighted buttons pulse
    QuickStart,            // 1: the title window goes on by itself
    ConfirmQuit,           // 1: ask before the program closes
    AmountEntryMethod,     // 0 left to right, 1 right to left
    NewUser,               // "NoShow": no new-user overview
    FormHeight,            // last register window height, in twips
    PasswordReminder,      // "False" once dismissed for good
    MakeNotesAdvice,       // "False" once dismissed for good
    MakeNotesReminder,     // "False" once dismissed for good
};

// The key's name in the store ("DateDisplay", "New User" ...).
QString SettingName(SettingKey key);
// The text a missing key reads as. FormHeight has none: its reader supplies
// the window's current height.
QString SettingDefault(SettingKey key);

// The stored text, or the default.
QString SettingText(SettingKey key);
void SetSettingText(SettingKey key, const QString& text);

// The key's text read as a number; nothing when it does not read as one.
std::optional<double> SettingNumber(SettingKey key);
// The key's text as a whole number ("2", " 2 ", "2.0"); nothing for other
// texts ("2.5", "abc", ""), which match no value of any key's table.
std::optional<int> SettingChoice(SettingKey key);
void SetSettingNumber(SettingKey key, int value);

// A truth value: "True" (any letter case) or a non-zero number is true,
// "False" or 0 is false; any other text reads as the default.
bool SettingFlag(SettingKey key);
void SetSettingFlag(SettingKey key, bool value);

// The words of a currency choice.
struct CurrencyWords {
    QString sign;         // "$"
    QString unitName;     // "Dollars"
    QString subunitName;  // "Cents"
};
// 1 "$" "Dollars" "Cents", 2 "£" "Pounds" "Pence"; nothing for other values.
std::optional<CurrencyWords> CurrencyWordsFor(int currencySymbol);

// The display values shared by the windows, loaded at start-up and changed
// by the options window.
struct DisplayValues {
    QString DateFormat;           // "mm/dd/yy" ...; empty for a DateDisplay outside 1-4
    QString CurrencySign;         // "$" or "£"; empty for a CurrencySymbol outside 1-2
    QString CurrencyUnitName;     // "Dollars" or "Pounds"
    QString CurrencySubunitName;  // "Cents" or "Pence"
    bool FlashButtons = false;    // FlashingButtonStatus = 1
    bool QuickStartOn = false;    // QuickStart = 1
    QString ManualHint;           // " Tallyo illustrated manual <F1> "
    QStringList DataFileList;     // the files that backup and restore copy
};

// The one instance.
DisplayValues& SharedDisplayValues();
// Back to the empty state of a program that has not started; for tests.
void ResetDisplayValues();

// Fills the display values from the settings, as the program does when it
// starts. A date or currency setting outside its table leaves its values
// empty.
void LoadDisplayValues();
// Sets the date format, or leaves it as it is for a choice outside 1-4.
void ApplyDateDisplay(int dateDisplay);
// Sets the three currency values, or leaves them for a choice outside 1-2.
void ApplyCurrencySymbol(int currencySymbol);

}
