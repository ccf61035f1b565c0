#include "controls/AccessibleNames.h"

#include "controls/ZevButton.h"
#include "controls/accessibletext.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocumentFragment>

namespace tallyo {

namespace {

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

// A control the user can reach with Tab that names nothing by itself: a
// picture button names itself, a standard button by its text.
bool NeedsName(const QWidget& widget)
{
    if (!(widget.focusPolicy() & Qt::TabFocus) || !widget.accessibleName().isEmpty())
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

void NameControl(QWidget& control)
{
    QString name = CaptionBeside(control);
    if (name.isEmpty())
        name = HintName(control);
    if (name.isEmpty())
        if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
            name = SpokenLine(edit->placeholderText());
    if (name.isEmpty())
        return;
    control.setAccessibleName(name);
    // The text box inside carries the same name, for readers that land on it.
    if (auto* combo = qobject_cast<QComboBox*>(&control); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
    for (QLineEdit* inner : control.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QAbstractSpinBox*>(&control) && inner->accessibleName().isEmpty())
            inner->setAccessibleName(name);
    }
}

class NamingFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            // A window names all its controls as it shows; a control shown
            // later (each gets its own show event) names itself.
            if (widget->isWindow())
                NameUnnamedControls(*widget);
            else if (NeedsName(*widget))
                NameControl(*widget);
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
