// The picture button's properties: what it looks like, how it reads and
// stores them, and the captions and pictures it shows.
#include "controls/ZevButton.h"

#include "controls/ButtonRoles.h"
#include "controls/ZevButtonAccessible.h"
#include "controls/accesskey.h"
#include "controls/buttonpalette.h"
#include "controls/propertybag.h"

#include <QImage>
#include <QPixmap>
#include <QVariant>

namespace tallyo {

namespace {

OleColor toOle(const QColor& colour)
{
    return oleRgb(colour.red(), colour.green(), colour.blue());
}

QPixmap pixmapOf(const QVariant& stored)
{
    if (stored.canConvert<QPixmap>())
        return stored.value<QPixmap>();
    if (stored.canConvert<QImage>())
        return QPixmap::fromImage(stored.value<QImage>());
    return {};
}

}

// --- properties ---------------------------------------------------------

int ZevButton::buttonType() const { return m_props.buttonType; }
void ZevButton::setButtonType(int type)
{
    m_props.buttonType = type;
    updateRegion();
    changed(true);
}

QString ZevButton::caption() const { return m_props.caption; }
void ZevButton::setCaption(const QString& caption)
{
    m_props.caption = caption;
    updateAccessShortcut();
    changed(true);
    NotifyAccessibility(this, QAccessible::NameChanged);
}

QChar ZevButton::accessKey() const { return accessKeyOf(m_props.caption); }

QString ZevButton::fontName() const { return font().family(); }
void ZevButton::setFontName(const QString& family)
{
    QFont f = font();
    f.setFamily(family);
    setFont(f);
}
double ZevButton::fontSize() const { return font().pointSizeF(); }
void ZevButton::setFontSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}
bool ZevButton::fontBold() const { return font().bold(); }
void ZevButton::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}
bool ZevButton::fontItalic() const { return font().italic(); }
void ZevButton::setFontItalic(bool italic)
{
    QFont f = font();
    f.setItalic(italic);
    setFont(f);
}
bool ZevButton::fontUnderline() const { return font().underline(); }
void ZevButton::setFontUnderline(bool underline)
{
    QFont f = font();
    f.setUnderline(underline);
    setFont(f);
}

int ZevButton::colorScheme() const { return m_props.colorScheme; }
void ZevButton::setColorScheme(int scheme)
{
    m_props.colorScheme = scheme;
    changed(false);
}

bool ZevButton::showFocusRect() const { return m_props.showFocusRect; }
void ZevButton::setShowFocusRect(bool show)
{
    m_props.showFocusRect = show;
    changed(false);
}

QColor ZevButton::backColor() const { return colorOf(m_props.backColor); }
void ZevButton::setBackColor(const QColor& colour)
{
    m_props.backColor = toOle(colour);
    if (m_designMode)
        m_props.backOver = m_props.backColor;
    changed(false);
}
QColor ZevButton::backOver() const { return colorOf(m_props.backOver); }
void ZevButton::setBackOver(const QColor& colour)
{
    m_props.backOver = toOle(colour);
    changed(false);
}
QColor ZevButton::foreColor() const { return colorOf(m_props.foreColor); }
void ZevButton::setForeColor(const QColor& colour)
{
    m_props.foreColor = toOle(colour);
    if (m_designMode)
        m_props.foreOver = m_props.foreColor;
    changed(false);
}
QColor ZevButton::foreOver() const { return colorOf(m_props.foreOver); }
void ZevButton::setForeOver(const QColor& colour)
{
    m_props.foreOver = toOle(colour);
    changed(false);
}
QColor ZevButton::maskColor() const { return colorOf(m_props.maskColor); }
void ZevButton::setMaskColor(const QColor& colour)
{
    m_props.maskColor = toOle(colour);
    changed(false);
}
bool ZevButton::useMaskColor() const { return m_props.useMaskColor; }
void ZevButton::setUseMaskColor(bool use)
{
    m_props.useMaskColor = use;
    changed(false);
}
bool ZevButton::softBevel() const { return m_props.softBevel; }
void ZevButton::setSoftBevel(bool soft)
{
    m_props.softBevel = soft;
    changed(false);
}

int ZevButton::mousePointer() const { return m_props.mousePointer; }
void ZevButton::setMousePointer(int shape)
{
    m_props.mousePointer = qint16(shape);
    applyPointer();
    changed(false);
}
QPixmap ZevButton::mouseIcon() const { return m_mouseIcon; }
void ZevButton::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    applyPointer();
    changed(false);
}

QPixmap ZevButton::pictureNormal() const { return m_pictureNormal; }
void ZevButton::setPictureNormal(const QPixmap& picture)
{
    m_pictureNormal = picture;
    changed(true);
}
QPixmap ZevButton::pictureOver() const { return m_pictureOver; }
void ZevButton::setPictureOver(const QPixmap& picture)
{
    m_pictureOver = picture;
    changed(false);
}
int ZevButton::picturePosition() const { return m_props.picturePosition; }
void ZevButton::setPicturePosition(int position)
{
    m_props.picturePosition = position;
    changed(true);
}
bool ZevButton::useGreyscale() const { return m_props.useGreyscale; }
void ZevButton::setUseGreyscale(bool grey)
{
    m_props.useGreyscale = grey;
    changed(false);
}
int ZevButton::specialEffect() const { return m_props.specialEffect; }
void ZevButton::setSpecialEffect(int effect)
{
    m_props.specialEffect = effect;
    changed(false);
}

bool ZevButton::checkBoxBehaviour() const { return m_props.checkBoxBehaviour; }
void ZevButton::setCheckBoxBehaviour(bool toggle)
{
    m_props.checkBoxBehaviour = toggle;
    changed(false);
}
bool ZevButton::value() const { return m_props.value; }
void ZevButton::setValue(bool down)
{
    m_props.value = down;
    changed(false);
    NotifyAccessibility(this, QAccessible::StateChanged);
}

QString ZevButton::tag() const { return m_tag; }
void ZevButton::setTag(const QString& tag) { m_tag = tag; }

bool ZevButton::isDefault() const { return m_default; }
void ZevButton::setDefault(bool isDefault)
{
    if (isDefault)
        for (ZevButton* other : ButtonRoles::buttonsOf(window()))
            other->m_default = false;
    m_default = isDefault;
    attachToWindow();
}
bool ZevButton::isCancel() const { return m_cancel; }
void ZevButton::setCancel(bool isCancel)
{
    if (isCancel)
        for (ZevButton* other : ButtonRoles::buttonsOf(window()))
            other->m_cancel = false;
    m_cancel = isCancel;
    attachToWindow();
}

bool ZevButton::designMode() const { return m_designMode; }
void ZevButton::setDesignMode(bool designing) { m_designMode = designing; }
bool ZevButton::isDesignChanged() const { return m_designChanged; }
void ZevButton::clearDesignChanged() { m_designChanged = false; }

const ButtonProperties& ZevButton::properties() const { return m_props; }

void ZevButton::readProperties(const PropertyBag& bag)
{
    m_props.readFrom(bag);
    const QVariant storedFont = bag.read(FontKey);
    if (storedFont.canConvert<QFont>() && storedFont.userType() == QMetaType::QFont) {
        setFont(storedFont.value<QFont>());
    } else if (storedFont.userType() == QMetaType::QString) {
        QFont f;
        if (f.fromString(storedFont.toString()))
            setFont(f);
    }
    m_mouseIcon = pixmapOf(bag.read(MouseIconKey));
    m_pictureNormal = pixmapOf(bag.read(PictureNormalKey));
    m_pictureOver = pixmapOf(bag.read(PictureOverKey));
    setEnabled(m_props.enabled);
    updateAccessShortcut();
    applyPointer();
    updateRegion();
    update();
    m_designChanged = false;
}

void ZevButton::writeProperties(PropertyBag& bag) const
{
    ButtonProperties stored = m_props;
    stored.enabled = isEnabled();
    stored.writeTo(bag);
    bag.write(FontKey, font());
    bag.write(MouseIconKey, m_mouseIcon);
    bag.write(PictureNormalKey, m_pictureNormal);
    bag.write(PictureOverKey, m_pictureOver);
}

void ZevButton::changed(bool relayout)
{
    m_designChanged = true;
    emit designChanged();
    if (relayout)
        updateGeometry();
    update();
}

}
