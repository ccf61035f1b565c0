#pragma once
// The per-user settings store: text values by key in section "Defaults".
#include <QString>
#include <memory>

class QSettings;

namespace tallyo {

class Settings {
public:
    virtual ~Settings() = default;
    // The stored text of a key, or the default when the key is missing.
    virtual QString value(const QString& key, const QString& defaultValue) const = 0;
    virtual void setValue(const QString& key, const QString& value) = 0;
};

// Settings kept by QSettings: the user's own store (organisation and
// application "Tallyo"), or an INI file of the caller's choosing, which tests
// place in a temporary folder.
class StoredSettings : public Settings {
public:
    StoredSettings();
    explicit StoredSettings(const QString& iniFile);
    ~StoredSettings() override;
    QString value(const QString& key, const QString& defaultValue) const override;
    void setValue(const QString& key, const QString& value) override;

private:
    std::unique_ptr<QSettings> store_;
};

}
