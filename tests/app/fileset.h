#pragma once
// Sets of the three data files with contents that tell each file and each
// set apart, so that a folder can be checked to hold one whole set.
#include "tallyoprocess.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace tallyo::test {

// In the order a folder listing gives them.
inline const QStringList DataNames{"Account.dat", "Account.dex", "PayCom.lst"};

inline int recordLengthOf(const QString& name)
{
    return name == u"Account.dex" ? 3000 : name == u"Account.dat" ? 1000 : 2000;
}

// Whole records, each starting with a text naming the file, the set and the
// record (so no transaction carries an account's key).
inline QByteArray setContent(const QString& name, const QString& side, int records = 3)
{
    QByteArray bytes;
    for (int r = 1; r <= records; ++r) {
        const QByteArray unit = (name + u':' + side + u':' + QString::number(r) + u';').toLatin1();
        QByteArray record;
        while (record.size() < recordLengthOf(name))
            record += unit;
        bytes += record.left(recordLengthOf(name));
    }
    return bytes;
}

inline void fillSet(const QString& folder, const QString& side, int records = 3)
{
    QDir().mkpath(folder);
    for (const QString& name : DataNames)
        writeFile(folder + u'/' + name, setContent(name, side, records));
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Which of the given sets the folder holds, whole: "none" when it holds no
// data file, "mix" when its files come from different sets or are cut.
inline QString whichSet(const QString& folder, const QStringList& sides, int records = 3)
{
    int missing = 0;
    for (const QString& name : DataNames)
        missing += QFile::exists(folder + u'/' + name) ? 0 : 1;
    if (missing == DataNames.size())
        return QStringLiteral("none");
    for (const QString& side : sides) {
        bool all = true;
        for (const QString& name : DataNames)
            all = all && readAll(folder + u'/' + name) == setContent(name, side, records);
        if (all)
            return side;
    }
    return QStringLiteral("mix");
}

}
