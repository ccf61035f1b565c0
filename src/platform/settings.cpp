#include "settings.h"

#include <QSettings>

namespace tallyo {

static const QString section = QStringLiteral("Defaults/");

StoredSettings::StoredSettings()
    : store_(std::make_unique<QSettings>(QStringLiteral("Tallyo"), QStringLiteral("Tallyo")))
{
}

StoredSettings::StoredSettings(const QString& iniFile)
    : store_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

StoredSettings::~StoredSettings() = default;

QString StoredSettings::value(const QString& key, const QString& defaultValue) const
{
    return store_->value(section + key, defaultValue).toString();
}

void StoredSettings::setValue(const QString& key, const QString& value)
{
    store_->setValue(section + key, value);
    store_->sync();
}

}
