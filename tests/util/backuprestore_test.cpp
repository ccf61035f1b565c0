// Backup and restore on real folders, every question answered by the
// scripted prompts, and copies that fail or are killed part-way.
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/fileerror.h"
#include "store/foldercopy.h"
#include "util/backuprestore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;
using tallyo::test::readWholeFile;
using tallyo::test::writeWholeFile;

namespace {

const QString crlf = QStringLiteral("\r\n");
const QStringList Names{QStringLiteral("Account.dex"), QStringLiteral("Account.dat"), QStringLiteral("PayCom.lst")};

// Remembers every pause asked for.
class RecordingPace : public Pace {
public:
    void pause(int ms) override { pauses.append(ms); }
    void letEventsRun() override { ++eventRuns; }
    QList<int> pauses;
    int eventRuns = 0;
};

// Remembers every caption and busy change.
class RecordingOwner : public ProcedureOwner {
public:
    QString caption() const override { return current; }
    void setCaption(const QString& caption) override
    {
        current = caption;
        captions.append(caption);
    }
    void setBusy(bool busy) override { busyChanges.append(busy); }
    QString current = QStringLiteral(" Tallyo -  Program Options");
    QStringList captions;
    QList<bool> busyChanges;
};

// Answers every question with its first button, the folder with a set path.
class YesPrompts : public Prompts {
public:
    explicit YesPrompts(QString folder) : folder_(std::move(folder)) {}
    MessageAnswer showMessage(const MessageRequest&) override { return {1, false}; }
    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString pickFolder(const QString&, const QString&) override { return folder_; }

private:
    QString folder_;
};

// Distinct contents per file and per side, so any mix-up shows; whole
// records of every file, as a backup copies whole records only.
QByteArray content(const QString& name, const char* side, int size = 6000)
{
    QByteArray bytes = (name + u':' + QLatin1String(side) + u':').toLatin1();
    while (bytes.size() < size)
        bytes += bytes;
    return bytes.left(size);
}

void fill(const QString& folder, const char* side, const QStringList& names = Names)
{
    for (const QString& name : names)
        QVERIFY(writeWholeFile(folder + u'/' + name, content(name, side)));
}

QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QString BackupPrompt = QStringLiteral("Select a disk/drive/folder to copy (backup)\r\nyour Tallyo data files to...");

QString readyText(const QString& folder)
{
    return QStringList{QStringLiteral("You have selected:"), QString(), u'\'' + folder + u'\'', QString(),
                       QStringLiteral("as your data backup location."), QString(),
                       QStringLiteral("Are you ready to proceed?")}
        .join(crlf);
}

QString cautionText(const QString& folder)
{
    return QStringList{QStringLiteral("The data backup location you selected:"), QString(), u'\'' + folder + u'\'',
                       QString(), QStringLiteral("contains files that are not related to this software!"),
                       QString(), QStringLiteral("Are you sure you still wish to continue with this backup?")}
        .join(crlf);
}

const QStringList ReadyButtons{QStringLiteral("&Yes, Backup the files now"),
                               QStringLiteral("&No, Cancel backup procedure")};
const QStringList CautionButtons{QStringLiteral("&Yes, Continue"), QStringLiteral("&No, Cancel backup procedure")};
const QStringList ImportantButtons{QStringLiteral("&Yes, Restore the files now"),
                                   QStringLiteral("&No, Cancel restore procedure")};
const QString ImportantTitle = QStringLiteral("Important! Please read carefully...");
const QString BackupDone = QStringLiteral("Your current Tallyo data files\r\nhave been successfully backed up!");

}

class BackupRestoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> data_;
    std::unique_ptr<QTemporaryDir> elsewhere_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    RecordingPace pace_;
    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(18, 45, 0))};

    QString dataPath() const { return data_->path(); }
    // A folder outside the data folder, made when missing.
    QString folder(const QString& name) const
    {
        const QString path = elsewhere_->filePath(name);
        QDir().mkpath(path);
        return path;
    }

private slots:
    void init()
    {
        data_ = std::make_unique<TempDataFolder>();
        elsewhere_ = std::make_unique<QTemporaryDir>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        pace_ = RecordingPace();
        platform().prompts = prompts_.get();
        platform().pace = &pace_;
        platform().clock = &clock_;
        ResetDisplayValues();
        SharedDisplayValues().DataFileList = Names;
        SetCopyStepHook({});
    }

    void cleanup()
    {
        SetCopyStepHook({});
        prompts_->verifyDone();
        platform().prompts = nullptr;
        prompts_.reset();
        // Removed first: the data folder's kept copies live beside it.
        QDir(elsewhere_->path()).removeRecursively();
        const QString parent = QFileInfo(dataPath()).absolutePath();
        const QString base = QFileInfo(dataPath()).fileName();
        data_.reset();
        for (const QString& kept : QDir(parent).entryList({base + QStringLiteral("-before-restore-*")}, QDir::Dirs))
            QDir(parent + u'/' + kept).removeRecursively();
    }

    // The data folder under another name is refused before any question,
    // whichever procedure asks.
    void sameFolderIsRefused_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("restore");
        for (bool restore : {false, true}) {
            const char* kind = restore ? "restore" : "backup";
            QTest::addRow("%s, trailing slash dot", kind) << QStringLiteral("<data>/.") << restore;
            QTest::addRow("%s, through dot dot", kind) << QStringLiteral("<data>/../<name>") << restore;
            QTest::addRow("%s, symbolic link", kind) << QStringLiteral("<link>") << restore;
        }
    }
    void sameFolderIsRefused()
    {
        QFETCH(QString, picked);
        QFETCH(bool, restore);
        fill(dataPath(), "current");
        const QString link = elsewhere_->filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(dataPath(), link));
        picked.replace(QStringLiteral("<data>"), dataPath())
            .replace(QStringLiteral("<name>"), QFileInfo(dataPath()).fileName())
            .replace(QStringLiteral("<link>"), link);
        const QString verb = restore ? QStringLiteral("restore") : QStringLiteral("backup");
        prompts_->expectFolder(picked)
            .expectMessage(QStringLiteral("Invalid Procedure"),
                           QStringLiteral("You can not ") + verb + QStringLiteral(" Tallyo\r\ndata to itself in the same folder!"),
                           {QStringLiteral("&Cancel ") + verb + QStringLiteral(" procedure")}, 1)
            .expectMessageKind(IconStop);
        RecordingOwner owner;
        QVERIFY(!(restore ? RestoreData(owner).restored : BackupData(owner)));
        QVERIFY(owner.busyChanges.isEmpty());
        QCOMPARE(listing(dataPath()), QStringList({"Account.dat", "Account.dex", "PayCom.lst"}));
        for (const QString& name : Names)
            QCOMPARE(readWholeFile(data_->filePath(name)), content(name, "current"));
    }

    void cancelledPickerDoesNothing()
    {
        fill(dataPath(), "current");
        prompts_->expectFolder(QString()).expectFolder(QString());
        RecordingOwner owner;
        QVERIFY(!BackupData(owner));
        QVERIFY(!RestoreData(owner).restored);
        QVERIFY(prompts_->messages().isEmpty());
        QCOMPARE(prompts_->folderPrompts(),
                 QStringList({BackupPrompt, QStringLiteral("Select the disk/drive/folder that contains your\r\n"
                                                           "previously backed up Tallyo data files\r\n"
                                                           "that you wish to restore...")}));
    }

    // The question depends on what the folder holds; yes copies every file,
    // replacing an earlier backup, no copies nothing.
    void backupAsksByFolderContents_data()
    {
        QTest::addColumn<QStringList>("before");  // files in the backup folder
        QTest::addColumn<bool>("caution");
        QTest::addColumn<int>("answer");
        QTest::newRow("empty folder") << QStringList() << false << 1;
        QTest::newRow("empty folder, no") << QStringList() << false << 2;
        QTest::newRow("foreign files") << QStringList{"letter.txt", ".hidden"} << true << 1;
        QTest::newRow("foreign files, no") << QStringList{"letter.txt"} << true << 2;
        QTest::newRow("earlier backup") << Names << false << 1;
        QTest::newRow("earlier backup, Account.dex only") << QStringList{"Account.dex"} << false << 1;
        QTest::newRow("interrupted backup leftovers only") << QStringList{"Account.dex.$$$"} << false << 1;
    }
    void backupAsksByFolderContents()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, caution);
        QFETCH(int, answer);
        fill(dataPath(), "current");
        const QString target = folder(QStringLiteral("backup"));
        fill(target, "old", before);
        const QString shown = target + u'/';
        prompts_->expectFolder(target);
        if (caution)
            prompts_->expectMessage(QStringLiteral("Caution"), cautionText(shown), CautionButtons, answer)
                .expectMessageKind(IconQuestion);
        else
            prompts_->expectMessage(QStringLiteral("Ready to Backup..."), readyText(shown), ReadyButtons, answer)
                .expectMessageKind(IconInformation);
        if (answer == 1)
            prompts_->expectMessage(QStringLiteral("Backup Successful"), BackupDone,
                                    {QStringLiteral("Thank you, &continue")}, 1)
                .expectMessageKind(IconInformation);
        RecordingOwner owner;
        QCOMPARE(BackupData(owner), answer == 1);
        QCOMPARE(prompts_->messages().last().defaultButton, answer == 1 ? 1 : 2);
        if (prompts_->messages().size() > 1)
            QCOMPARE(prompts_->messages().first().defaultButton, 2);

        for (const QString& name : Names) {
            const QByteArray expected = answer == 1 ? content(name, "current")
                : before.contains(name)             ? content(name, "old")
                                                    : QByteArray();
            QCOMPARE(readWholeFile(target + u'/' + name), expected);
            QVERIFY(!QFile::exists(target + u'/' + FolderCopy::scratchName(name)) || before.contains(FolderCopy::scratchName(name)));
        }
        if (answer == 1) {
            QCOMPARE(owner.captions, QStringList({"Copying Account.dex...", "Copying Account.dat...",
                                                  "Copying PayCom.lst...", " Tallyo -  Program Options"}));
            QCOMPARE(pace_.pauses, QList<int>({1000, 1000, 1000}));
            QCOMPARE(owner.busyChanges, QList<bool>({true, false}));
        } else {
            QVERIFY(owner.captions.isEmpty());
        }
    }

    void backupSkipsFilesMissingAtTheSource()
    {
        fill(dataPath(), "current", {QStringLiteral("Account.dex"), QStringLiteral("PayCom.lst")});
        const QString target = folder(QStringLiteral("backup"));
        prompts_->expectFolder(target + u'/')
            .expectMessage(QStringLiteral("Ready to Backup..."), 1)
            .expectMessage(QStringLiteral("Backup Successful"), 1);
        RecordingOwner owner;
        QVERIFY(BackupData(owner));
        QCOMPARE(listing(target), QStringList({"Account.dex", "PayCom.lst"}));
        QCOMPARE(owner.captions.first(2), QStringList({"Copying Account.dex...", "Copying PayCom.lst..."}));
        QCOMPARE(pace_.pauses.size(), 2);
    }

    void unreachableFolderIsAnAccessProblem_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("backup") << false;
        QTest::newRow("restore") << true;
    }
    void unreachableFolderIsAnAccessProblem()
    {
        QFETCH(bool, restore);
        fill(dataPath(), "current");
        const QString verb = restore ? QStringLiteral("restore") : QStringLiteral("backup");
        const QString text = restore
            ? QStringLiteral("There is some kind of problem trying to\r\naccess the backed up data file at\r\nthe location that you specified...")
            : QStringLiteral("There is some kind of problem trying to\r\naccess the selected backup location\r\nthat you specified...");
        prompts_->expectFolder(elsewhere_->filePath(QStringLiteral("no such folder")))
            .expectMessage(QStringLiteral("Drive or Folder Access Problem"), text,
                           {QStringLiteral("&Cancel ") + verb + QStringLiteral(" procedure")}, 1)
            .expectMessageKind(IconExclamation);
        RecordingOwner owner;
        QVERIFY(!(restore ? RestoreData(owner).restored : BackupData(owner)));
    }

    void restoreNeedsAccountDex()
    {
        fill(dataPath(), "current");
        const QString source = folder(QStringLiteral("backup"));
        fill(source, "old", {QStringLiteral("Account.dat"), QStringLiteral("PayCom.lst")});
        prompts_->expectFolder(source)
            .expectMessage(QStringLiteral("Required file(s) missing"),
                           QStringList{u'\'' + source + QStringLiteral("/'"), QString(),
                                       QStringLiteral("doesn't appear to contain previously saved"),
                                       QStringLiteral("backup data file(s) that you need to restore"),
                                       QStringLiteral("your Tallyo data.")}
                               .join(crlf),
                           {QStringLiteral("&Cancel restore procedure")}, 1)
            .expectMessageKind(IconExclamation);
        RecordingOwner owner;
        QVERIFY(!RestoreData(owner).restored);
        for (const QString& name : Names)
            QCOMPARE(readWholeFile(data_->filePath(name)), content(name, "current"));
    }

    void restoreIntoEmptyDataFolderAsksNothing()
    {
        const QString source = folder(QStringLiteral("backup"));
        fill(source, "old", {QStringLiteral("Account.dex"), QStringLiteral("Account.dat")});
        prompts_->expectFolder(source)
            .expectMessage(QStringLiteral("Restore Successful"),
                           QStringLiteral("Your previously backed up \r\nTallyo data files\r\nhave been successfully restored!"),
                           {QStringLiteral("Thank you, &continue")}, 1)
            .expectMessageKind(IconInformation);
        RecordingOwner owner;
        const RestoreOutcome outcome = RestoreData(owner);
        QVERIFY(outcome.restored);
        QVERIFY(outcome.keptFolder.isEmpty());
        QCOMPARE(listing(dataPath()), QStringList({"Account.dat", "Account.dex"}));
        QCOMPARE(readWholeFile(data_->filePath(QStringLiteral("Account.dat"))), content(QStringLiteral("Account.dat"), "old"));
        QCOMPARE(owner.captions, QStringList({"Restoring Account.dex", "Restoring Account.dat", " Tallyo -  Program Options"}));
        QVERIFY(pace_.pauses.isEmpty());
        QVERIFY(pace_.eventRuns >= 2);
    }

    void restoreOverCurrentDataAsksAndKeepsThem_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << 1;
        QTest::newRow("no") << 2;
        QTest::newRow("closed") << 0;
    }
    void restoreOverCurrentDataAsksAndKeepsThem()
    {
        QFETCH(int, answer);
        fill(dataPath(), "current");
        const QString source = folder(QStringLiteral("backup"));
        fill(source, "old");
        const QString kept = QFileInfo(dataPath()).absolutePath() + u'/' + QFileInfo(dataPath()).fileName()
            + QStringLiteral("-before-restore-20261208184500/");
        prompts_->expectFolder(source)
            .expectMessage(ImportantTitle,
                           QStringLiteral("You are about to replace your current data files\r\nwith previously made backup data files.\r\n\r\nOnce completed, this action can not be undone.\r\n\r\nAre you sure you're ready to continue?"),
                           ImportantButtons, answer)
            .expectMessageKind(IconInformation);
        if (answer == 1)
            prompts_->expectMessage(
                QStringLiteral("Restore Successful"),
                QStringLiteral("Your previously backed up \r\nTallyo data files\r\nhave been successfully restored!\r\n\r\n")
                    + QStringLiteral("Your data files as they were before\r\nare kept in:\r\n'") + kept + u'\'',
                {QStringLiteral("Thank you, &continue")}, 1);
        RecordingOwner owner;
        const RestoreOutcome outcome = RestoreData(owner);
        QCOMPARE(outcome.restored, answer == 1);
        QCOMPARE(prompts_->messages().first().defaultButton, 2);
        for (const QString& name : Names)
            QCOMPARE(readWholeFile(data_->filePath(name)), content(name, answer == 1 ? "old" : "current"));
        if (answer == 1) {
            QCOMPARE(outcome.keptFolder, kept);
            for (const QString& name : Names)
                QCOMPARE(readWholeFile(kept + name), content(name, "current"));
        } else {
            QVERIFY(!QFileInfo::exists(kept));
        }
    }

    void keptFolderNamesDoNotCollide()
    {
        const QString data = elsewhere_->filePath(QStringLiteral("Tallyo"));
        const QDateTime at(QDate(2026, 12, 8), QTime(9, 5, 7));
        const QString first = elsewhere_->filePath(QStringLiteral("Tallyo-before-restore-20261208090507/"));
        QCOMPARE(KeptDataFolder(data + u'/', at), first);
        QDir().mkpath(first);
        QCOMPARE(KeptDataFolder(data, at), elsewhere_->filePath(QStringLiteral("Tallyo-before-restore-20261208090507-2/")));
    }

    // A read-only file is replaced and read-only again afterwards; a
    // read-only source gives a copy its owner can write.
    void readOnlyFilesStayReadOnly()
    {
        fill(dataPath(), "current");
        const QString dat = data_->filePath(QStringLiteral("Account.dat"));
        QVERIFY(QFile::setPermissions(dat, QFile::ReadOwner | QFile::ReadGroup));
        const QString source = folder(QStringLiteral("backup"));
        fill(source, "old");
        QVERIFY(QFile::setPermissions(source + QStringLiteral("/PayCom.lst"), QFile::ReadOwner));
        QFile::remove(data_->filePath(QStringLiteral("PayCom.lst")));
        prompts_->expectFolder(source)
            .expectMessage(ImportantTitle, 1)
            .expectMessage(QStringLiteral("Restore Successful"), 1);
        RecordingOwner owner;
        QVERIFY(RestoreData(owner).restored);
        QCOMPARE(readWholeFile(dat), content(QStringLiteral("Account.dat"), "old"));
        QCOMPARE(QFile::permissions(dat) & (QFile::WriteOwner | QFile::ReadOwner | QFile::ReadGroup),
                 QFile::ReadOwner | QFile::ReadGroup);
        QVERIFY(QFile::permissions(data_->filePath(QStringLiteral("PayCom.lst"))) & QFile::WriteOwner);
    }

    // A copy that fails on the second file leaves the target as it was, byte
    // for byte, with no scratch file, and says so.
    void failedCopyLeavesTargetUnchanged_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<int>("step");  // CopyStep at which Account.dat fails
        QTest::newRow("backup, while copying") << false << int(CopyStep::ChunkWritten);
        QTest::newRow("backup, while renaming") << false << int(CopyStep::Renamed);
        QTest::newRow("restore, while copying") << true << int(CopyStep::ChunkWritten);
        QTest::newRow("restore, while renaming") << true << int(CopyStep::Renamed);
    }
    void failedCopyLeavesTargetUnchanged()
    {
        QFETCH(bool, restore);
        QFETCH(int, step);
        const QString other = folder(QStringLiteral("backup"));
        fill(dataPath(), restore ? "current" : "new");
        fill(other, restore ? "new" : "current", {QStringLiteral("Account.dex"), QStringLiteral("Account.dat")});
        const QString target = restore ? dataPath() : other;
        const QStringList before = listing(target);
        // A restore first copies the current files aside: the failure comes
        // in the copy after it.
        int passes = restore ? 2 : 1;
        SetCopyStepHook([step, &passes](CopyStep reached, const QString& name) {
            if (int(reached) == step && name == u"Account.dat" && --passes == 0)
                throw FileError(name, QStringLiteral("write"), QStringLiteral("No space left on device"));
        });
        const QString verb = restore ? QStringLiteral("restore") : QStringLiteral("backup");
        prompts_->expectFolder(other)
            .expectMessage(restore ? ImportantTitle : QStringLiteral("Ready to Backup..."), 1)
            .expectMessage(restore ? QStringLiteral("File Restore Error") : QStringLiteral("File Backup Error"),
                           QStringList{QStringLiteral("There is some kind of problem"),
                                       (restore ? QStringLiteral("trying to restore ") : QStringLiteral("trying to copy "))
                                           + QStringLiteral("Account.dat"),
                                       QString(), QStringLiteral("No space left on device"), QString(),
                                       restore ? QStringLiteral("Your current data files are as they were.")
                                               : QStringLiteral("The files at the backup location are as they were.")}
                               .join(crlf),
                           {QStringLiteral("&Cancel ") + verb + QStringLiteral(" procedure")}, 1)
            .expectMessageKind(IconExclamation);
        RecordingOwner owner;
        QVERIFY(!(restore ? RestoreData(owner).restored : BackupData(owner)));
        QCOMPARE(listing(target), before);
        for (const QString& name : before)
            QCOMPARE(readWholeFile(target + u'/' + name), content(name, "current"));
        QCOMPARE(owner.busyChanges, QList<bool>({true, false}));
        QCOMPARE(owner.current, QStringLiteral(" Tallyo -  Program Options"));
        // Nothing was replaced, so no copy of the current data is kept.
        const QString parent = QFileInfo(dataPath()).absolutePath();
        QVERIFY(QDir(parent).entryList({QFileInfo(dataPath()).fileName() + QStringLiteral("-before-*")}, QDir::Dirs).isEmpty());
    }

    // When the current files cannot be kept, nothing is restored.
    void restoreNeedsTheCurrentFilesKept()
    {
        fill(dataPath(), "current");
        const QString source = folder(QStringLiteral("backup"));
        fill(source, "new");
        SetCopyStepHook([](CopyStep reached, const QString& name) {
            if (reached == CopyStep::FileCopied && name == u"PayCom.lst")
                throw FileError(name, QStringLiteral("write"), QStringLiteral("Disk quota exceeded"));
        });
        prompts_->expectFolder(source)
            .expectMessage(ImportantTitle, 1)
            .expectMessage(QStringLiteral("File Restore Error"),
                           QStringList{QStringLiteral("There is some kind of problem"),
                                       QStringLiteral("trying to keep a copy of your current data"),
                                       QStringLiteral("beside '") + dataPath() + QStringLiteral("/'"), QString(),
                                       QStringLiteral("Disk quota exceeded"), QString(),
                                       QStringLiteral("Nothing has been restored.")}
                               .join(crlf),
                           {QStringLiteral("&Cancel restore procedure")}, 1);
        RecordingOwner owner;
        QVERIFY(!RestoreData(owner).restored);
        for (const QString& name : Names)
            QCOMPARE(readWholeFile(data_->filePath(name)), content(name, "current"));
        const QString parent = QFileInfo(dataPath()).absolutePath();
        QVERIFY(QDir(parent).entryList({QFileInfo(dataPath()).fileName() + QStringLiteral("-before-*")}, QDir::Dirs).isEmpty());
    }

    void fullDiskFailsTheCopy()
    {
        fill(dataPath(), "new");
        QVERIFY(writeWholeFile(data_->filePath(QStringLiteral("Account.dat")), content(QStringLiteral("Account.dat"), "new", 200000)));
        const QString target = folder(QStringLiteral("backup"));
        fill(target, "current");
        prompts_->expectFolder(target)
            .expectMessage(QStringLiteral("Ready to Backup..."), 1)
            .expectMessage(QStringLiteral("File Backup Error"), 1);
        RecordingOwner owner;
        {
            test::FileSizeLimit limit(100000);
            QVERIFY(!BackupData(owner));
        }
        QVERIFY(prompts_->messages().last().text.contains(QStringLiteral("trying to copy Account.dat")));
        QCOMPARE(listing(target), QStringList({"Account.dat", "Account.dex", "PayCom.lst"}));
        for (const QString& name : Names)
            QCOMPARE(readWholeFile(target + u'/' + name), content(name, "current"));
    }

    // A process killed in the middle leaves only whole files under the real
    // names: each either the earlier one or the new one.
    void killedCopyLeavesWholeFiles_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("during a chunk of Account.dat") << int(CopyStep::ChunkWritten);
        QTest::newRow("after Account.dex took its name") << int(CopyStep::Renamed);
    }
    void killedCopyLeavesWholeFiles()
    {
        QFETCH(int, step);
        fill(dataPath(), "new");
        const QByteArray bigNew = content(QStringLiteral("Account.dat"), "new", 3000000);
        QVERIFY(writeWholeFile(data_->filePath(QStringLiteral("Account.dat")), bigNew));
        const QString target = folder(QStringLiteral("backup"));
        fill(target, "old");
        const int status = test::runInChildProcess([&] {
            YesPrompts answers(target);
            platform().prompts = &answers;
            SetCopyStepHook([step](CopyStep reached, const QString& name) {
                const bool at = step == int(CopyStep::Renamed) ? name == u"Account.dex" : name == u"Account.dat";
                if (int(reached) == step && at)
                    ::raise(SIGKILL);
            });
            RecordingOwner owner;
            BackupData(owner);
        });
        QCOMPARE(status, 128 + SIGKILL);
        for (const QString& name : Names) {
            const QByteArray now = readWholeFile(target + u'/' + name);
            const QByteArray fresh = name == u"Account.dat" ? bigNew : content(name, "new");
            QVERIFY2(now == content(name, "old") || now == fresh, qPrintable(name));
        }
        const bool dexReplaced = readWholeFile(target + QStringLiteral("/Account.dex")) == content(QStringLiteral("Account.dex"), "new");
        QCOMPARE(dexReplaced, step == int(CopyStep::Renamed));

        // The next backup finishes the job and clears what was left.
        YesPrompts answers(target);
        platform().prompts = &answers;
        RecordingOwner owner;
        QVERIFY(BackupData(owner));
        QCOMPARE(listing(target), QStringList({"Account.dat", "Account.dex", "PayCom.lst"}));
        QCOMPARE(readWholeFile(target + QStringLiteral("/Account.dat")), bigNew);
    }
};

TALLYO_TEST(BackupRestoreTest)
#include "backuprestore_test.moc"
