#pragma once
// The register's grid worked with the mouse: the hint of the cell under
// the mouse, the context menu of a row (the operations on its transaction
// and a QuickFind of its payee or comment), and the Add button's
// right-click, which adds a transaction patterned on the highlighted one.
// No hint and no menu on the beginning balance at the top of the normal
// view. The hint texts themselves are gridhints.h.
#include <QPoint>
#include <QString>

namespace tallyo {

class frmAccount;

// Builds the grid's context menu and its QuickFind submenu and starts
// following the mouse over the grid and the Add button.
void InstallGridHints(frmAccount& window);

// The text of a cell of the highlighted row; empty when no row is.
QString CurrentCellText(const frmAccount& window, int column);

// The hint of the cell at a point of the grid's viewport.
QString GridHintAt(const frmAccount& window, const QPoint& viewportPoint);

// The context menu of grid row `row` (from 1): makes the row current, sets
// which items are enabled and pops the menu up at `globalPoint`. False,
// with nothing shown, on a row without a menu.
bool ShowGridMenu(frmAccount& window, qint32 row, const QPoint& globalPoint);
// Enables the menu's items by the buttons' states and the highlighted row.
void PrepareGridMenu(frmAccount& window);
// The menu's item `item` chosen, and the QuickFind submenu's.
void menuGrid_Click(frmAccount& window, int item);
void menuQuickFind_Click(frmAccount& window, int item);

// The Add button released with the right button: an add that starts as a
// copy of the highlighted transaction.
void AddFromTemplate(frmAccount& window);

}
