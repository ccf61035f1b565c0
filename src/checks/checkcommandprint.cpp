#include "checkcommandprint.h"

#include "checkcommands.h"
#include "checkprint.h"

#include "platform/PrinterSurface.h"
#include "shell/commandoutput.h"
#include "shell/exports.h"
#include "store/fileerror.h"

#include <QDir>
#include <QGuiApplication>

namespace tallyo {

int RunPrintCheck(const CommandLine& command, QTextStream& out, QTextStream& err)
{
    // The file is named from where the command was given, before the data
    // folder becomes the working folder.
    const QString pdfFile =
        command.pdfFile.isEmpty() ? QString() : QDir::current().absoluteFilePath(command.pdfFile);
    if (!EnterDataFolder(command.dataDir, err))
        return 1;
    try {
        QString problem;
        const std::optional<FoundAccount> found = FindAccount(command.account, problem);
        std::optional<TransactionRecord> transaction;
        if (found)
            transaction = FindCheckTransaction(*found, command.record, problem);
        if (!transaction) {
            err << problem << "\n";
            return 1;
        }
        if (!IsLayoutSet(found->account.CheckLayout)) {
            err << "The account \"" << found->account.AccountName.trimmed()
                << "\" has no check layout yet. Set one in Tallyo: open the account's register, highlight "
                   "a check, press Check, then \"Setup Print Checking\", and save the twelve positions.\n";
            return 1;
        }

        // Text metrics and printers need the GUI side of Qt, but no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        int argc = 1;
        char name[] = "tallyo";
        char* argv[] = {name, nullptr};
        const QGuiApplication application(argc, argv);

        const UserSettingsInUse settings;
        const CheckTexts texts = CheckTextsFor(*transaction, found->account.AccountName);
        PrinterSurface surface;
        if (!pdfFile.isEmpty())
            surface.setOutputFile(pdfFile);
        surface.setOrigin(PageOrigin::PrintableArea);
        PrintCheck(surface, texts, found->account.CheckLayout,
                   {command.printNumber, command.printComment && !texts.comment.isEmpty()});
        if (surface.savedFile().isEmpty())
            out << "The check went to the default printer.\n";
        else
            out << "The check was saved as " << QDir::toNativeSeparators(surface.savedFile()) << "\n";
        return 0;
    } catch (const FileError& error) {
        ReportFileError(error, out, err);
        return 1;
    }
}

}
