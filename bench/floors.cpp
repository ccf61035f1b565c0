#include "floors.h"

#include "datagen.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

const BigAccountFolder& BigAccountData(int accounts, int transactions)
{
    struct Made {
        std::shared_ptr<QTemporaryDir> folder;  // removed at the end of the run
        BigAccountFolder data;
    };
    static QMap<QPair<int, int>, Made> made;
    Made& one = made[{accounts, transactions}];
    if (!one.folder) {
        one.folder = std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tallyo-register-XXXXXX"));
        one.data = {one.folder->path(), GenerateDataFolder(one.folder->path(), accounts, transactions, 1, 50)};
    }
    return one.data;
}

void RunProcess(const QStringList& programAndArguments)
{
    std::vector<QByteArray> arguments;
    for (const QString& argument : programAndArguments)
        arguments.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + programAndArguments.front().toStdString());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("cannot wait for " + programAndArguments.front().toStdString());
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(programAndArguments.join(u' ').toStdString() + " failed");
}

}
