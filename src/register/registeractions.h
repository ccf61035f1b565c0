#pragma once
// The ways out of the register window into the pieces that act on its list
// or its highlighted transaction: the entry window, the operations on one
// transaction, search, find and replace, the list editor and the reports.
// Each piece fills in its entry when the program starts; while an entry is
// empty its button or menu item stays disabled.
#include <QString>
#include <functional>

namespace tallyo {

class frmAccount;

// What the text summary is given besides the window and its grid.
struct ListSummary {
    QString title;        // the title line
    int view = 0;         // RegisterView
    QString totalCredit;
    QString totalDebit;
    QString balance;      // empty in the search view
};

struct RegisterActions {
    using Action = std::function<void(frmAccount&)>;
    Action addTransaction;
    Action modifyTransaction;
    Action deleteTransaction;
    // Also a double-click on the date or cleared mark.
    Action clearTransaction;
    Action voidTransaction;
    Action seeNotes;
    Action printCheck;
    Action startCalculator;
    Action search;
    std::function<void(frmAccount&, const ListSummary&)> textSummary;
    // The printed list from the first listed day to the last (stored dates).
    std::function<void(frmAccount&, double firstDate, double lastDate)> printList;
    // The graph window with its menu item's number (1, 2, 3 or 5).
    std::function<void(frmAccount&, int item)> showGraph;
    // The list editor: kind 1 the payees, 2 the comments.
    std::function<void(frmAccount&, int kind, const QString& displayName)> editList;
    // Find and replace: kind 1 the payees, 2 the comments.
    std::function<void(frmAccount&, int kind)> findReplace;
    // A bank statement brought into the account.
    Action importStatement;
};

// The one instance.
RegisterActions& registerActions();
// Every entry empty again; for tests.
void ResetRegisterActions();

}
