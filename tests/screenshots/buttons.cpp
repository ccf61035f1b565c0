// A sheet of picture buttons in every state, look and picture position, for
// review against the intended design.
#include "shots.h"

#include "controls/ZevButton.h"
#include "controls/propertybag.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace tallyo::shots {

namespace {

constexpr int CellWidth = 130;
constexpr int LabelWidth = 150;
constexpr int RowGap = 12;

QPixmap samplePicture(QColor ink)
{
    // A tick on the mask grey, which the button leaves transparent.
    QPixmap picture(16, 16);
    picture.fill(QColor(192, 192, 192));
    QPainter p(&picture);
    p.setPen(QPen(ink, 3));
    p.drawLine(2, 8, 6, 12);
    p.drawLine(6, 12, 13, 3);
    return picture;
}

enum class State { Normal, Hover, Pressed, Disabled, Focused, CheckedDown };

void putInState(ZevButton& button, State state)
{
    const QPointF centre(button.width() / 2.0, button.height() / 2.0);
    const QPointF global = button.mapToGlobal(centre);
    switch (state) {
    case State::Normal: break;
    case State::Hover: {
        QMouseEvent move(QEvent::MouseMove, centre, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &move);
        break;
    }
    case State::Pressed: {
        QMouseEvent move(QEvent::MouseMove, centre, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &move);
        QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &press);
        break;
    }
    case State::Disabled: button.setEnabled(false); break;
    case State::Focused: break; // drawn in a window of its own, see below
    case State::CheckedDown:
        button.setCheckBoxBehaviour(true);
        button.setValue(true);
        break;
    }
}

struct Row {
    QString title;
    int look;
    QString caption;
    int picturePosition = -1; // -1: no picture
    int height = 27;
    std::function<void(ZevButton&)> extra = {};
};

}

int buttonShots(const QDir& out)
{
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette background = sheet.palette();
    background.setColor(QPalette::Window, QColor(236, 233, 216));
    sheet.setPalette(background);
    sheet.setFont(QFont("Tahoma", 8));
    sheet.setFocusPolicy(Qt::StrongFocus); // keeps the focus off the buttons

    const QList<Row> rows = {
        {"look 3", 3, "&Okay"},
        {"look 3, picture 0", 3, "&Save", 0},
        {"look 3, picture 1", 3, "&Next", 1},
        {"look 3, picture 4", 3, "&Behind", 4},
        {"look 3, two lines", 3, "&Finished, Save\r\n<Enter>", 0, 40},
        {"look 3, long caption", 3, "&Yes, close Tallyo && quit now", -1, 40},
        {"look 11", 11, "&Transparent"},
        {"look 14", 14, "&Flat raised"},
        {"look 2 (face only)", 2, "&Hidden caption", 4},
        {"look 3, raised text", 3, "&Raised", 0, 27, [](ZevButton& b) { b.setSpecialEffect(1); }},
        {"look 3, sunken text", 3, "&Sunken", 0, 27, [](ZevButton& b) { b.setSpecialEffect(2); }},
        {"look 3, drop shadow", 3, "&Shadow", 0, 27, [](ZevButton& b) { b.setSpecialEffect(3); }},
        {"look 3, greyscale", 3, "&Grey picture", 0, 27, [](ZevButton& b) { b.setUseGreyscale(true); }},
        {"look 3, soft bevel", 3, "S&oft bevel", -1, 27, [](ZevButton& b) { b.setSoftBevel(true); }},
        {"look 14, fixed grey", 14, "Fi&xed grey", 0, 27, [](ZevButton& b) { b.setColorScheme(3); }},
    };
    const QStringList states = {"normal", "hover", "pressed", "disabled", "focused", "check-box down"};

    int y = 8;
    for (int column = 0; column < states.size(); ++column) {
        auto* label = new QLabel(states[column], &sheet);
        label->setGeometry(LabelWidth + column * CellWidth, y, CellWidth - 10, 18);
    }
    y += 24;

    for (const Row& row : rows) {
        auto* title = new QLabel(row.title, &sheet);
        title->setGeometry(8, y, LabelWidth - 12, row.height);
        for (int column = 0; column < states.size(); ++column) {
            auto* button = new ZevButton(&sheet);
            button->setGeometry(LabelWidth + column * CellWidth, y, CellWidth - 10, row.height);
            button->setButtonType(row.look);
            button->setCaption(row.caption);
            button->setBackColor(QColor(192, 220, 255));
            button->setBackOver(QColor(255, 255, 128));
            button->setForeColor(QColor(0, 0, 128));
            button->setForeOver(QColor(0, 0, 0));
            if (row.picturePosition >= 0) {
                button->setPictureNormal(samplePicture(QColor(0, 128, 0)));
                button->setPictureOver(samplePicture(QColor(200, 80, 0)));
                button->setPicturePosition(row.picturePosition);
            }
            if (row.extra)
                row.extra(*button);
        }
        y += row.height + RowGap;
    }
    // Enlarged copies of the look every window uses, to check single pixels.
    const int zoomTop = y;
    y += 4 * 27 + RowGap;
    sheet.resize(LabelWidth + int(states.size()) * CellWidth, y);
    sheet.show();
    sheet.setFocus();

    // States are set once the sheet is shown, as a user would reach them.
    const auto buttons = sheet.findChildren<ZevButton*>();
    for (int i = 0; i < buttons.size(); ++i)
        putInState(*buttons[i], State(i % states.size()));

    // Only one control of a window has the focus: each focused button is
    // shown in a window of its own and its picture copied onto the sheet.
    for (int i = int(State::Focused); i < buttons.size(); i += int(states.size())) {
        ZevButton* original = buttons[i];
        QWidget alone;
        alone.setFont(sheet.font());
        auto* copy = new ZevButton(&alone);
        PropertyBag design;
        original->writeProperties(design);
        copy->readProperties(design);
        copy->setGeometry(0, 0, original->width(), original->height());
        alone.resize(original->size());
        alone.show();
        QApplication::setActiveWindow(&alone);
        copy->setFocus();
        QApplication::processEvents();
        auto* picture = new QLabel(&sheet);
        picture->setPixmap(copy->grab());
        picture->setGeometry(original->geometry());
        original->hide();
        picture->show();
    }

    auto* zoomTitle = new QLabel("look 3 enlarged", &sheet);
    zoomTitle->setGeometry(8, zoomTop, LabelWidth - 12, 27);
    zoomTitle->show();
    int x = LabelWidth;
    for (int column : {0, 1, 2, 4}) {
        QWidget* source = sheet.childAt(buttons[column]->geometry().center());
        const QPixmap small = source->grab();
        auto* zoom = new QLabel(&sheet);
        zoom->setPixmap(small.scaled(small.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        zoom->setGeometry(x, zoomTop, small.width() * 4, small.height() * 4);
        zoom->show();
        x += small.width() * 4 + 8;
    }
    QApplication::setActiveWindow(&sheet);
    sheet.setFocus();
    QApplication::processEvents();
    sheet.resize(std::max(sheet.width(), x), y);
    return save(sheet, out, "buttons");
}

}
