#include "GridMenu.h"

#include "RegisterModel.h"
#include "SearchMenu.h"
#include "frmAccount.h"
#include "gridhints.h"
#include "registergrid.h"
#include "registerstate.h"
#include "search.h"

#include "controls/ZevButton.h"
#include "entry/entrystate.h"
#include "platform/platform.h"
#include "store/records.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <QToolTip>

namespace tallyo {

namespace {

const QString ClearItemCaption = QStringLiteral("Clear/Unclear this transaction");
constexpr int QuickFindItem = 12;

// Follows the mouse over the grid: a fresh hint on every move, the context
// menu when the right button is released over a row.
class GridMouse : public QObject {
public:
    explicit GridMouse(frmAccount& window) : QObject(&window), window_(window)
    {
        QWidget* viewport = window.grid->viewport();
        viewport->setMouseTracking(true);
        // Right-button presses and releases come to the grid itself, never
        // as a context-menu request to the window.
        viewport->setContextMenuPolicy(Qt::PreventContextMenu);
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
            // The viewport keeps the hint of the cell under the mouse; the
            // grid's other parts (headers, scroll bars) show none.
            window_.grid->viewport()->setToolTip(
                GridHintAt(window_, static_cast<QMouseEvent*>(event)->position().toPoint()));
            return false;
        case QEvent::Leave:
            window_.grid->viewport()->setToolTip(QString());
            return false;
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QString hint = GridHintAt(window_, help->pos());
            window_.grid->viewport()->setToolTip(hint);
            if (hint.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), hint, window_.grid->viewport());
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // The row under a right-click becomes current only when it has
            // a menu.
            return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::RightButton)
                return false;
            const QPoint at = mouse->position().toPoint();
            ShowGridMenu(window_, window_.grid->rowAt(at.y()) + 1, mouse->globalPosition().toPoint());
            return true;
        }
        default:
            return false;
        }
    }

private:
    frmAccount& window_;
};

// The menu's items in order, numbered from 1; "-" for a separator.
QStringList GridMenuItems()
{
    return {QStringLiteral("See the notes for this transaction"),
            QStringLiteral("-"),
            QStringLiteral("Add a new transaction"),
            QStringLiteral("Add a new transaction using this highlighted item as a Template"),
            QStringLiteral("-"),
            ClearItemCaption,
            QStringLiteral("Print this check"),
            QStringLiteral("Modify this transaction"),
            QStringLiteral("Void this transaction"),
            QStringLiteral("Delete this transaction"),
            QStringLiteral("-"),
            QStringLiteral("'QuickFind' all transactions that contain the same..."),
            QStringLiteral("-"),
            QStringLiteral("Exit this menu")};
}

}

QString CurrentCellText(const frmAccount& window, int column)
{
    const qint32 row = window.currentRow();
    return row < 1 ? QString() : window.model->index(row - 1, column).data().toString();
}

void InstallGridHints(frmAccount& window)
{
    window.menuGrid = new QMenu(&window);
    window.menuGrid->setObjectName(QStringLiteral("menuGrid"));
    window.menuQuickFind = new QMenu(&window);
    window.menuQuickFind->setObjectName(QStringLiteral("menuQuickFind"));
    const QStringList items = GridMenuItems();
    for (int i = 0; i < items.size(); ++i) {
        const int number = i + 1;
        if (number == QuickFindItem) {
            QAction* action = window.menuGrid->addMenu(window.menuQuickFind);
            action->setText(items[i]);
            action->setData(number);
            continue;
        }
        QAction* action = frmAccount::addMenuItem(window.menuGrid, items[i], number);
        // Queued, so that the menu has closed before the operation asks.
        QObject::connect(
            action, &QAction::triggered, &window,
            [&window, number] { window.runDataAction([&] { menuGrid_Click(window, number); }); },
            Qt::QueuedConnection);
    }
    const QStringList quickItems{QStringLiteral("Payee/Creditor"), QStringLiteral("Comment")};
    for (int i = 0; i < quickItems.size(); ++i) {
        QAction* action = frmAccount::addMenuItem(window.menuQuickFind, quickItems[i], i + 1);
        QObject::connect(
            action, &QAction::triggered, &window,
            [&window, number = i + 1] { window.runDataAction([&] { menuQuickFind_Click(window, number); }); },
            Qt::QueuedConnection);
    }

    new GridMouse(window);
    QObject::connect(window.cmdAddTransaction, &ZevButton::mouseUp, &window,
                     [&window](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) {
                         if (button == Qt::RightButton && window.cmdAddTransaction->rect().contains(at.toPoint()))
                             AddFromTemplate(window);
                     });
}

QString GridHintAt(const frmAccount& window, const QPoint& viewportPoint)
{
    const int row = window.grid->rowAt(viewportPoint.y()) + 1;
    const int column = window.grid->columnAt(viewportPoint.x());
    if (row < 1 || column < 0)
        return QString();
    return GridHint(registerState().Rows, row, column, clock().now().date());
}

bool ShowGridMenu(frmAccount& window, qint32 row, const QPoint& globalPoint)
{
    if (!IsHintedRow(registerState().Rows, row) || row > window.model->rowCount())
        return false;
    // The row change reads the transaction and sets the buttons.
    window.grid->selectionModel()->setCurrentIndex(window.model->index(row - 1, DateColumn),
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    PrepareGridMenu(window);
    window.menuGrid->popup(globalPoint);
    return true;
}

void PrepareGridMenu(frmAccount& window)
{
    auto item = [&window](int number) { return frmAccount::menuItem(window.menuGrid, number); };
    item(1)->setEnabled(window.cmdSeeNotes->isEnabled());
    item(3)->setEnabled(window.cmdAddTransaction->isEnabled());
    item(4)->setEnabled(window.cmdAddTransaction->isEnabled() && CurrentCellText(window, TypeColumn) != TypeVoid);
    const bool clearable = window.cmdClearTransaction->isEnabled();
    item(6)->setEnabled(clearable);
    item(6)->setText(clearable ? window.cmdClearTransaction->toolTip().trimmed() : ClearItemCaption);
    item(7)->setEnabled(window.cmdPrintCheck->isEnabled());
    item(8)->setEnabled(window.cmdModifyTransaction->isEnabled());
    item(9)->setEnabled(window.cmdVoidTransaction->isEnabled());
    item(10)->setEnabled(window.cmdDeleteTransaction->isEnabled());
    item(QuickFindItem)->setEnabled(window.cmdFind->isEnabled());
    frmAccount::menuItem(window.menuQuickFind, 1)->setEnabled(true);
    frmAccount::menuItem(window.menuQuickFind, 2)->setEnabled(!CurrentCellText(window, CommentColumn).isEmpty());
}

void menuGrid_Click(frmAccount& window, int item)
{
    switch (item) {
    case 1: window.cmdSeeNotes->click(); break;
    case 3: window.cmdAddTransaction->click(); break;
    case 4: AddFromTemplate(window); break;
    case 6: window.cmdClearTransaction->click(); break;
    case 7: window.cmdPrintCheck->click(); break;
    case 8: window.cmdModifyTransaction->click(); break;
    case 9: window.cmdVoidTransaction->click(); break;
    case 10: window.cmdDeleteTransaction->click(); break;
    default: break;
    }
}

void menuQuickFind_Click(frmAccount& window, int item)
{
    if (!window.cmdFind->isEnabled())
        return;
    if (item == 1)
        RunSearch(window, CurrentCellText(window, PayeeColumn), SearchPayee, SearchAllYears.toString());
    else if (item == 2 && !CurrentCellText(window, CommentColumn).isEmpty())
        RunSearch(window, CurrentCellText(window, CommentColumn), SearchComment, SearchAllYears.toString());
}

void AddFromTemplate(frmAccount& window)
{
    if (!window.cmdAddTransaction->isEnabled())
        return;
    entryFlags().PrefillFromSelection = true;
    window.cmdAddTransaction->click();
    // The entry window has used the request, or the add never opened it.
    entryFlags().PrefillFromSelection = false;
}

}
