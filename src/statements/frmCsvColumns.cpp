#include "frmCsvColumns.h"

#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "util/WindowHelpers.h"

#include <QComboBox>
#include <QLabel>

namespace tallyo {

namespace {

constexpr int WindowWidth = 5400;
constexpr int RowHeight = 420;

// The member of CsvColumns behind each box, in the boxes' order.
constexpr std::array<int CsvColumns::*, frmCsvColumns::FieldCount> fields{
    &CsvColumns::date,  &CsvColumns::payee, &CsvColumns::amount, &CsvColumns::debit,
    &CsvColumns::credit, &CsvColumns::memo, &CsvColumns::number};

const std::array<const char*, frmCsvColumns::FieldCount> captions{
    "&Date", "&Payee or description", "&Amount", "D&ebit (money out)", "C&redit (money in)", "&Memo",
    "Check &number"};

}

frmCsvColumns::frmCsvColumns(const QStringList& header, const CsvColumns& start, QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips())
{
    setObjectName(QStringLiteral("frmCsvColumns"));
    setModal(true);
    setWindowTitle(QStringLiteral("Columns of the statement"));
    const int height = 720 + FieldCount * RowHeight + 900;
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(height));
    TileBackground(BackgroundPicture(), *this);
    const auto place = [this](QWidget* control, int left, int top, int width, int controlHeight) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(controlHeight));
    };

    auto* intro = new QLabel(QStringLiteral("Which column of the file holds each field?\n"
                                            "An amount, or a debit or credit column, is needed."),
                             this);
    intro->setObjectName(QStringLiteral("lblIntro"));
    intro->setFont(QFont(QStringLiteral("Tahoma"), 9));
    place(intro, 240, 120, 4920, 520);

    QWidget* previous = nullptr;
    for (int f = 0; f < FieldCount; ++f) {
        auto* caption = new QLabel(QString::fromLatin1(captions[size_t(f)]), this);
        caption->setFont(QFont(QStringLiteral("Tahoma"), 9));
        QComboBox* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("cboField%1").arg(f));
        box->addItem(QStringLiteral("(none)"), -1);
        for (int c = 0; c < header.size(); ++c)
            box->addItem(QStringLiteral("%1: %2").arg(c + 1).arg(header[c].trimmed()), c);
        box->setCurrentIndex(qMax(0, box->findData(start.*fields[size_t(f)])));
        caption->setBuddy(box);
        const int top = 720 + f * RowHeight;
        place(caption, 240, top + 40, 2040, 300);
        place(box, 2340, top, 2820, 330);
        if (previous)
            setTabOrder(previous, box);
        previous = box;
        cboField[size_t(f)] = box;
    }

    const int buttonsTop = 720 + FieldCount * RowHeight + 180;
    cmdOkay = MakeWindowButton(this, "cmdOkay", QStringLiteral("&Okay"));
    cmdCancel = MakeWindowButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    place(cmdOkay, 240, buttonsTop, 2340, 600);
    place(cmdCancel, 2820, buttonsTop, 2340, 600);
    cmdOkay->setDefault(true);
    cmdCancel->setCancel(true);
    setTabOrder(previous, cmdOkay);
    setTabOrder(cmdOkay, cmdCancel);
    connect(cmdOkay, &ZevButton::clicked, this, [this] { cmdOkay_Click(); });
    connect(cmdCancel, &ZevButton::clicked, this, [this] { done(Rejected); });
}

CsvColumns frmCsvColumns::columns() const
{
    CsvColumns chosen;
    for (int f = 0; f < FieldCount; ++f)
        chosen.*fields[size_t(f)] = cboField[size_t(f)]->currentData().toInt();
    return chosen;
}

void frmCsvColumns::cmdOkay_Click()
{
    if (!columns().complete()) {
        prompts().ask(QStringLiteral("Columns of the statement"), IconExclamation,
                      QStringLiteral("A statement needs a date, a payee and an amount\r\n"
                                     "(or a debit or a credit column)."),
                      1, {QStringLiteral("&Okay")});
        return;
    }
    done(Accepted);
}

std::optional<CsvColumns> AskCsvColumns(QWidget* parent, const QStringList& header, const CsvColumns& start)
{
    frmCsvColumns dialog(header, start, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.columns();
}

}
