#pragma once
// The floors every figure is compared with: what the disk and the system
// need at the least to read or copy the same file.
#include "datagen.h"

#include <QString>
#include <QStringList>

namespace tallyo::bench {

// Reads the whole file sequentially in large blocks; returns the bytes read.
qint64 ReadWholeFile(const QString& path);

// Copies the file sequentially in large blocks, then flushes the copy to
// the disk as every rewrite of the program does.
void CopyFile(const QString& from, const QString& to, bool flushToDisk);

// A generated data folder that lives for the whole run, made once per size.
QString DataFolder(int accounts, int transactions);

// A generated folder whose first account holds half of the transactions,
// spread through the file: the register's figures. Made once per size.
struct BigAccountFolder {
    QString path;
    GeneratedData data;
};
const BigAccountFolder& BigAccountData(int accounts, int transactions);

// Runs a program (looked up on the PATH) to its end with its output and
// errors thrown away, as `program arguments >/dev/null 2>&1` would; throws
// when it cannot start or does not exit with status 0.
void RunProcess(const QStringList& programAndArguments);

}
