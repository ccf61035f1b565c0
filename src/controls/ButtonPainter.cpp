#include "controls/ButtonPainter.h"

#include <QPainter>
#include <functional>

namespace tallyo {

namespace {

constexpr int Pressed = 2;
constexpr Rgb OutlineBlue{0, 60, 115};
constexpr Rgb CornerBlue{16, 77, 123};

enum CaptionStyle { NormalText = 0, HoverText = 1, PressedText = 2, DisabledText = 3, SunkenText = 5 };

QColor toColor(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

// Draws one paint of a button. Lines run from their first coordinate up to,
// not including, their last, as pen lines on the desktop do.
class ButtonCanvas {
public:
    ButtonCanvas(QPainter& painter, const ButtonFace& face)
        : p(painter), f(face), pal(face.palette), shift{face.softBevel},
          w(face.size.width()), h(face.size.height())
    {
    }

    void paint();

private:
    void hline(int y, int x1, int x2, Rgb c) { if (x2 > x1) p.fillRect(QRect(x1, y, x2 - x1, 1), toColor(c)); }
    void vline(int x, int y1, int y2, Rgb c) { if (y2 > y1) p.fillRect(QRect(x, y1, 1, y2 - y1), toColor(c)); }
    void pixel(int x, int y, Rgb c) { p.fillRect(QRect(x, y, 1, 1), toColor(c)); }
    void frame(const QRect& r, Rgb c);
    void fill(const QRect& r, Rgb c) { p.fillRect(r, toColor(c)); }

    void look3();
    void look11();
    void look14();
    void outline3();
    void highlightShading();
    void caption(CaptionStyle style);
    void effect(Rgb base, const std::function<void(QPoint, Rgb)>& drawAt);
    void text(const QRect& box, Rgb c);
    void focusRect();
    void picture();
    void drawPictureImage(const QImage& picture, QPoint at, bool grey);
    void silhouette(const QImage& picture, QPoint at, Rgb c, bool darkOnly);

    bool drawsCaption() const { return f.buttonType == 3 || f.buttonType == 11 || f.buttonType == 14; }

    QPainter& p;
    const ButtonFace& f;
    const ButtonPalette& pal;
    const Shifter shift;
    const int w;
    const int h;
    CaptionStyle m_captionStyle = NormalText;
};

void ButtonCanvas::frame(const QRect& r, Rgb c)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    hline(r.top(), r.left(), r.right() + 1, c);
    hline(r.bottom(), r.left(), r.right() + 1, c);
    vline(r.left(), r.top(), r.bottom() + 1, c);
    vline(r.right(), r.top(), r.bottom() + 1, c);
}

void ButtonCanvas::paint()
{
    if (!f.transparent)
        fill(QRect(0, 0, w, h), pal.face);
    switch (f.buttonType) {
    case 3: look3(); break;
    case 11: look11(); break;
    case 14: look14(); break;
    default: break; // the face colour and the picture only
    }
    focusRect();
    picture();
    // A picture behind the caption must not cover it.
    if (drawsCaption() && f.picturePosition == PictureBehind)
        caption(m_captionStyle);
}

void ButtonCanvas::outline3()
{
    frame(QRect(0, 0, w, h), OutlineBlue);
    for (const QPoint corner : {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
        pixel(corner.x(), corner.y(), CornerBlue);
}

void ButtonCanvas::highlightShading()
{
    for (int y = 0; y < h; ++y)
        hline(y, 0, w, shift(pal.highlight, -rnd(58.0 * y / h)));
}

void ButtonCanvas::look3()
{
    const Rgb tint = pal.tint;
    if (!f.enabled) {
        fill(QRect(0, 0, w, h), shift(tint, -24));
        frame(QRect(0, 0, w, h), shift(tint, -84));
        for (const QPoint corner : {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
            pixel(corner.x(), corner.y(), shift(tint, -72));
        caption(DisabledText);
        return;
    }
    if (f.state == Pressed) {
        const Rgb base = shift(tint, -32, true);
        // Darkest at the top: the face looks pushed in.
        for (int y = 1; y <= h; ++y)
            hline(h - y, 0, w, shift(base, -rnd(25.0 * y / h), true));
        caption(PressedText);
        outline3();
        hline(h - 2, 2, w - 2, shift(base, 16));
        hline(h - 3, 1, w - 2, shift(base, 10));
        vline(w - 2, 2, h - 2, shift(base, 5));
        vline(w - 3, 3, h - 3, tint);
        hline(1, 2, w - 2, shift(base, -32));
        hline(2, 1, w - 2, shift(base, -24));
        vline(1, 2, h - 2, shift(base, -32));
        vline(2, 3, h - 3, shift(base, -22));
        return;
    }
    const auto bevel = [&] {
        hline(h - 2, 2, w - 2, shift(tint, -48, true));
        hline(h - 3, 1, w - 2, shift(tint, -32, true));
        vline(w - 2, 2, h - 2, shift(tint, -36, true));
        vline(w - 3, 3, h - 3, shift(tint, -24, true));
        hline(1, 2, w - 2, shift(tint, 16, true));
        hline(2, 1, w - 2, shift(tint, 10, true));
        vline(1, 2, h - 2, shift(tint, -5, true));
        vline(2, 3, h - 3, shift(tint, -10, true));
    };
    const CaptionStyle style = f.over ? HoverText : NormalText;
    for (int y = 1; y <= h; ++y)
        hline(y, 0, w, shift(tint, -rnd(25.0 * y / h), true));
    caption(style);
    outline3();
    if (f.over) {
        // Hovered: a brighter face over the first one, edges drawn again.
        highlightShading();
        bevel();
        caption(style);
        outline3();
    } else {
        bevel();
    }
}

void ButtonCanvas::look11()
{
    // The background stays as the parent painted it.
    if (!f.enabled) {
        caption(DisabledText);
        return;
    }
    if (f.state == Pressed) {
        hline(0, 0, w, pal.shadow);
        vline(0, 0, h, pal.shadow);
        hline(h - 1, 0, w, pal.highlight);
        vline(w - 1, 0, h, pal.highlight);
        caption(SunkenText);
    } else if (f.over) {
        hline(0, 0, w, pal.highlight);
        vline(0, 0, h, pal.highlight);
        hline(h - 1, 0, w, pal.shadow);
        vline(w - 1, 0, h, pal.shadow);
        caption(HoverText);
    } else {
        caption(NormalText);
    }
}

void ButtonCanvas::look14()
{
    if (f.enabled && f.state == Pressed) {
        fill(QRect(1, 1, w - 1, h - 1), shift(pal.face, -9));
        frame(QRect(0, 0, w, h), shift(pal.shadow, -48));
        hline(h - 2, 2, w - 2, pal.highlight);
        vline(w - 2, 2, h - 1, pal.highlight);
        caption(SunkenText);
        return;
    }
    const bool hover = f.enabled && f.over;
    if (hover)
        fill(QRect(0, 0, w, h), pal.light);
    else
        highlightShading();
    caption(!f.enabled ? DisabledText : hover ? HoverText : NormalText);
    frame(QRect(0, 0, w, h), shift(pal.shadow, -50));
    frame(QRect(1, 1, w - 2, h - 2), shift(pal.face, -9));
    fill(QRect(2, 2, w - 4, 2), pal.highlight);
    fill(QRect(2, 4, 2, h - 6), pal.highlight);
}

void ButtonCanvas::effect(Rgb base, const std::function<void(QPoint, Rgb)>& drawAt)
{
    const int fx = f.specialEffect;
    if (fx < 1)
        return;
    const bool sunken = fx == 2;
    drawAt(QPoint(1, 1), shift(base, sunken ? 40 : -40));
    if (fx == 1 || fx == 2)
        drawAt(QPoint(-1, -1), shift(base, sunken ? -40 : 40));
}

void ButtonCanvas::text(const QRect& box, Rgb c)
{
    p.setPen(toColor(c));
    // The box was measured to the caption's exact width; a few pixels of
    // slack on each side keep the painter's rounding from wrapping a line
    // that was measured to fit. The caption stays centred.
    p.drawText(box.adjusted(-3, 0, 3, 0),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, f.caption);
}

void ButtonCanvas::caption(CaptionStyle style)
{
    m_captionStyle = style;
    if (f.caption.isEmpty() || !drawsCaption())
        return;
    p.setFont(f.font);
    const QRect& box = f.layout.caption;
    const QRect& pressed = f.layout.pressedCaption;
    const Rgb base = f.buttonType == 14 ? pal.tint : pal.face;
    const auto shadowText = [&](const QRect& at) {
        effect(base, [&](QPoint offset, Rgb c) { text(at.translated(offset), c); });
    };
    switch (style) {
    case NormalText: shadowText(box); text(box, pal.text); break;
    case HoverText: shadowText(box); text(box, pal.hoverText); break;
    case PressedText: shadowText(pressed); text(pressed, pal.hoverText); break;
    case DisabledText: text(pressed, pal.highlight); text(box, pal.shadow); break;
    case SunkenText: text(pressed, shift(pal.shadow, -50)); text(box, pal.highlight); break;
    }
}

void ButtonCanvas::focusRect()
{
    if (!f.showFocusRect || !f.focused)
        return;
    // A dotted rectangle: every other pixel along the edges.
    const QRect r = focusRectFor(f.buttonType, w, h);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor c = toColor(pal.text);
    const auto dot = [&](int x, int y) {
        if ((x + y - r.left() - r.top()) % 2 == 0)
            p.fillRect(QRect(x, y, 1, 1), c);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

// A picture pixel that shows: opaque in an icon, not the mask colour in a
// plain picture when the mask is in use.
bool shows(QRgb px, bool icon, bool useMask, Rgb mask)
{
    if (icon)
        return qAlpha(px) >= 128;
    return !(useMask && qRed(px) == mask.red && qGreen(px) == mask.green && qBlue(px) == mask.blue);
}

void ButtonCanvas::drawPictureImage(const QImage& picture, QPoint at, bool grey)
{
    const bool icon = picture.hasAlphaChannel();
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            QRgb& px = line[x];
            if (!icon && !shows(px, false, f.useMaskColor, pal.mask)) {
                px = 0;
            } else if (grey) {
                const int g = greyOf(px);
                px = qRgba(g, g, g, qAlpha(px));
            }
        }
    }
    p.drawImage(at, img);
}

void ButtonCanvas::silhouette(const QImage& picture, QPoint at, Rgb c, bool darkOnly)
{
    const bool icon = picture.hasAlphaChannel();
    const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
    QImage img(src.size(), QImage::Format_ARGB32);
    const QRgb colour = qRgb(c.red, c.green, c.blue);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb px = in[x];
            bool on = shows(px, icon, f.useMaskColor, pal.mask);
            if (darkOnly)
                on = on && qRed(px) + qGreen(px) + qBlue(px) < 385;
            out[x] = on ? colour : 0;
        }
    }
    p.drawImage(at, img);
}

void ButtonCanvas::picture()
{
    if (f.pictureNormal.isNull())
        return;
    const QPoint at = f.layout.picture;
    if (!f.enabled) {
        // Embossed: a light copy below right, the dark silhouette on top.
        silhouette(f.pictureNormal, at + QPoint(1, 1), pal.highlight, true);
        silhouette(f.pictureNormal, at, pal.shadow, true);
        return;
    }
    const bool pressed = f.state == Pressed;
    const bool lit = pressed || f.over;
    const QImage& pic = lit && !f.pictureOver.isNull() ? f.pictureOver : f.pictureNormal;
    const QPoint place = pressed ? at + QPoint(1, 1) : at;
    const Rgb base = f.buttonType == 3 ? pal.tint : pal.face;
    effect(base, [&](QPoint offset, Rgb c) { silhouette(pic, place + offset, c, false); });
    drawPictureImage(pic, place, !lit && f.useGreyscale);
}

}

int greyOf(QRgb pixel)
{
    return rnd(0.30 * qRed(pixel) + 0.59 * qGreen(pixel) + 0.11 * qBlue(pixel));
}

void paintButton(QPainter& painter, const ButtonFace& face)
{
    if (face.size.isEmpty())
        return;
    ButtonCanvas(painter, face).paint();
}

}
