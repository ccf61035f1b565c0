#include "frmPrintCheckSetup.h"

#include "checkmessages.h"
#include "frmPrintCheck.h"
#include "controls/WindowButton.h"

#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "platform/platform.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace tallyo {

namespace {

// Window geometry, twips.
constexpr int WindowWidth = 5520, WindowHeight = 6060;
constexpr int HeadingLeft = 240, HeadingWidth = 2520;
constexpr int RowLeft = 2880, ColumnLeft = 4020, FieldWidth = 1020, FieldHeight = 330;
constexpr int FirstLineTop = 1800, LineStep = 450;

const QColor Focused(255, 255, 192);
const QColor Resting(192, 255, 255);
const QColor HeadingColour(16, 32, 64);

const QString crlf = QStringLiteral("\r\n");

void setBackground(QWidget* field, const QColor& colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Tahoma"), 9);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, HeadingColour);
    label->setPalette(palette);
    return label;
}

}

frmPrintCheckSetup::frmPrintCheckSetup(AccountRecord& account, qint32 record, ZevButton* reportTo,
                                       QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips()), account_(account), record_(record), reportTo_(reportTo)
{
    setObjectName(QStringLiteral("frmPrintCheckSetup"));
    setModal(true);
    Form_Load();
    Form_Activate();
}

void frmPrintCheckSetup::Form_Load()
{
    setWindowTitle(QStringLiteral(" Check Printing Setup for this account..."));
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    lblNote = makeLabel(this, QStringLiteral("lblNote"),
                        QStringLiteral("Where each field is printed on your check paper: rows count "
                                       "printed lines from the top of the paper, columns count characters "
                                       "from its left edge. The fields go down the check in this order; the "
                                       "figures may share the payee's row, to the right of the payee."),
                        false);
    lblNote->setWordWrap(true);
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblNote, HeadingLeft, 150, WindowWidth - 2 * HeadingLeft, 1230);

    lblColumn[0] = makeLabel(this, QStringLiteral("lblColumn"), QStringLiteral("Row"), true);
    lblColumn[1] = makeLabel(this, QStringLiteral("lblColumn"), QStringLiteral("Column"), true);
    place(lblColumn[0], RowLeft, FirstLineTop - 330, FieldWidth, 285);
    place(lblColumn[1], ColumnLeft, FirstLineTop - 330, FieldWidth, 285);

    const QStringList headings{QStringLiteral("Check number"),     QStringLiteral("Date"),
                               QStringLiteral("Payee"),            QStringLiteral("Amount in figures"),
                               QStringLiteral("Amount in words"),  QStringLiteral("Comment (for...)")};
    const QFont fieldFont(QStringLiteral("Tahoma"), 9);
    for (int line = 0; line < 6; ++line) {
        const int top = FirstLineTop + line * LineStep;
        lblField[size_t(line)] = makeLabel(this, QStringLiteral("lblField"), headings[line], false);
        place(lblField[size_t(line)], HeadingLeft, top + 30, HeadingWidth, 285);
        for (int side = 0; side < 2; ++side) {
            const int index = 2 * line + side + 1;
            auto* field = new QLineEdit(this);
            field->setObjectName(QStringLiteral("txtRowCol%1").arg(index));
            field->setFont(fieldFont);
            field->setAlignment(Qt::AlignRight);
            field->setMaxLength(8);
            field->setAccessibleName(headings[line] + (side == 0 ? QStringLiteral(" row") : QStringLiteral(" column")));
            setBackground(field, Resting);
            field->installEventFilter(this);
            place(field, side == 0 ? RowLeft : ColumnLeft, top, FieldWidth, FieldHeight);
            connect(field, &QLineEdit::textChanged, this, [this] { txtRowCol_Change(); });
            fields_[size_t(index - 1)] = field;
        }
    }

    cmdSave = MakeWindowButton(this, "cmdSave");
    cmdCancel = MakeWindowButton(this, "cmdCancel");
    const int buttonTop = FirstLineTop + 6 * LineStep + 300;
    const int buttonWidth = (WindowWidth - 2 * HeadingLeft - 180) / 2;
    place(cmdSave, HeadingLeft, buttonTop, buttonWidth, 720);
    place(cmdCancel, WindowWidth - HeadingLeft - buttonWidth, buttonTop, buttonWidth, 720);
    cmdSave->setDefault(true);
    cmdCancel->setCancel(true);
    connect(cmdSave, &ZevButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel, &ZevButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmPrintCheckSetup::Form_Activate()
{
    for (int index = 1; index <= LayoutFieldCount; ++index)
        txtRowCol(index)->setText(LayoutFieldText(account_.CheckLayout[size_t(index - 1)]));
    cmdSave->setCaption(QStringLiteral("&Finished,") + crlf + QStringLiteral("Save"));
    cmdCancel->setCaption(QStringLiteral("&Cancel") + crlf + QStringLiteral("(Esc)"));
    cmdSave->setEnabled(false);
    txtRowCol(1)->setFocus();
}

void frmPrintCheckSetup::txtRowCol_Change()
{
    if (changing_)
        return;
    changing_ = true;
    bool complete = true;
    for (QLineEdit* field : fields_) {
        if (LayoutFieldValue(field->text()))
            continue;
        if (!field->text().isEmpty())
            field->setText(QString());
        complete = false;
    }
    changing_ = false;
    cmdSave->setEnabled(complete);
}

void frmPrintCheckSetup::focusField(int index)
{
    QLineEdit* field = txtRowCol(index);
    field->setFocus();
    field->selectAll();
}

void frmPrintCheckSetup::cmdSave_Click()
{
    std::array<double, LayoutFieldCount> typed{};
    for (int index = 1; index <= LayoutFieldCount; ++index) {
        const std::optional<double> value = LayoutFieldValue(txtRowCol(index)->text());
        if (!value)
            return; // Save is disabled while a field is missing
        typed[size_t(index - 1)] = *value;
    }

    const LayoutCheck check = CheckLayoutValues(typed);
    if (check.problem != LayoutProblem::None) {
        prompts().showMessage(LayoutRefusal(check.problem));
        focusField(check.field);
        return;
    }

    AccountRecord saved = account_;
    saved.CheckLayout = StoredLayout(typed);
    try {
        StoreAccountRecord(record_, saved);
    } catch (const FileError& error) {
        // The layout stays in the fields to be saved again.
        ShowFileError(error);
        return;
    }
    account_ = saved;
    if (reportTo_)
        reportTo_->setTag(QStringLiteral("!"));
    done(Accepted);
}

void frmPrintCheckSetup::cmdCancel_Click()
{
    done(Rejected);
}

bool frmPrintCheckSetup::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && event->type() == QEvent::FocusIn) {
        setBackground(field, Focused);
        // After a click has placed the cursor.
        QTimer::singleShot(0, field, [field] { field->selectAll(); });
    } else if (field && event->type() == QEvent::FocusOut
               && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
        setBackground(field, Resting);
    }
    return QDialog::eventFilter(watched, event);
}

void frmPrintCheckSetup::reject()
{
    cmdCancel_Click();
}

}
