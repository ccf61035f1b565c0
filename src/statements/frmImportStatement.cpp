#include "frmImportStatement.h"

#include "ImportPreviewModel.h"
#include "importpreview.h"

#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace tallyo {

namespace {

constexpr int WindowWidth = 11400, WindowHeight = 7200;

}

frmImportStatement::frmImportStatement(const QString& fileName, std::vector<Statement> statements,
                                       const QString& accountKey, std::vector<RegisterEntry> entries,
                                       QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips()), statements_(std::move(statements)), accountKey_(accountKey),
      entries_(std::move(entries))
{
    setObjectName(QStringLiteral("frmImportStatement"));
    setModal(true);
    // Not the file picker's title: the file's name tells the two apart.
    setWindowTitle(QStringLiteral("Import a bank statement: ") + QFileInfo(fileName).fileName());
    Form_Load(fileName);
    cboStatement_Change();
}

void frmImportStatement::Form_Load(const QString& fileName)
{
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    const auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };
    const auto label = [this](const char* name, double points, bool bold) {
        auto* made = new QLabel(this);
        made->setObjectName(QLatin1StringView(name));
        QFont font(QStringLiteral("Tahoma"), 9);
        font.setPointSizeF(points);
        font.setBold(bold);
        made->setFont(font);
        return made;
    };

    lblFile = label("lblFile", 10, true);
    lblFile->setText(QStringLiteral("Statement: ") + QFileInfo(fileName).fileName());
    lblFile->setToolTip(fileName);
    place(lblFile, 240, 120, 10920, 300);

    // The chooser shows only when the file holds several accounts' statements.
    lblStatement = label("lblStatement", 9, false);
    lblStatement->setText(QStringLiteral("&Account in the file:"));
    place(lblStatement, 240, 510, 1800, 300);
    cboStatement = new QComboBox(this);
    cboStatement->setObjectName(QStringLiteral("cboStatement"));
    for (const Statement& statement : statements_)
        cboStatement->addItem(StatementChoiceText(statement));
    lblStatement->setBuddy(cboStatement);
    place(cboStatement, 2100, 465, 5000, 330);
    const bool several = statements_.size() > 1;
    lblStatement->setVisible(several);
    cboStatement->setVisible(several);

    model = new ImportPreviewModel(this);
    grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setModel(model);
    grid->setFont(QFont(QStringLiteral("Tahoma"), 8));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(twips_.toPixels(255));
    grid->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {650, 1000, 1200, 900, 2300, 1150};
    for (int c = 0; c < int(std::size(widths)); ++c)
        grid->setColumnWidth(c, twips_.toPixels(widths[c]));
    place(grid, 240, 900, 10920, 4500);

    lblClosingBalance = label("lblClosingBalance", 9, false);
    place(lblClosingBalance, 240, 5500, 5400, 300);
    lblClearedBalance = label("lblClearedBalance", 9, false);
    place(lblClearedBalance, 5760, 5500, 5400, 300);
    lblCounts = label("lblCounts", 9, true);
    place(lblCounts, 240, 5850, 10920, 300);

    cmdImport = MakeWindowButton(this, "cmdImport", QStringLiteral("&Import"));
    cmdCancel = MakeWindowButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    place(cmdImport, 6420, 6300, 2280, 600);
    place(cmdCancel, 8880, 6300, 2280, 600);
    cmdImport->setDefault(true);
    cmdCancel->setCancel(true);
    cmdImport->setToolTip(QStringLiteral(" Import the ticked lines <Enter> "));
    cmdCancel->setToolTip(QStringLiteral(" Import nothing <Esc> "));

    connect(cmdImport, &ZevButton::clicked, this, [this] { cmdImport_Click(); });
    connect(cmdCancel, &ZevButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cboStatement, &QComboBox::currentIndexChanged, this, [this] { cboStatement_Change(); });
    connect(model, &ImportPreviewModel::ticksChanged, this, [this] { updateTotals(); });
    setTabOrder(cboStatement, grid);
    setTabOrder(grid, cmdImport);
    setTabOrder(cmdImport, cmdCancel);
}

bool frmImportStatement::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        grid->setFocus();
        if (model->rowCount() > 0)
            grid->setCurrentIndex(model->index(0, ImportPreviewModel::Tick));
    }
    return handled;
}

const Statement& frmImportStatement::statement() const
{
    const int chosen = qBound(0, cboStatement->currentIndex(), int(statements_.size()) - 1);
    return statements_[size_t(chosen)];
}

void frmImportStatement::cboStatement_Change()
{
    const Statement& shown = statement();
    const QString format = SharedDisplayValues().DateFormat;
    matches_ = MatchStatement(shown, entries_);
    model->setRows(PreviewRows(shown, matches_, format), StartingTicks(matches_));
    lblClosingBalance->setText(ClosingBalanceText(shown, format));
}

void frmImportStatement::updateTotals()
{
    const std::vector<bool>& ticks = model->ticks();
    const ImportCounts counts = CountImport(matches_, ticks);
    lblCounts->setText(ImportCountsText(counts));
    lblClearedBalance->setText(ClearedBalanceText(entries_, statement(), matches_, ticks));
    cmdImport->setEnabled(counts.added + counts.cleared > 0);
}

void frmImportStatement::cmdImport_Click()
{
    if (!cmdImport->isEnabled())
        return;
    try {
        imported_ = ImportStatement(accountKey_, statement(), matches_, model->ticks());
    } catch (const FileError& error) {
        // The import is one rewrite: when it fails, nothing was written.
        prompts().ask(QStringLiteral("File error"), IconStop,
                      error.message() + QStringLiteral("\r\n\r\nNothing was imported: the data files are as they were."),
                      1, {QStringLiteral("&Okay")});
        return;
    }
    done(Accepted);
}

void frmImportStatement::cmdCancel_Click()
{
    done(Rejected);
}

void frmImportStatement::reject()
{
    cmdCancel_Click();
}

}
