#include "controls/accesskey.h"

namespace tallyo {

QChar accessKeyOf(const QString& caption)
{
    if (caption.size() < 2)
        return {};
    const QChar amp = u'&';
    qsizetype at = caption.indexOf(amp);
    if (at < 0 || at + 1 >= caption.size())
        return {};
    if (caption[at + 1] != amp)
        return caption[at + 1].toLower();
    // "&&" shows one ampersand: the key is marked by the next "&" after it.
    at = caption.indexOf(amp, at + 2);
    if (at < 0 || at + 1 >= caption.size() || caption[at + 1] == amp)
        return {};
    return caption[at + 1].toLower();
}

}
