// Search, find and replace and the grid's mouse help on the register's
// sample account: the search menu, every kind of search prompt, the scope
// question, "No matches", a search view, the find-and-replace prompts,
// confirmation and results, the grid's menu with its QuickFind submenu, and
// a date and a payee hint. The prompts are the program's own, recorded
// while the searches run and then drawn as the desktop shows them.
#include "shots.h"

#include "recordingshell.h"
#include "testenv.h"

#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/GridMenu.h"
#include "register/RegisterModel.h"
#include "register/SearchMenu.h"
#include "register/TransactionActions.h"
#include "register/findreplace.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "register/search.h"
#include "shell/appsettings.h"
#include "shell/frmMsgBox.h"
#include "shell/navigation.h"
#include "store/datafiles.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QToolTip>

namespace tallyo::shots {

namespace {

// Answers the program's questions from a list and keeps every question.
class ShotPrompts : public Prompts {
public:
    struct Input {
        QString title, prompt, defaultText;
    };
    QStringList answers;     // for input prompts, in order
    QList<int> buttons;      // for messages, in order
    QList<Input> inputs;
    QList<MessageRequest> messages;

    MessageAnswer showMessage(const MessageRequest& request) override
    {
        messages.append(request);
        return {buttons.isEmpty() ? 1 : buttons.takeFirst(), false};
    }
    QString inputText(const QString& title, const QString& prompt, const QString& defaultText) override
    {
        inputs.append({title, prompt, defaultText});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString pickFolder(const QString&, const QString&) override { return QString(); }
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// The input prompt as the desktop shows it.
int shootInput(const QDir& out, const QString& name, const ShotPrompts::Input& input)
{
    QInputDialog dialog;
    dialog.setWindowTitle(input.title);
    QString shown = input.prompt;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    dialog.setLabelText(shown);
    dialog.setTextValue(input.defaultText);
    return save(dialog, out, name);
}

// Several top-level widgets drawn where they stand on the screen.
int shootTogether(const QDir& out, const QString& name, const QList<QWidget*>& widgets)
{
    QRect area;
    for (QWidget* widget : widgets)
        area |= widget->frameGeometry();
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (QWidget* widget : widgets)
        painter.drawPixmap(widget->geometry().topLeft() - area.topLeft(), widget->grab());
    painter.end();
    return image.save(out.filePath(name + ".png")) ? 1 : 0;
}

// The window with the hint of a cell shown over it.
int shootHint(const QDir& out, const QString& name, frmAccount& window, int row, int column)
{
    const QPoint at = window.grid->visualRect(window.model->index(row - 1, column)).center();
    const QString hint = GridHintAt(window, at);
    QToolTip::showText(window.grid->viewport()->mapToGlobal(at), hint, window.grid->viewport());
    settle();
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = widget;
    }
    const int written = tip ? shootTogether(out, name, {&window, tip}) : 0;
    QToolTip::hideText();
    return written;
}

}

int searchShots(const QDir& target)
{
    const QDir out(target.absolutePath());
    test::TempDataFolder folder;
    StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
    test::RecordingShell desktop;
    EventPace pace(0);
    FixedClock clock(QDateTime(QDate(2026, 1, 28), QTime(9, 30, 0)));
    ShotPrompts questions;
    const Platform previous = platform();
    platform().settings = &settings;
    platform().shell = &desktop;
    platform().pace = &pace;
    platform().clock = &clock;
    platform().prompts = &questions;
    const Navigation previousWays = navigation();
    navigation() = Navigation();
    const RegisterActions previousActions = registerActions();
    ResetCurrentAccount();
    ResetRegisterState();
    ResetSearchMemory();
    ResetRegisterActions();
    InstallTransactionActions();
    InstallSearchActions();
    // The list-wide pieces of other files present, so the buttons show as they will.
    registerActions().textSummary = [](frmAccount&, const ListSummary&) {};
    registerActions().printList = [](frmAccount&, double, double) {};
    registerActions().showGraph = [](frmAccount&, int) {};
    registerActions().printCheck = [](frmAccount&) {};
    LoadDisplayValues();

    int written = 0;
    QPointer<frmAccount> window = OpenRegisterSample();
    if (window) {
        window->menuSearch->popup(window->cmdFind->mapToGlobal(QPoint(0, window->cmdFind->height())));
        settle();
        written += shootTogether(out, QStringLiteral("search-menu"), {window, window->menuSearch});
        window->menuSearch->hide();

        // Every kind of prompt, each given up but the payee's, which finds
        // the grocer; then the scope question and its year prompt.
        window->grid->setCurrentIndex(window->model->index(4, DateColumn));  // a check with a comment
        settle();
        for (int kind : {int(SearchMonth), int(SearchYear), int(SearchCheck), int(SearchComment), int(SearchNotes),
                         int(SearchDebit)})
            menuSearch_Click(*window, kind);
        questions.answers = {QStringLiteral("greenway")};
        menuSearch_Click(*window, SearchPayee);
        settle();
        written += save(*window, out, QStringLiteral("search-view"));
        questions.answers = {QStringLiteral("2026")};
        AskSearchScope();
        const QStringList promptNames{"search-prompt-month", "search-prompt-year",  "search-prompt-check",
                                      "search-prompt-comment", "search-prompt-notes", "search-prompt-amount",
                                      "search-prompt-payee", "search-prompt-scope-year"};
        for (int i = 0; i < questions.inputs.size() && i < promptNames.size(); ++i)
            written += shootInput(out, promptNames[i], questions.inputs[i]);
        if (!questions.messages.isEmpty())
            written += messageShot(out, QStringLiteral("search-scope"), questions.messages.last());

        // Nothing matches.
        questions.messages.clear();
        questions.answers = {QStringLiteral("nobody")};
        window->LoadRegister();
        settle();
        menuSearch_Click(*window, SearchPayee);
        if (!questions.messages.isEmpty())
            written += messageShot(out, QStringLiteral("search-no-matches"), questions.messages.last());

        // Find and replace: the prompts, the confirmation, the results.
        questions.inputs.clear();
        questions.messages.clear();
        window->grid->setCurrentIndex(window->model->index(4, DateColumn));
        settle();
        const QString title = frmAccount::menuItem(window->menuOtherOptions, 4)->text();
        questions.answers = {QStringLiteral("Greenway Grocers"), QStringLiteral("Greenway Grocery")};
        questions.buttons = {1, 1};
        FindAndReplace(ReplacePayee, title, window->model->index(4, PayeeColumn).data().toString());
        questions.answers = {QStringLiteral("Cash"), QStringLiteral("Cash withdrawal")};
        questions.buttons = {1, 1};
        FindAndReplace(ReplacePayee, title, QStringLiteral("Cash"));
        questions.answers = {QStringLiteral("Nobody"), QStringLiteral("Somebody")};
        questions.buttons = {1, 1};
        FindAndReplace(ReplacePayee, title, QString());
        if (questions.inputs.size() >= 2) {
            written += shootInput(out, QStringLiteral("replace-prompt-find"), questions.inputs[0]);
            written += shootInput(out, QStringLiteral("replace-prompt-replacement"), questions.inputs[1]);
        }
        if (questions.messages.size() >= 6) {
            written += messageShot(out, QStringLiteral("replace-confirm"), questions.messages[0]);
            written += messageShot(out, QStringLiteral("replace-result-many"), questions.messages[1]);
            written += messageShot(out, QStringLiteral("replace-result-one"), questions.messages[3]);
            written += messageShot(out, QStringLiteral("replace-result-none"), questions.messages[5]);
        }

        // The grid's menu with QuickFind open, and two hints.
        window->LoadRegister();
        settle();
        const QPoint at = window->grid->visualRect(window->model->index(4, PayeeColumn)).center();
        ShowGridMenu(*window, 5, window->grid->viewport()->mapToGlobal(at));
        settle();
        window->menuGrid->setActiveAction(frmAccount::menuItem(window->menuGrid, 12));
        settle();
        written += shootTogether(out, QStringLiteral("grid-menu"), {window, window->menuGrid, window->menuQuickFind});
        window->menuQuickFind->hide();
        window->menuGrid->hide();
        settle();
        written += shootHint(out, QStringLiteral("grid-hint-date"), *window, 5, DateColumn);
        written += shootHint(out, QStringLiteral("grid-hint-payee"), *window, 5, PayeeColumn);

        window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    registerActions() = previousActions;
    navigation() = previousWays;
    platform() = previous;
    return written;
}

}
