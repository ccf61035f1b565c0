#include "WindowButton.h"

#include "ZevButton.h"

namespace tallyo {

ZevButton* MakeWindowButton(QWidget* parent, const char* name, const QString& caption, const QPixmap& picture,
                            double fontSize)
{
    auto* button = new ZevButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setButtonType(3);
    button->setColorScheme(2);
    button->setBackColor(WindowButtonColour::Face);
    button->setBackOver(WindowButtonColour::FaceOver);
    button->setForeColor(WindowButtonColour::Caption);
    button->setForeOver(WindowButtonColour::CaptionOver);
    button->setCaption(caption);
    if (fontSize > 0)
        button->setFontSize(fontSize);
    if (!picture.isNull()) {
        button->setPictureNormal(picture);
        button->setPicturePosition(2);
    }
    return button;
}

}
