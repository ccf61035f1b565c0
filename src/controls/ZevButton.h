#pragma once
// ZevButton: the program's own owner-drawn push button. Every command button
// of every window is one. It draws its own face (looks 3, 11 and 14; any
// other look shows only the face colour and the picture), a word-wrapped
// caption with an "&" access key, an optional picture (a second one while
// hovered), hover and pressed looks, and can behave as a check box.
//
// Windows make one button the default (Enter presses it) and one the cancel
// button (Esc presses it); a focused button answers Enter and Space itself,
// and Alt plus its access key (or the plain key while a button has the
// focus) presses it too. Colours are set as QColor; stored designs may also
// hold system colours (see buttonproperties.h).
#include "controls/buttonproperties.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace tallyo {

class PropertyBag;
struct ButtonFace;

class ZevButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ButtonType READ buttonType WRITE setButtonType)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int ColorScheme READ colorScheme WRITE setColorScheme)
    Q_PROPERTY(bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor BackOver READ backOver WRITE setBackOver)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor ForeOver READ foreOver WRITE setForeOver)
    Q_PROPERTY(QColor MaskColor READ maskColor WRITE setMaskColor)
    Q_PROPERTY(bool UseMaskColor READ useMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(bool SoftBevel READ softBevel WRITE setSoftBevel)
    Q_PROPERTY(int PicturePosition READ picturePosition WRITE setPicturePosition)
    Q_PROPERTY(bool UseGreyscale READ useGreyscale WRITE setUseGreyscale)
    Q_PROPERTY(int SpecialEffect READ specialEffect WRITE setSpecialEffect)
    Q_PROPERTY(bool CheckBoxBehaviour READ checkBoxBehaviour WRITE setCheckBoxBehaviour)
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)

public:
    static constexpr const char* Version = "w2008.08.09";

    explicit ZevButton(QWidget* parent = nullptr);
    ~ZevButton() override;

    // Look: 3, 11 and 14 are drawn in full; any other value draws the face
    // colour, the focus rectangle and the picture only.
    int buttonType() const;
    void setButtonType(int type);

    // Caption; "&" marks the access key, "&&" is a literal ampersand, CR LF
    // (or LF) breaks the line.
    QString caption() const;
    void setCaption(const QString& caption);
    QChar accessKey() const; // lower case; null when there is none

    // Enabled: QWidget::setEnabled / isEnabled. Font: QWidget::setFont, or
    // these shortcuts to its parts.
    QString fontName() const;
    void setFontName(const QString& family);
    double fontSize() const;
    void setFontSize(double points);
    bool fontBold() const;
    void setFontBold(bool bold);
    bool fontItalic() const;
    void setFontItalic(bool italic);
    bool fontUnderline() const;
    void setFontUnderline(bool underline);

    // 2 custom colours, 3 fixed grey, 4 the parent's colours, else system.
    int colorScheme() const;
    void setColorScheme(int scheme);
    bool showFocusRect() const;
    void setShowFocusRect(bool show);

    QColor backColor() const; // face
    void setBackColor(const QColor& colour);
    QColor backOver() const; // face while the mouse is over the button
    void setBackOver(const QColor& colour);
    QColor foreColor() const; // caption
    void setForeColor(const QColor& colour);
    QColor foreOver() const; // caption while the mouse is over the button
    void setForeOver(const QColor& colour);
    QColor maskColor() const; // picture colour drawn transparent
    void setMaskColor(const QColor& colour);
    bool useMaskColor() const;
    void setUseMaskColor(bool use);
    bool softBevel() const; // halves every colour shift of the face
    void setSoftBevel(bool soft);

    // Pointer shape number (0 default, 1 arrow, 2 cross, 3 I-beam, 11 busy,
    // 99 the mouse icon, ...) and the custom pointer picture.
    static constexpr int CustomPointer = 99;
    int mousePointer() const;
    void setMousePointer(int shape);
    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap& icon);

    // Pictures; an image with an alpha channel keeps its own transparency.
    QPixmap pictureNormal() const;
    void setPictureNormal(const QPixmap& picture);
    QPixmap pictureOver() const; // shown while hovered and pressed
    void setPictureOver(const QPixmap& picture);
    // 0 left of the caption, 1 right, 2 above, 3 below, 4 centred behind.
    int picturePosition() const;
    void setPicturePosition(int position);
    bool useGreyscale() const; // normal picture in grey until hovered
    void setUseGreyscale(bool grey);
    // 0 none, 1 raised, 2 sunken, 3 or more drop shadow.
    int specialEffect() const;
    void setSpecialEffect(int effect);

    bool checkBoxBehaviour() const; // each click toggles value()
    void setCheckBoxBehaviour(bool toggle);
    bool value() const; // toggled state; true draws the button pressed
    void setValue(bool down);

    // Free text a window leaves on a button for another window to read.
    QString tag() const;
    void setTag(const QString& tag);

    // Window roles: Enter presses the default button of the window, Esc its
    // cancel button. Making a button the default (or cancel) button takes
    // that role from any other button of the same window.
    bool isDefault() const;
    void setDefault(bool isDefault);
    bool isCancel() const;
    void setCancel(bool isCancel);

    // While designing (false unless set), setting BackColor also sets
    // BackOver and setting ForeColor also sets ForeOver.
    bool designMode() const;
    void setDesignMode(bool designing);
    bool isDesignChanged() const; // a property changed since the last save
    void clearDesignChanged();

    // Stored designs: every property under its key, with the defaults for
    // missing keys; the Enabled key enables or disables the button.
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;
    const ButtonProperties& properties() const;

    // Acts as a left click: toggles value() for a check box and emits
    // clicked(); nothing while disabled.
    void click();
    void refresh(); // repaint now

    // The button's current visual state: 0 up, 2 pressed; and whether the
    // mouse is over it.
    int visualState() const;
    bool isMouseOver() const;

    // Where the caption (as measured with the button's font) and the
    // picture are drawn, in the button's own pixels; empty without them.
    QRect captionBox() const;
    QRect pictureBox() const;

    QSize sizeHint() const override;

signals:
    // In this order for one mouse click: mouseDown, mouseUp, clicked.
    void clicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void keyPress(int keyAscii);
    void keyDown(int key, Qt::KeyboardModifiers shift);
    void keyUp(int key, Qt::KeyboardModifiers shift);
    void mouseOver(); // the mouse has come over the button
    void mouseIn();   // the mouse moved over the button while not tracked
    void mouseOut();  // the mouse has left the button
    void designChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void changed(bool relayout);
    void drawState(int state);
    void trackPointer(QPoint pos, Qt::MouseButtons buttons);
    void endHover();
    void pressByKey();
    void attachToWindow();
    void applyPointer();
    void updateAccessShortcut();
    void updateRegion();
    QColor colorOf(OleColor colour) const;
    ButtonFace face() const;

    ButtonProperties m_props;
    QPixmap m_pictureNormal;
    QPixmap m_pictureOver;
    QPixmap m_mouseIcon;
    QString m_tag;
    bool m_default = false;
    bool m_cancel = false;
    bool m_designMode = false;
    bool m_designChanged = false;

    int m_state = 0;            // visual state last asked for: 0 up, 2 pressed
    bool m_paintOver = false;   // mouse-over flag at that moment
    bool m_mouseOver = false;   // the mouse is over the button
    bool m_tracking = false;    // hover tracking is on
    Qt::MouseButton m_lastButton = Qt::NoButton;
    int m_lastKey = 0;
    int m_shortcutId = 0;       // Alt + access key
};

}
