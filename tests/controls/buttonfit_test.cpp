// Every picture button of every window, as the screenshots render them with
// their sample data: the caption, measured with the button's own font, lies
// whole inside the button's edges, and its picture lies inside the button
// clear of the caption. The pictures are kept for looking at (in
// $TALLYO_RENDER_DIR, else the test's home folder, under buttonfit/).
#include "testrunner.h"

#include "../screenshots/shots.h"
#include "controls/ZevButton.h"
#include "controls/buttonlayout.h"

#include <QDir>
#include <QTest>

using namespace tallyo;

namespace {

// The outline and bevel of the look every window uses, in pixels.
constexpr int Edge = 3;

// What is wrong with a button's caption or picture; empty when they fit.
QString misfit(const ZevButton& button)
{
    const QRect inside = button.rect().adjusted(Edge, Edge, -Edge, -Edge);
    const QRect caption = button.captionBox();
    const QRect picture = button.pictureBox();
    if (!caption.isEmpty() && !inside.contains(caption))
        return QStringLiteral("caption at %1,%2 %3x%4 leaves the inside %5x%6")
            .arg(caption.x()).arg(caption.y()).arg(caption.width()).arg(caption.height())
            .arg(inside.width()).arg(inside.height());
    if (!picture.isEmpty() && !button.rect().contains(picture))
        return QStringLiteral("picture leaves the button");
    // A picture behind the caption lies under it on purpose.
    if (!picture.isEmpty() && button.picturePosition() != PictureBehind && picture.intersects(caption))
        return QStringLiteral("picture lies on the caption");
    return {};
}

}

class ButtonFitTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionFitsItsButton()
    {
        const QString folder = qEnvironmentVariable("TALLYO_RENDER_DIR", QDir::homePath()) + "/buttonfit";
        QVERIFY(QDir().mkpath(folder));
        QStringList problems;
        int windows = 0, buttons = 0;
        shots::setWindowCheck([&](QWidget& window, const QString& name) {
            ++windows;
            const QList<ZevButton*> found = window.findChildren<ZevButton*>();
            for (const ZevButton* button : found) {
                if (!button->isVisibleTo(&window) || button->caption().isEmpty())
                    continue;
                ++buttons;
                const QString wrong = misfit(*button);
                if (!wrong.isEmpty())
                    problems.append(QStringLiteral("%1: %2 '%3': %4")
                                        .arg(name, button->objectName(), button->caption(), wrong));
            }
        });
        int written = 0;
        for (const auto& shoot : shots::all())
            written += shoot(QDir(folder));
        shots::setWindowCheck({});
        QVERIFY(written > 20);
        QVERIFY2(windows > 20 && buttons > 100, qPrintable(QStringLiteral("%1 windows, %2 buttons").arg(windows).arg(buttons)));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

TALLYO_TEST(ButtonFitTest)
#include "buttonfit_test.moc"
