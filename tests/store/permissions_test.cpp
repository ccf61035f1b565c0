// Who may read the data: files and folders the program makes are its
// user's alone, whatever the umask; existing ones keep the permissions their
// owner gave them, also through a rewrite that renames the scratch file
// over them.
#include "handmade.h"
#include "platform/platform.h"
#include "store/conversion.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "store/rewrite.h"
#include "testenv.h"
#include "testrunner.h"

#include <QDir>
#include <QTest>
#include <sys/stat.h>

using namespace tallyo;
using namespace tallyo::test;

namespace {

// The permission bits of a file or folder, or -1 when it is missing.
int modeOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

bool setMode(const QString& path, int mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

const QString Transactions = QString::fromLatin1(TransactionFileName);
const QString Index = QString::fromLatin1(AccountIndexFileName);

}

class PermissionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    mode_t umask_ = 0;
    EventPace noWaiting_{0.0};
    Pace* previousPace_ = nullptr;

private slots:
    void initTestCase()
    {
        // No umask to hide behind: what the program asks for is what it gets.
        umask_ = ::umask(0);
    }
    void cleanupTestCase() { ::umask(umask_); }

    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        QVERIFY(folder_->isValid());
        previousPace_ = platform().pace;
        platform().pace = &noWaiting_;
    }
    void cleanup()
    {
        platform().pace = previousPace_;
        folder_.reset();
    }

    void newDataFilesArePrivate()
    {
        OpenAccountIndex();
        OpenTransactions();
        OpenLists();
        TransactionRecord record;
        record.TransactionDate = 45000;
        WriteTransactionRecord(1, record);
        WriteTransactionRecord(2, record);
        CloseTransactions();
        CloseLists();
        CloseAccountIndex();
        QCOMPARE(modeOf(Index), 0600);
        QCOMPARE(modeOf(Transactions), 0600);
        QCOMPARE(modeOf(QString::fromLatin1(ListFileName)), 0600);

        RemoveTransaction(1);
        QCOMPARE(TransactionCount(), 1);
        QCOMPARE(modeOf(Transactions), 0600);
    }

    void convertedIndexIsPrivate()
    {
        const QString legacy = QString::fromLatin1(LegacyIndexFileName);
        QVERIFY(writeWholeFile(legacy, handmade::legacyAccount({"20190101080000", "Checking"})));
        QVERIFY(setMode(legacy, 0644));
        QVERIFY(ConvertAccountIndex());
        QCOMPARE(modeOf(Index), 0600);
    }

    void existingFilesKeepTheirPermissions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("readable by all") << 0644;
        QTest::newRow("shared with the group") << 0660;
        QTest::newRow("group may read") << 0640;
        QTest::newRow("private") << 0600;
    }
    void existingFilesKeepTheirPermissions()
    {
        QFETCH(int, mode);
        QVERIFY(writeWholeFile(Transactions, handmade::numberedTransactions(1, 4)));
        QVERIFY(setMode(Transactions, mode));

        // Written in place.
        OpenTransactions();
        WriteTransactionRecord(5, ReadTransactionRecord(1));
        CloseTransactions();
        QCOMPARE(modeOf(Transactions), mode);

        // Rewritten through the scratch file.
        RemoveTransaction(2);
        QCOMPARE(TransactionCount(), 4);
        QCOMPARE(modeOf(Transactions), mode);
        RewriteKeeping(dataFiles().TransactionFile, [](const char*, qint32 n) { return n != 1; });
        QCOMPARE(modeOf(Transactions), mode);
        QCOMPARE(TransactionCount(), 3);
        QVERIFY(!fileExists(QString::fromLatin1(ScratchFileName)));
    }

    void madeFoldersArePrivate()
    {
        // An existing folder above keeps its permissions.
        QVERIFY(QDir().mkdir("shared"));
        QVERIFY(setMode("shared", 0755));
        MakePrivateFolder(QStringLiteral("shared/data/Tallyo"));
        QCOMPARE(modeOf("shared"), 0755);
        QCOMPARE(modeOf("shared/data"), 0700);
        QCOMPARE(modeOf("shared/data/Tallyo"), 0700);

        // An existing data folder too, and a second call changes nothing.
        QVERIFY(setMode("shared/data/Tallyo", 0750));
        MakePrivateFolder(folder_->filePath("shared/data/Tallyo/"));
        QCOMPARE(modeOf("shared/data/Tallyo"), 0750);
    }

    void folderThatCannotBeMadeIsReported_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("failed");
        QTest::newRow("a file at its name") << "file" << "file";
        QTest::newRow("a file above it") << "file/Tallyo" << "file/Tallyo";
    }
    void folderThatCannotBeMadeIsReported()
    {
        QFETCH(QString, path);
        QFETCH(QString, failed);
        QVERIFY(writeWholeFile("file", "not a folder"));
        try {
            MakePrivateFolder(path);
            QFAIL("no error");
        } catch (const FileError& error) {
            QCOMPARE(error.file(), folder_->filePath(failed));
            QCOMPARE(error.reason(), QStringLiteral("Not a directory"));
        }
    }
};

TALLYO_TEST(PermissionsTest)
#include "permissions_test.moc"
