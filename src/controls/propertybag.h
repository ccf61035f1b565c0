#pragma once
// A stored window design's properties: values by key, where keys compare
// without regard to letter case ("BTYPE" finds "btype").
#include <QMap>
#include <QString>
#include <QVariant>

namespace tallyo {

class PropertyBag {
public:
    // The stored value, or fallback when the key is missing.
    QVariant read(const QString& key, const QVariant& fallback = {}) const;
    void write(const QString& key, const QVariant& value);
    bool contains(const QString& key) const;
    void remove(const QString& key);
    int size() const { return int(m_values.size()); }

private:
    QMap<QString, QVariant> m_values; // keyed by the lower-case key
};

}
