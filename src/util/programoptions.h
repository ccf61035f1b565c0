#pragma once
// The six user settings of the options window, read from and written to the
// settings store; saving also updates the display values the windows share,
// so a change shows without a restart.
namespace tallyo {

struct ProgramOptions {
    int dateDisplay = 1;        // 1 "mm/dd/yy", 2 "dd/mm/yy", 3 "yy/dd/mm", 4 "yy/mm/dd"
    int currencySymbol = 1;     // 1 "$", 2 "£"
    int amountEntryMethod = 0;  // 0 left to right, 1 right to left
    bool quickStart = false;
    bool confirmQuit = true;
    bool flashingButton = true;
};

// The stored settings, each missing key at its default. A stored choice
// outside its group reads as what leaving the window would store for it
// (the first date and currency option, left-to-right entry); a check box is
// ticked only by a stored 1.
ProgramOptions StoredProgramOptions();

// Stores all six keys as decimal text and sets the date format, the three
// currency values, QuickStartOn and FlashButtons to match. A date or
// currency choice below 1 is stored as 1.
void SaveProgramOptions(const ProgramOptions& options);

}
