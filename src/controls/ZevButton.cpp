#include "controls/ZevButton.h"

#include "controls/ButtonPainter.h"
#include "controls/ButtonRoles.h"
#include "controls/ZevButtonAccessible.h"
#include "controls/accesskey.h"
#include "controls/buttonlayout.h"
#include "controls/buttonpalette.h"
#include "controls/propertybag.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <algorithm>

namespace tallyo {

namespace {

constexpr int Up = 0;
constexpr int Pressed = 2;
constexpr int TransparentLook = 11;

// The desktop palette entry that stands for a system colour.
QPalette::ColorRole roleOfSystemColor(int index, QPalette::ColorGroup* group)
{
    *group = QPalette::Active;
    switch (index) {
    case SysWindow: return QPalette::Base;
    case SysWindowText: return QPalette::Text;
    case SysButtonShadow: return QPalette::Dark;
    case SysGrayText: *group = QPalette::Disabled; return QPalette::Text;
    case SysButtonText: return QPalette::ButtonText;
    case SysButtonHighlight: return QPalette::Light;
    case SysDarkShadow: return QPalette::Shadow;
    case SysLight: return QPalette::Midlight;
    case SysHighlight: return QPalette::Highlight;
    case SysHighlightText: return QPalette::HighlightedText;
    case SysInfoText: return QPalette::ToolTipText;
    case SysInfoBack: return QPalette::ToolTipBase;
    case SysDesktop: case SysActiveCaption: case SysInactiveCaption: case SysMenu: return QPalette::Window;
    case SysMenuText: case SysCaptionText: return QPalette::WindowText;
    default: return QPalette::Button; // the button face and anything unknown
    }
}

Rgb toRgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

Qt::CursorShape pointerShape(int number)
{
    switch (number) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

QString displayCaption(QString caption)
{
    return caption.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

}

ZevButton::ZevButton(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    attachToWindow();
    InstallZevButtonAccessibility();
}

ZevButton::~ZevButton() = default;

// --- actions ------------------------------------------------------------

void ZevButton::click()
{
    if (!isEnabled())
        return;
    if (m_props.checkBoxBehaviour)
        m_props.value = !m_props.value;
    drawState(Up);
    refresh();
    emit clicked();
}

void ZevButton::refresh()
{
    repaint();
}

int ZevButton::visualState() const
{
    return m_props.checkBoxBehaviour && m_props.value ? Pressed : m_state;
}

bool ZevButton::isMouseOver() const { return m_mouseOver; }

void ZevButton::drawState(int state)
{
    m_state = state;
    m_paintOver = m_mouseOver;
    update();
}

// --- mouse --------------------------------------------------------------

void ZevButton::mousePressEvent(QMouseEvent* event)
{
    const QPointer<ZevButton> alive(this);
    emit mouseDown(event->button(), event->modifiers(), event->position());
    if (!alive)
        return;
    m_lastButton = event->button();
    if (event->button() != Qt::RightButton)
        drawState(Pressed);
}

void ZevButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // A fast second click presses the button again: its release clicks.
    emit mouseDown(Qt::LeftButton, event->modifiers(), QPointF(0, 0));
    m_lastButton = Qt::LeftButton;
    drawState(Pressed);
}

void ZevButton::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(event->buttons(), event->modifiers(), event->position());
    if (event->buttons() == Qt::NoButton || event->buttons() == Qt::LeftButton)
        trackPointer(event->position().toPoint(), event->buttons());
}

void ZevButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointer<ZevButton> alive(this);
    emit mouseUp(event->button(), event->modifiers(), event->position());
    if (!alive)
        return;
    if (event->button() != Qt::RightButton)
        drawState(Up);
    const bool inside = rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && m_lastButton == Qt::LeftButton && inside)
        click();
}

// Hovering starts with the first mouse move over the button, not with the
// enter event: a window that opens under a resting pointer shows its buttons
// plain until the mouse moves.
void ZevButton::leaveEvent(QEvent*)
{
    if (m_tracking)
        endHover();
}

void ZevButton::trackPointer(QPoint pos, Qt::MouseButtons buttons)
{
    if (!rect().contains(pos)) {
        // Dragged off with the button held: the mouse is captured, so no
        // leave comes until it is released.
        if (m_tracking)
            endHover();
        else
            drawState(Up);
        return;
    }
    if (!m_tracking)
        emit mouseIn();
    if (buttons == Qt::NoButton && !m_mouseOver) {
        m_tracking = true;
        m_mouseOver = true;
        drawState(Up);
        emit mouseOver();
    } else if (buttons == Qt::LeftButton) {
        m_mouseOver = true;
        drawState(Pressed);
        m_mouseOver = false;
    }
}

void ZevButton::endHover()
{
    m_tracking = false;
    m_mouseOver = false;
    drawState(Up);
    emit mouseOut();
}

// --- keys and focus -----------------------------------------------------

void ZevButton::keyPressEvent(QKeyEvent* event)
{
    const QPointer<ZevButton> alive(this);
    emit keyDown(event->key(), event->modifiers());
    if (!alive)
        return;
    if (!event->text().isEmpty())
        emit keyPress(event->text().front().unicode());
    if (!alive)
        return;
    if (!event->isAutoRepeat())
        m_lastKey = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->key() == Qt::Key_Space && plain) {
        drawState(Pressed);
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        click(); // the focused button answers Enter
    } else if (plain && ButtonRoles::pressAccessKey(window(), ButtonRoles::keyLetter(event))) {
        // A button takes no typing, so a plain access key presses its button.
    } else {
        event->ignore(); // Esc, Enter elsewhere and Alt keys are the window's
    }
}

void ZevButton::keyReleaseEvent(QKeyEvent* event)
{
    const QPointer<ZevButton> alive(this);
    emit keyUp(event->key(), event->modifiers());
    if (!alive || event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Space && m_lastKey == Qt::Key_Space) {
        m_lastKey = 0;
        click();
    } else {
        event->ignore();
    }
}

void ZevButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    drawState(m_state);
}

void ZevButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (m_lastKey == Qt::Key_Space && m_state == Pressed) {
        // The Space release goes elsewhere now: let the button up.
        m_lastKey = 0;
        m_state = Up;
    }
    drawState(m_state);
}

// --- life cycle ---------------------------------------------------------

void ZevButton::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    attachToWindow();
    updateRegion();
}

void ZevButton::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_tracking)
        endHover();
}

void ZevButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateRegion();
}

void ZevButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        m_props.enabled = isEnabled();
        if (!isEnabled()) {
            m_tracking = m_mouseOver = false;
            m_state = Up;
        }
        drawState(m_state);
        break;
    case QEvent::FontChange:
        m_designChanged = true;
        updateGeometry();
        update();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

bool ZevButton::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        attachToWindow();
    if (event->type() == QEvent::ToolTipChange)
        NotifyAccessibility(this, QAccessible::DescriptionChanged);
    if (event->type() == QEvent::Shortcut
        && static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        click();
        return true;
    }
    return QWidget::event(event);
}

void ZevButton::updateAccessShortcut()
{
    // Alt + access key works anywhere in the window, even from a text box,
    // because shortcuts are looked up before the focused control types.
    if (m_shortcutId)
        releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QChar key = accessKey();
    if (!key.isNull())
        m_shortcutId = grabShortcut(QKeySequence(QLatin1String("Alt+") + key.toUpper()));
}

void ZevButton::attachToWindow()
{
    if (window() != this)
        ButtonRoles::watch(window());
}

void ZevButton::applyPointer()
{
    if (m_props.mousePointer == 0)
        unsetCursor();
    else if (m_props.mousePointer == CustomPointer && !m_mouseIcon.isNull())
        setCursor(QCursor(m_mouseIcon));
    else
        setCursor(pointerShape(m_props.mousePointer));
}

void ZevButton::updateRegion()
{
    const QList<QRect> rows = windowRegionFor(m_props.buttonType, width(), height());
    if (rows.isEmpty()) {
        clearMask();
        return;
    }
    QRegion region;
    for (const QRect& row : rows)
        region += row;
    setMask(region);
}

// --- drawing ------------------------------------------------------------

QColor ZevButton::colorOf(OleColor colour) const
{
    if (!isSystemColor(colour))
        return QColor(oleRed(colour), oleGreen(colour), oleBlue(colour));
    QPalette::ColorGroup group;
    const QPalette::ColorRole role = roleOfSystemColor(systemColorIndex(colour), &group);
    return palette().color(group, role);
}

ButtonFace ZevButton::face() const
{
    ButtonFace f;
    f.size = size();
    f.buttonType = m_props.buttonType;
    f.state = visualState();
    f.over = m_paintOver;
    f.enabled = isEnabled();
    f.focused = hasFocus();
    f.showFocusRect = m_props.showFocusRect;
    f.caption = displayCaption(m_props.caption);
    f.font = font();
    f.picturePosition = m_props.picturePosition;
    f.pictureNormal = m_pictureNormal.toImage();
    f.pictureOver = m_pictureOver.toImage();
    f.useMaskColor = m_props.useMaskColor;
    f.useGreyscale = m_props.useGreyscale;
    f.specialEffect = m_props.specialEffect;
    f.softBevel = m_props.softBevel;
    f.transparent = m_props.buttonType == TransparentLook;

    PaletteSource source;
    const int scheme = m_props.colorScheme;
    if (scheme == CustomScheme) {
        source.face = toRgb(colorOf(f.over ? m_props.backOver : m_props.backColor));
        source.text = toRgb(colorOf(m_props.foreColor));
        source.hoverText = toRgb(colorOf(m_props.foreOver));
    } else if (scheme == ParentScheme) {
        const QWidget* host = parentWidget() ? parentWidget() : this;
        source.face = toRgb(host->palette().color(host->backgroundRole()));
        source.text = toRgb(host->palette().color(host->foregroundRole()));
    } else {
        const QPalette& system = palette();
        source.face = toRgb(system.color(QPalette::Button));
        source.text = source.hoverText = toRgb(system.color(QPalette::ButtonText));
        source.shadow = toRgb(system.color(QPalette::Dark));
        source.light = toRgb(system.color(QPalette::Midlight));
        source.highlight = toRgb(system.color(QPalette::Light));
    }
    f.palette = buildPalette(scheme, source, toRgb(colorOf(m_props.maskColor)), m_props.buttonType,
                             m_props.softBevel);

    const QFontMetrics metrics(f.font);
    const QString text = f.caption;
    const auto measure = [&](int boxWidth) {
        if (text.isEmpty())
            return QSize();
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
        return metrics.boundingRect(QRect(0, 0, boxWidth, 1 << 20), flags, text).size();
    };
    f.layout = layoutButton(width(), height(), m_pictureNormal.size(), m_props.picturePosition,
                            !text.isEmpty(), measure);
    return f;
}

void ZevButton::paintEvent(QPaintEvent*)
{
    if (height() == 0)
        return;
    QPainter painter(this);
    paintButton(painter, face());
}

QRect ZevButton::captionBox() const
{
    return m_props.caption.isEmpty() ? QRect() : face().layout.caption;
}

QRect ZevButton::pictureBox() const
{
    return m_pictureNormal.isNull() ? QRect() : QRect(face().layout.picture, m_pictureNormal.size());
}

QSize ZevButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize text = metrics.size(Qt::TextShowMnemonic, displayCaption(m_props.caption));
    const QSize picture = m_pictureNormal.size();
    const int gap = picture.isEmpty() || text.isEmpty() ? 0 : 6;
    return QSize(std::max(75, text.width() + picture.width() + gap + 20),
                 std::max({23, text.height() + 12, picture.height() + 8}));
}

}
