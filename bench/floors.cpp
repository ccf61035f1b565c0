#include "floors.h"

#include "datagen.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace tallyo::bench {

namespace {

constexpr size_t blockBytes = 1 << 20;

int OpenOrThrow(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path.toStdString());
    return fd;
}

}

qint64 ReadWholeFile(const QString& path)
{
    const int fd = OpenOrThrow(path, O_RDONLY);
    std::vector<char> buffer(blockBytes);
    qint64 total = 0;
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;)
        total += got;
    ::close(fd);
    return total;
}

void CopyFile(const QString& from, const QString& to, bool flushToDisk)
{
    const int in = OpenOrThrow(from, O_RDONLY);
    const int out = OpenOrThrow(to, O_WRONLY | O_CREAT | O_TRUNC);
    std::vector<char> buffer(blockBytes);
    for (ssize_t got; (got = ::read(in, buffer.data(), buffer.size())) > 0;)
        if (::write(out, buffer.data(), size_t(got)) != got)
            throw std::runtime_error("cannot write " + to.toStdString());
    if (flushToDisk)
        ::fsync(out);
    ::close(in);
    ::close(out);
}

QString DataFolder(int accounts, int transactions)
{
    static QMap<QPair<int, int>, std::shared_ptr<QTemporaryDir>> folders;
    auto& folder = folders[{accounts, transactions}];
    if (!folder) {
        folder = std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tallyo-bench-XXXXXX"));
        GenerateDataFolder(folder->path(), accounts, transactions);
    }
    return folder->path();
}

}
