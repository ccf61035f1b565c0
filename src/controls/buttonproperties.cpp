#include "controls/buttonproperties.h"

#include "controls/propertybag.h"

namespace tallyo {

namespace {

OleColor readColor(const PropertyBag& bag, const char* key, OleColor fallback)
{
    // Designs saved as signed 32-bit numbers hold system colours as negatives.
    return OleColor(bag.read(key, fallback).toLongLong());
}

}

void ButtonProperties::readFrom(const PropertyBag& bag)
{
    buttonType = bag.read("BTYPE", 2).toInt();
    caption = bag.read("TX", QString()).toString();
    enabled = bag.read("ENAB", true).toBool();
    colorScheme = bag.read("COLTYPE", 1).toInt();
    showFocusRect = bag.read("FOCUSR", true).toBool();
    backColor = readColor(bag, "BCOL", systemColor(SysButtonFace));
    backOver = readColor(bag, "BCOLO", backColor);
    foreColor = readColor(bag, "FCOL", systemColor(SysButtonText));
    foreOver = readColor(bag, "FCOLO", foreColor);
    maskColor = readColor(bag, "MCOL", oleRgb(192, 192, 192));
    mousePointer = qint16(bag.read("MPTR", 0).toInt());
    useMaskColor = bag.read("UMCOL", true).toBool();
    softBevel = bag.read("SOFT", false).toBool();
    picturePosition = bag.read("PICPOS", 0).toInt();
    useGreyscale = bag.read("NGREY", false).toBool();
    specialEffect = bag.read("FX", 0).toInt();
    checkBoxBehaviour = bag.read("CHECK", false).toBool();
    value = bag.read("VALUE", false).toBool();
}

void ButtonProperties::writeTo(PropertyBag& bag) const
{
    bag.write("BTYPE", buttonType);
    bag.write("TX", caption);
    bag.write("ENAB", enabled);
    bag.write("COLTYPE", colorScheme);
    bag.write("FOCUSR", showFocusRect);
    bag.write("BCOL", backColor);
    bag.write("BCOLO", backOver);
    bag.write("FCOL", foreColor);
    bag.write("FCOLO", foreOver);
    bag.write("MCOL", maskColor);
    bag.write("MPTR", int(mousePointer));
    bag.write("UMCOL", useMaskColor);
    bag.write("SOFT", softBevel);
    bag.write("PICPOS", picturePosition);
    bag.write("NGREY", useGreyscale);
    bag.write("FX", specialEffect);
    bag.write("CHECK", checkBoxBehaviour);
    bag.write("VALUE", value);
}

}
