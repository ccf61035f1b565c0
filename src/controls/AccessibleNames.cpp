#include "controls/AccessibleNames.h"

#include "controls/ZevButton.h"
#include "controls/accessibletext.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTextDocumentFragment>
#include <QTimer>

namespace tallyo {

namespace {

// The name this file gave a control, kept so that a later pass may
// renew it (captions are filled when a window first becomes active) while
// a name given in code is never touched.
constexpr char MadeName[] = "tallyoMadeName";
constexpr char MadeDescription[] = "tallyoMadeDescription";

bool MadeHere(const QWidget& widget, const char* property, const QString& text)
{
    return text.isEmpty() || widget.property(property).toString() == text;
}

QString LabelText(const QLabel& label)
{
    QString text = label.text();
    if (label.textFormat() == Qt::RichText || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    text = SpokenLine(text);
    while (text.endsWith(u':'))
        text.chop(1);
    return text.trimmed();
}

// The caption a window shows for a control: its buddy label, else the
// nearest label on its left on the same line and the nearest label just
// above it, both when there are both ("Check number, Row").
QString CaptionBeside(const QWidget& control)
{
    const QWidget* parent = control.parentWidget();
    if (!parent)
        return {};
    const QRect box = control.geometry();
    const QLabel* left = nullptr;
    const QLabel* above = nullptr;
    int leftGap = 0, aboveGap = 0;
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->isHidden() || LabelText(*label).isEmpty())
            continue;
        if (label->buddy() == &control)
            return LabelText(*label);
        const QRect r = label->geometry();
        const int slack = 4;
        const int centre = r.center().y();
        if (r.right() <= box.left() + slack && centre >= box.top() && centre <= box.bottom()) {
            const int gap = box.left() - r.right();
            if (gap <= 240 && (!left || gap < leftGap)) {
                left = label;
                leftGap = gap;
            }
        }
        const bool overlaps = r.left() < box.right() && r.right() > box.left();
        if (overlaps && r.bottom() <= box.top() + slack) {
            const int gap = box.top() - r.bottom();
            if (gap <= qMax(2 * r.height(), 24) && (!above || gap < aboveGap)) {
                above = label;
                aboveGap = gap;
            }
        }
    }
    QStringList parts;
    for (const QLabel* label : {left, above}) {
        if (label)
            parts << LabelText(*label);
    }
    return parts.join(QStringLiteral(", "));
}

QString HintName(const QWidget& control)
{
    QString name = SpokenLine(control.toolTip());
    TrailingKeyMark(name, &name);
    return name;
}

// The first shown column's header of a grid.
QString FirstHeader(const QAbstractItemView& view)
{
    const auto* table = qobject_cast<const QTableView*>(&view);
    if (!table || !view.model())
        return {};
    const QHeaderView* header = table->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            return SpokenLine(view.model()->headerData(column, Qt::Horizontal).toString());
    }
    return {};
}

// The drop-down list a widget belongs to: its open list lives in a popup
// window of its own, a child of the list's box.
const QComboBox* OwningComboBox(const QWidget& widget)
{
    for (const QWidget* up = widget.parentWidget(); up; up = up->parentWidget()) {
        if (const auto* combo = qobject_cast<const QComboBox*>(up))
            return combo;
    }
    return nullptr;
}

// What names a control that the window shows no caption for: a drop-down
// list's open list the box's name, a grid its first column's header, a date
// box what it holds.
QString KindName(const QWidget& control)
{
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&control)) {
        if (const QComboBox* combo = OwningComboBox(control))
            return combo->accessibleName().isEmpty() ? CaptionBeside(*combo) : combo->accessibleName();
        return FirstHeader(*view);
    }
    if (qobject_cast<const QDateEdit*>(&control))
        return QStringLiteral("Date");
    return {};
}

// A control the user can reach with Tab that names nothing by itself: a
// picture button names itself, a standard button by its text.
bool NeedsName(const QWidget& widget)
{
    if (!(widget.focusPolicy() & Qt::TabFocus) || !MadeHere(widget, MadeName, widget.accessibleName()))
        return false;
    if (qobject_cast<const ZevButton*>(&widget))
        return false;
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget); button && !button->text().isEmpty())
        return false;
    // The text box inside a drop-down list or a date box is named with it.
    const QWidget* parent = widget.parentWidget();
    if (qobject_cast<const QLineEdit*>(&widget)
        && (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent)))
        return false;
    return true;
}

void SetMadeName(QWidget& widget, const QString& name)
{
    if (!MadeHere(widget, MadeName, widget.accessibleName()))
        return;
    widget.setAccessibleName(name);
    widget.setProperty(MadeName, name);
}

void NameControl(QWidget& control)
{
    QString name = CaptionBeside(control);
    if (name.isEmpty())
        name = KindName(control);
    if (name.isEmpty())
        name = HintName(control);
    if (name.isEmpty())
        if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
            name = SpokenLine(edit->placeholderText());
    if (name.isEmpty())
        return;
    SetMadeName(control, name);
    // The text box inside a drop-down list or a date box carries the same
    // name, for readers that land on it.
    const bool boxWithText = qobject_cast<QComboBox*>(&control) || qobject_cast<QAbstractSpinBox*>(&control);
    for (QLineEdit* inner : control.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        if (boxWithText)
            SetMadeName(*inner, name);
    }
    // A grid's interface reads no hint of itself: its hint is its description.
    const QString hint = SpokenLine(control.toolTip());
    if (qobject_cast<QAbstractItemView*>(&control) && hint != name
        && MadeHere(control, MadeDescription, control.accessibleDescription())) {
        control.setAccessibleDescription(hint);
        control.setProperty(MadeDescription, hint);
    }
}

class NamingFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::WindowActivate) && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            // A window names its controls as it shows and each time it
            // becomes active, once its own handlers have filled their
            // captions; a control shown later in a window names itself.
            if (widget->isWindow())
                QTimer::singleShot(0, widget, [widget] { NameUnnamedControls(*widget); });
            else if (type == QEvent::Show && NeedsName(*widget))
                QTimer::singleShot(0, widget, [widget] {
                    if (NeedsName(*widget))
                        NameControl(*widget);
                });
        }
        return QObject::eventFilter(watched, event);
    }
};

}

void NameUnnamedControls(QWidget& root)
{
    if (NeedsName(root))
        NameControl(root);
    for (QWidget* child : root.findChildren<QWidget*>()) {
        if (NeedsName(*child))
            NameControl(*child);
    }
}

void InstallControlNaming()
{
    static QObject* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new NamingFilter(qApp);
    qApp->installEventFilter(filter);
}

}
