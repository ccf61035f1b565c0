#include "controls/propertybag.h"

namespace tallyo {

QVariant PropertyBag::read(const QString& key, const QVariant& fallback) const
{
    return m_values.value(key.toLower(), fallback);
}

void PropertyBag::write(const QString& key, const QVariant& value)
{
    m_values.insert(key.toLower(), value);
}

bool PropertyBag::contains(const QString& key) const
{
    return m_values.contains(key.toLower());
}

void PropertyBag::remove(const QString& key)
{
    m_values.remove(key.toLower());
}

}
