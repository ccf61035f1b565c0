#pragma once
// The register's search as the user meets it: the search menu behind the
// Search button, the prompts that ask for a month, a year, a check number,
// a text or an amount, the question whether to keep to one year, and the
// search view or the "No matches" message that follows. Also the
// register's side of find and replace. The matching itself is search.h.
#include <QString>

class QMenu;

namespace tallyo {

class frmAccount;

// Fills the register's search and find-and-replace hooks.
void InstallSearchActions();

// The search menu of a register window, items numbered as the search kinds.
QMenu* MakeSearchMenu(frmAccount& window);
// Pops the search menu up below the Search button. In the search view
// (after a void) the list is shown afresh first, so that it shows the
// voided transaction whatever the user chooses.
void ShowSearchMenu(frmAccount& window);
// The search menu's item `kind` chosen: asks what to look for and searches.
void menuSearch_Click(frmAccount& window, int kind);

// The prompts, titled "Search". Each gives back the empty text when the
// user gave up. The month and year prompts remember their last answers in
// searchMemory() and put them back when given up.
QString AskSearchMonth();
QString AskSearchYear();
QString AskCheckNumber();
// Kinds 15 (payee), 18 (comment) and 19 (notes), offering `defaultText`.
QString AskSearchText(int kind, const QString& defaultText);
// Kinds 16 (credit) and 17 (debit); `highlightedAmount` gives the default.
QString AskSearchAmount(int kind, qint64 highlightedAmount);
// Whether to keep to one year: the year, SearchAllYears, or the empty text
// to stop.
QString AskSearchScope();

// Narrows the displayed list to the matches and shows the search view, or
// says that nothing matches and leaves everything as it was.
void RunSearch(frmAccount& window, const QString& text, int kind, const QString& year);

// Find and replace over the displayed list: kind 1 the payees, 2 the
// comments. Leaves "!" in the tag of the other-options button when a pass
// ran.
void FindReplaceInRegister(frmAccount& window, int kind);

}
