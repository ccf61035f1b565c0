#pragma once
// The floors every figure is compared with: what the disk and the system
// need at the least to read or copy the same file.
#include <QString>

namespace tallyo::bench {

// Reads the whole file sequentially in large blocks; returns the bytes read.
qint64 ReadWholeFile(const QString& path);

// Copies the file sequentially in large blocks, then flushes the copy to
// the disk as every rewrite of the program does.
void CopyFile(const QString& from, const QString& to, bool flushToDisk);

// A generated data folder that lives for the whole run, made once per size.
QString DataFolder(int accounts, int transactions);

}
