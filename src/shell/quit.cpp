#include "quit.h"

#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "util/productinfo.h"

#include <QApplication>

namespace tallyo {

namespace {
bool ending = false;

bool userConfirmsQuit()
{
    if (SettingChoice(SettingKey::ConfirmQuit) != 1)
        return true;
    const int answer = prompts().ask(
        QStringLiteral("Confirm"), IconQuestion,
        QStringLiteral("This will close ") + ApplicationTitle
            + QStringLiteral("\r\n\r\nIs this what you want to do?"),
        1, {QStringLiteral("&Yes, close ") + ApplicationTitle, QStringLiteral("&No, let's go back")});
    return answer == 1;
}

void closeQuietly(RecordFile& file)
{
    try {
        file.close();
    } catch (const FileError&) {
        // Every write has been finished and closed by its own action; a
        // file still open here was only read.
    }
}
}

bool ProgramEnding()
{
    return ending;
}

void EndWithoutAsking()
{
    ending = true;
}

void ResetProgramEnding()
{
    ending = false;
}

void TidyDataFolder()
{
    DataFiles& files = dataFiles();
    closeQuietly(files.AccountIndexFile);
    closeQuietly(files.TransactionFile);
    closeQuietly(files.ListFile);

    // An index without a single account (a first start that went no
    // further) is not left behind.
    const QString index = QString::fromLatin1(AccountIndexFileName);
    if (FileLength(index) == 0) {
        try {
            DeleteFile(index);
        } catch (const FileError&) {
        }
    }
}

bool QuitProgram()
{
    if (!userConfirmsQuit())
        return false;

    ending = true;
    TidyDataFolder();
    pace().letEventsRun();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
    return true;
}

}
