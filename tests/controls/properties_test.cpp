// Stored designs of the picture button: the property bag, the defaults of a
// new button and of missing keys, and round trips through the widget.
#include "controls/ZevButton.h"
#include "controls/buttonproperties.h"
#include "controls/propertybag.h"
#include "testrunner.h"

#include <QTest>

using namespace tallyo;

class ButtonPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void bagKeysIgnoreCase()
    {
        PropertyBag bag;
        bag.write("btype", 3);
        QVERIFY(bag.contains("BTYPE"));
        QCOMPARE(bag.read("BType").toInt(), 3);
        bag.write("BTYPE", 11);
        QCOMPARE(bag.size(), 1);
        QCOMPARE(bag.read("btype").toInt(), 11);
        QCOMPARE(bag.read("missing", 42).toInt(), 42);
    }

    void newButtonDefaults()
    {
        const ButtonProperties p;
        QCOMPARE(p.buttonType, 14);
        QCOMPARE(p.colorScheme, 2);
        QCOMPARE(p.backColor, OleColor(0));
        QCOMPARE(p.maskColor, oleRgb(192, 192, 192));
        QVERIFY(p.enabled && p.showFocusRect && p.useMaskColor);
        QVERIFY(!p.softBevel && !p.useGreyscale && !p.checkBoxBehaviour && !p.value);
    }

    void missingKeyDefaults()
    {
        ButtonProperties p;
        p.readFrom(PropertyBag());
        QCOMPARE(p.buttonType, 2);
        QCOMPARE(p.caption, QString());
        QCOMPARE(p.colorScheme, 1);
        QCOMPARE(p.backColor, systemColor(SysButtonFace));
        QCOMPARE(p.backOver, systemColor(SysButtonFace));
        QCOMPARE(p.foreColor, systemColor(SysButtonText));
        QCOMPARE(p.foreOver, systemColor(SysButtonText));
        QCOMPARE(p.maskColor, oleRgb(192, 192, 192));
        QCOMPARE(p.picturePosition, 0);
        QVERIFY(p.enabled && p.showFocusRect && p.useMaskColor);
        QVERIFY(!p.softBevel && !p.useGreyscale && !p.checkBoxBehaviour && !p.value);
    }

    void hoverColoursDefaultToTheColoursJustRead()
    {
        PropertyBag bag;
        bag.write("bcol", oleRgb(10, 20, 30));
        bag.write("fcol", oleRgb(40, 50, 60));
        bag.write("mcol", qint32(0x80000016)); // a system colour stored as a signed number
        ButtonProperties p;
        p.readFrom(bag);
        QCOMPARE(p.backOver, oleRgb(10, 20, 30));
        QCOMPARE(p.foreOver, oleRgb(40, 50, 60));
        QCOMPARE(p.maskColor, systemColor(SysLight));
    }

    void roundTrip()
    {
        ButtonProperties p;
        p.buttonType = 3;
        p.caption = "&Finished, Save\r\n<Enter>";
        p.enabled = false;
        p.colorScheme = 4;
        p.showFocusRect = false;
        p.backColor = oleRgb(1, 2, 3);
        p.backOver = oleRgb(255, 255, 128);
        p.foreColor = systemColor(SysWindowText);
        p.foreOver = oleRgb(7, 8, 9);
        p.maskColor = oleRgb(255, 0, 255);
        p.mousePointer = 11;
        p.useMaskColor = false;
        p.softBevel = true;
        p.picturePosition = 4;
        p.useGreyscale = true;
        p.specialEffect = 3;
        p.checkBoxBehaviour = true;
        p.value = true;
        PropertyBag bag;
        p.writeTo(bag);
        ButtonProperties back;
        back.readFrom(bag);
        QCOMPARE(back.caption, p.caption);
        QCOMPARE(back.foreColor, p.foreColor);
        PropertyBag again;
        back.writeTo(again);
        for (const char* key : {"BTYPE", "TX", "ENAB", "COLTYPE", "FOCUSR", "BCOL", "BCOLO", "FCOL", "FCOLO",
                                "MCOL", "MPTR", "UMCOL", "SOFT", "PICPOS", "NGREY", "FX", "CHECK", "VALUE"})
            QCOMPARE(again.read(key), bag.read(key));
    }

    void widgetRoundTrip()
    {
        QPixmap picture(8, 6);
        picture.fill(Qt::red);
        ZevButton source;
        source.setButtonType(3);
        source.setCaption("&Okay");
        source.setBackColor(QColor(10, 20, 30));
        source.setBackOver(QColor(255, 255, 128));
        source.setPictureNormal(picture);
        source.setFontBold(true);
        source.setFontSize(13);
        source.setEnabled(false);
        PropertyBag bag;
        source.writeProperties(bag);

        ZevButton loaded;
        loaded.readProperties(bag);
        QCOMPARE(loaded.buttonType(), 3);
        QCOMPARE(loaded.caption(), QString("&Okay"));
        QCOMPARE(loaded.accessKey(), QChar(u'o'));
        QCOMPARE(loaded.backColor(), QColor(10, 20, 30));
        QCOMPARE(loaded.backOver(), QColor(255, 255, 128));
        QCOMPARE(loaded.pictureNormal().size(), QSize(8, 6));
        QVERIFY(loaded.pictureOver().isNull());
        QVERIFY(loaded.fontBold());
        QCOMPARE(loaded.fontSize(), 13.0);
        QVERIFY(!loaded.isEnabled());
        QVERIFY(!loaded.isDesignChanged());
    }

    void widgetLoadsAnOldDesign()
    {
        // A design stored before looks and colours were saved.
        PropertyBag bag;
        bag.write("tx", "&Hidden");
        ZevButton button;
        button.readProperties(bag);
        QCOMPARE(button.buttonType(), 2);
        QCOMPARE(button.colorScheme(), 1);
        QCOMPARE(button.backColor(), button.palette().color(QPalette::Button));
        QCOMPARE(button.foreColor(), button.palette().color(QPalette::ButtonText));
    }

    void settersMarkTheDesignChanged()
    {
        ZevButton button;
        button.clearDesignChanged();
        button.setSoftBevel(true);
        QVERIFY(button.isDesignChanged());
    }

    void designModeCopiesColoursToHover()
    {
        ZevButton button;
        button.setBackColor(QColor(1, 2, 3));
        QCOMPARE(button.backOver(), QColor(0, 0, 0)); // running: hover colour kept
        button.setDesignMode(true);
        button.setBackColor(QColor(4, 5, 6));
        button.setForeColor(QColor(7, 8, 9));
        QCOMPARE(button.backOver(), QColor(4, 5, 6));
        QCOMPARE(button.foreOver(), QColor(7, 8, 9));
    }
};

TALLYO_TEST(ButtonPropertiesTest)
#include "properties_test.moc"
