#include "frmNewEntry.h"

#include "AmountBox.h"
#include "controls/DropDownBox.h"
#include "controls/MonthsCalendar.h"
#include "TextLimit.h"
#include "entrystate.h"
#include "listtext.h"
#include "typeentry.h"

#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "index/currentaccount.h"
#include "index/notesediting.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"
#include "util/productinfo.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

namespace tallyo {

namespace {

// Window geometry, twips.
constexpr int WindowWidth = 5040, WindowHeight = 6000;
constexpr int Left = 240, FullWidth = 4560, CaptionHeight = 210, BoxHeight = 330;

const QColor Resting(192, 255, 255);
const QColor FocusedAdding(255, 255, 192);
const QColor FocusedModifying(255, 192, 255);

// The earliest date the picker offers.
const QDate EarliestDate(2000, 1, 1);

void setBackground(QWidget* input, const QColor& colour)
{
    QPalette palette = input->palette();
    palette.setColor(QPalette::Base, colour);
    input->setPalette(palette);
}

void setBold(QLabel* label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

DropDownBox* makeCombo(QWidget* window, const QString& name)
{
    auto* box = new DropDownBox(window);
    box->setObjectName(name);
    box->setMaxVisibleItems(12);
    return box;
}

}

bool ShowNewEntryWindow(QWidget* parent)
{
    EntryFlags& flags = entryFlags();
    flags.SaveMarker.clear();
    frmNewEntry window(parent);
    try {
        window.LoadEntry();
    } catch (const FileError& error) {
        flags.PrefillFromSelection = false;
        ShowFileError(error);
        return false;
    }
    window.exec();
    return window.saved();
}

frmNewEntry::frmNewEntry(QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips())
{
    setObjectName(QStringLiteral("frmNewEntry"));
    setModal(true);
    Form_Load();
}

frmNewEntry::~frmNewEntry()
{
    // The controls go before the window does; their focus changes on the
    // way are no longer this window's business.
    disconnect(focusWatch_);
}

EntryMode frmNewEntry::mode() const
{
    return entryFlags().ModifyingEntry ? EntryMode::Modifying : EntryMode::Adding;
}

void frmNewEntry::Form_Load()
{
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    const QFont font(QStringLiteral("Tahoma"), 9);
    const std::array<QString, 7> captions{QString(),
                                          QStringLiteral("Transaction Date"),
                                          QStringLiteral("Transaction Type"),
                                          QStringLiteral("Payee/Creditor"),
                                          QStringLiteral("Amount"),
                                          QStringLiteral("Check Comment"),
                                          QStringLiteral("Notes")};
    const std::array<int, 7> tops{0, 120, 765, 1410, 2055, 2700, 3345};
    for (int n = 1; n <= 6; ++n) {
        lbl[n] = new QLabel(captions[n], this);
        lbl[n]->setObjectName(QStringLiteral("lbl%1").arg(n));
        lbl[n]->setFont(font);
        place(lbl[n], Left, tops[n], FullWidth, CaptionHeight);
    }

    calendar = new MonthsCalendar(2, 2, 1, this);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setFont(font);
    calendar->setMinimumDate(EarliestDate);
    calendar->setDisplayFormat(PickerDateFormat(SettingChoice(SettingKey::DateDisplay).value_or(0)));
    calendar->setDate(clock().now().date());
    place(calendar, Left, tops[1] + CaptionHeight, 2400, BoxHeight);

    for (int n : {2, 3, 5}) {
        combo[n] = makeCombo(this, QStringLiteral("combo%1").arg(n));
        combo[n]->setFont(font);
        place(combo[n], Left, tops[n] + CaptionHeight, n == 2 ? 2400 : FullWidth, BoxHeight);
    }
    for (QLatin1StringView item : TypeBoxItems)
        combo[2]->addItem(QString(item));
    // A typed "atm" or "service fee" stands for its list item.
    combo[2]->setItemPicker(TypeItemFor);
    combo[2]->setCurrentIndex(-1);
    combo[2]->setEditText(QString());

    txtAmount = new QLineEdit(this);
    txtAmount->setObjectName(QStringLiteral("txtAmount"));
    txtAmount->setFont(font);
    txtAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(txtAmount, Left, tops[4] + CaptionHeight, 1800, BoxHeight);

    lblUseBackspace = new QLabel(QStringLiteral("Use <Backspace> key to change"), this);
    lblUseBackspace->setObjectName(QStringLiteral("lblUseBackspace"));
    lblUseBackspace->setFont(QFont(QStringLiteral("Tahoma"), 8));
    lblUseBackspace->setWordWrap(true);
    lblUseBackspace->hide();
    place(lblUseBackspace, Left + 1920, tops[4] + CaptionHeight - 60, 2640, 2 * CaptionHeight + 30);
    amountBox_ = new AmountBox(txtAmount, lblUseBackspace);

    txtNotes = new QPlainTextEdit(this);
    txtNotes->setObjectName(QStringLiteral("txtNotes"));
    txtNotes->setFont(font);
    txtNotes->setTabChangesFocus(true);
    place(txtNotes, Left, tops[6] + CaptionHeight, FullWidth, 1290);
    notesLimit_ = new TextLimit(txtNotes, EntryNotesLength,
                                [](const QString& shown) { return StoredNotesLength(TrimSpaces(shown)); });

    lblSpaceFull = new QLabel(this);
    lblSpaceFull->setObjectName(QStringLiteral("lblSpaceFull"));
    lblSpaceFull->setFont(QFont(QStringLiteral("Tahoma"), 8));
    lblSpaceFull->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSpaceFull->hide();
    place(lblSpaceFull, Left + FullWidth - 1500, tops[6], 1500, CaptionHeight);

    cmdSave = MakeWindowButton(this, "cmdSave");
    cmdCancel = MakeWindowButton(this, "cmdCancel");
    place(cmdSave, Left, 5130, 2200, 660);
    place(cmdCancel, Left + 2360, 5130, 2200, 660);
    cmdSave->setDefault(true);
    cmdCancel->setCancel(true);
    connect(cmdSave, &ZevButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel, &ZevButton::clicked, this, [this] { cmdCancel_Click(); });

    // Tab order: date, type, payee, amount, comment, notes, then the buttons.
    QWidget::setTabOrder(calendar, combo[2]);
    QWidget::setTabOrder(combo[2], combo[3]);
    QWidget::setTabOrder(combo[3], txtAmount);
    QWidget::setTabOrder(txtAmount, combo[5]);
    QWidget::setTabOrder(combo[5], txtNotes);
    QWidget::setTabOrder(txtNotes, cmdSave);
    QWidget::setTabOrder(cmdSave, cmdCancel);

    for (QWidget* input : std::initializer_list<QWidget*>{combo[2], combo[3], combo[5], txtAmount, txtNotes})
        setBackground(input, Resting);
    for (QWidget* input : std::initializer_list<QWidget*>{calendar, combo[2], combo[3], combo[5], txtAmount, txtNotes})
        input->installEventFilter(this);
    for (int n : {2, 3, 5}) {
        combo[n]->lineEdit()->installEventFilter(this);
        connect(combo[n], &QComboBox::editTextChanged, this, [this] { UpdateSaveState(); });
    }
    connect(calendar, &QDateEdit::dateChanged, this, [this] {
        if (mode() == EntryMode::Modifying)
            UpdateSaveState();
    });
    // Leaving the date, by its drop-down or otherwise, goes on to the type.
    auto toTypeBox = [this] {
        if (combo[2]->isEnabled())
            combo[2]->setFocus();
    };
    connect(calendar, &MonthsCalendar::popupClosed, this, toTypeBox);
    connect(calendar, &MonthsCalendar::focusLeft, this, toTypeBox);
    connect(amountBox_, &AmountBox::changed, this, [this] { UpdateSaveState(); });
    // The focus cue follows the focus wherever it goes, also while the
    // window is inactive (a message on top) or a drop-down is open.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this] { UpdateFocusCue(); });
    connect(txtNotes, &QPlainTextEdit::textChanged, this, [this] { txtNotes_Change(); });

    setWindowTitle(ApplicationTitle
                   + (mode() == EntryMode::Modifying ? QStringLiteral(" - Modifying this transaction")
                                                     : QStringLiteral(" - Adding a new transaction")));
    timeOfDay_ = clock().now();
}

void frmNewEntry::LoadEntry()
{
    const EntryFlags& flags = entryFlags();
    if (flags.PrefillFromSelection) {
        record_ = ReadEntryRecord(flags.SelectedRecord);
        const bool modifying = mode() == EntryMode::Modifying;
        const bool isStart = record_.TransactionType == TypeStart;
        const bool isVoid = record_.TransactionType == TypeVoid;
        if (modifying) {
            if (isStart) {
                calendar->hide();
                lbl[1]->hide();
            } else if (const QDateTime stored = DateTimeFromStored(record_.TransactionDate); stored.isValid()) {
                calendar->setDate(stored.date());
                timeOfDay_ = stored;
            }
        }
        combo[2]->setEditText(PrefilledTypeText(record_.TransactionType, !modifying));
        combo[3]->setEditText(TrimSpaces(record_.Payee));
        combo[5]->setEditText(TrimSpaces(record_.Comment));
        txtNotes->setPlainText(NotesForDisplay(TrimSpaces(record_.Notes)));
        // An amount from a damaged file may be larger than the box allows;
        // it is shown whole rather than cut, and Save refuses it.
        amountBox_->setText(AmountBoxText(record_.Amount));
        if (isVoid || isStart) {
            calendar->setEnabled(false);
            combo[2]->setEnabled(false);
            combo[3]->setEnabled(false);
        }
        if (isVoid)
            txtAmount->setEnabled(false);
    }
    shownDay_ = calendar->date();
    notesLimit_->accept();

    const std::optional<AccountLists> lists = FindAccountLists(currentAccount().CurrentAccountKey);
    for (int n : {3, 5}) {
        const int kind = n == 3 ? PayeeListKind : CommentListKind;
        const QString text = combo[n]->currentText();
        combo[n]->addItems(DropDownItems(lists ? ListOfKind(lists->lists, kind) : QString(), kind));
        combo[n]->setCurrentIndex(-1);
        combo[n]->setEditText(text);
    }
}

bool frmNewEntry::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        Form_Activate();
    }
    return handled;
}

void frmNewEntry::Form_Activate()
{
    cmdSave->setCaption(QStringLiteral("&Finished, Save\r\n<Enter>"));
    cmdCancel->setCaption(QStringLiteral("&Cancel, Don't Save\r\n<Esc>"));
    UpdateSaveState();

    EntryFlags& flags = entryFlags();
    if (mode() == EntryMode::Adding) {
        calendar->setFocus();
    } else if (std::exchange(flags.NotesRequested, false)) {
        txtNotes->setFocus();
    } else if (combo[3]->isEnabled()) {
        combo[3]->setFocus();
    } else {
        txtNotes->setFocus();
    }
    pace().letEventsRun();
    update();
}

bool frmNewEntry::EntryIsComplete() const
{
    return !combo[2]->currentText().isEmpty() && !combo[3]->currentText().isEmpty()
        && !txtAmount->text().isEmpty();
}

void frmNewEntry::UpdateSaveState()
{
    if (!activated_)
        return;
    const bool complete = EntryIsComplete();
    cmdSave->setEnabled(complete);
    cmdCancel->setFocusPolicy(complete ? Qt::StrongFocus : Qt::ClickFocus);
}

QLabel* frmNewEntry::captionOf(QWidget* input) const
{
    if (input == calendar)
        return lbl[1];
    if (input == txtAmount)
        return lbl[4];
    if (input == txtNotes)
        return lbl[6];
    for (int n : {2, 3, 5}) {
        if (input == combo[n])
            return lbl[n];
    }
    return nullptr;
}

QWidget* frmNewEntry::inputOf(QWidget* widget) const
{
    for (QWidget* input : std::initializer_list<QWidget*>{calendar, combo[2], combo[3], txtAmount, combo[5], txtNotes}) {
        if (widget && (widget == input || input->isAncestorOf(widget)))
            return input;
    }
    return nullptr;
}

bool frmNewEntry::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        QWidget* before = cueOwner_;
        UpdateFocusCue();
        QWidget* input = inputOf(qobject_cast<QWidget*>(watched));
        // Moving inside a control, the focus coming back from a box's own
        // list or from another window, is no arrival: no list drops again.
        const auto* box = qobject_cast<DropDownBox*>(input);
        if (input != cueOwner_ || cueOwner_ == before
            || (box && !box->focusArrives(static_cast<QFocusEvent*>(event))))
            break;
        if (input == calendar) {
            calendar_GotFocus();
        } else {
            for (int n : {2, 3, 5}) {
                if (input == combo[n])
                    combo_GotFocus(n);
            }
        }
        break;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // F1 opens the manual from every box, the amount box included.
        if (key->key() == Qt::Key_F1 && IsPlainKey(*key)) {
            OpenManual();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmNewEntry::UpdateFocusCue()
{
    // The window's own focus control while a drop-down, a message or
    // another program has the keyboard.
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != this)
        focused = focusWidget();
    QWidget* owner = inputOf(focused);
    if (owner == cueOwner_)
        return;
    if (QWidget* left = std::exchange(cueOwner_, owner))
        LostFocus(left);
    if (owner)
        GotFocus(owner);
}

void frmNewEntry::GotFocus(QWidget* input)
{
    if (QLabel* caption = captionOf(input))
        setBold(caption, true);
    if (input != calendar)
        setBackground(input, mode() == EntryMode::Adding ? FocusedAdding : FocusedModifying);
    if (input == combo[3]) {
        lbl[3]->setText(PayeeCaptionFor(TypeItemFor(combo[2]->currentText())));
    } else if (input == txtAmount) {
        amountBox_->focusGained();
    } else if (input == txtNotes) {
        cmdSave->setDefault(false);
        txtNotes->moveCursor(QTextCursor::End);
    }
}

void frmNewEntry::LostFocus(QWidget* input)
{
    if (QLabel* caption = captionOf(input))
        setBold(caption, false);
    if (input != calendar)
        setBackground(input, Resting);
    if (input == combo[3]) {
        lbl[3]->setText(QStringLiteral("Payee/Creditor"));
    } else if (input == txtAmount) {
        amountBox_->focusLost();
    } else if (input == txtNotes) {
        cmdSave->setDefault(true);
    }
}

void frmNewEntry::calendar_GotFocus()
{
    if (mode() != EntryMode::Adding || calendarDropped_)
        return;
    calendarDropped_ = true;
    PressKey(Qt::Key_F4, calendar);
    pace().letEventsRun();
}

void frmNewEntry::combo_GotFocus(int index)
{
    QComboBox* box = combo[index];
    if (index == 2) {
        if (!entryFlags().PrefillFromSelection)
            PressKey(Qt::Key_F4, box);
        return;
    }
    if (box->currentText().isEmpty() && box->count() > 1)
        PressKey(Qt::Key_F4, box);
}

void frmNewEntry::txtNotes_Change()
{
    const QString gauge = EntryNotesGauge(txtNotes->toPlainText());
    lblSpaceFull->setText(gauge);
    lblSpaceFull->setVisible(!gauge.isEmpty());
}

void frmNewEntry::cmdSave_Click()
{
    if (!EntryIsComplete())
        return;
    const std::optional<QString> type = AcceptedTypeText(combo[2]->currentText());
    if (combo[2]->isEnabled() && !type) {
        refuseEntry(QStringLiteral("The 'Type of Transaction'\r\nentry is not valid..."), combo[2]);
        return;
    }
    // An amount is never saved as some other amount than the one shown:
    // one that is no number or too large is put right by the user.
    if (const QString problem = AmountEntryError(txtAmount->text()); txtAmount->isEnabled() && !problem.isEmpty()) {
        refuseEntry(problem, txtAmount);
        txtAmount->selectAll();
        return;
    }

    EntryInput input;
    // The stored date stays unless another day was chosen; the day keeps the
    // time of day of the entry, so that its save marker finds it again.
    if (calendar->isVisibleTo(this) && (calendar->date() != shownDay_ || mode() == EntryMode::Adding))
        input.date = EntryDate(calendar->date(), timeOfDay_);
    if (combo[2]->isEnabled())
        input.type = *type;
    if (combo[3]->isEnabled())
        input.payee = combo[3]->currentText();
    if (txtAmount->isEnabled())
        input.amountText = txtAmount->text();
    input.comment = combo[5]->currentText();
    input.notes = NotesForStorage(txtNotes->toPlainText());

    EntryFlags& flags = entryFlags();
    const TransactionRecord record =
        BuildEntryRecord(record_, input, mode(), currentAccount().CurrentAccountKey);
    try {
        flags.SaveMarker = SaveEntry(record, mode(), flags.SelectedRecord);
    } catch (const FileError& error) {
        // Nothing typed is lost: the window stays open to try again.
        ShowFileError(error);
        return;
    }
    saved_ = true;
    cmdCancel_Click();
}

// The "Entry Error" message; the focus, and its cue, go to the input to
// put right, also while the window is not yet active again.
void frmNewEntry::refuseEntry(const QString& message, QWidget* input)
{
    prompts().ask(QStringLiteral("Entry Error"), IconStop, message, 1, {QStringLiteral("&Okay")});
    input->setFocus();
    UpdateFocusCue();
}

void frmNewEntry::cmdCancel_Click()
{
    entryFlags().PrefillFromSelection = false;
    calendar->hidePopup();
    done(saved_ ? Accepted : Rejected);
}

void frmNewEntry::reject()
{
    cmdCancel_Click();
}

}
