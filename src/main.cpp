// Arguments, data folder, the export commands (without a display), else the
// desktop program.
#include "checks/checkcommandprint.h"
#include "checks/checkcommands.h"
#include "shell/Main.h"
#include "shell/backupcommand.h"
#include "shell/commandline.h"
#include "shell/commandoutput.h"
#include "shell/exports.h"
#include "statements/ImportActions.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "reports/printcommand.h"
#include "statements/importcommand.h"
#include "util/allocation.h"

#include <QDir>
#include <QTextStream>

using namespace tallyo;

int main(int argc, char** argv)
{
    KeepLargeBlocksForReuse();
    const CommandLine command = ParseCommandLine(argc, argv);
    CommandOutput output;
    QTextStream& out = output.out();
    QTextStream& err = output.err();

    if (!FinishUnfinishedSwitchBefore(command, err))
        return output.finish(1);
    switch (command.action) {
    case CommandLine::Action::Help:
        out << UsageText();
        return output.finish(0);
    case CommandLine::Action::Invalid:
        err << "tallyo: " << command.error << "\n\n" << UsageText();
        return output.finish(2);
    case CommandLine::Action::ExportAccounts:
    case CommandLine::Action::ExportRegister:
    case CommandLine::Action::ExportLayout:
        return output.finish(RunExport(command, out, err));
    case CommandLine::Action::Backup:
    case CommandLine::Action::Restore:
        return output.finish(RunBackupCommand(command, out, err));
    case CommandLine::Action::Words:
        return output.finish(RunWords(command, out, err));
    case CommandLine::Action::PrintCheck:
        return output.finish(RunPrintCheck(command, out, err));
    case CommandLine::Action::ExportSummary:
        return output.finish(RunExport(command, out, err));
    case CommandLine::Action::PrintList:
        return output.finish(RunPrintCommand(command, argc, argv, out, err));
    case CommandLine::Action::Import:
        return output.finish(RunImportCommand(command, out, err));
    case CommandLine::Action::Desktop:
        break;
    }

    const QString folder = DataFolder(command.dataDir);
    try {
        MakePrivateFolder(folder);
    } catch (const FileError& error) {
        err << "tallyo: cannot use the data folder " << folder << ": " << error.reason() << "\n";
        return output.finish(1);
    }
    if (!QDir::setCurrent(folder)) {
        err << "tallyo: cannot use the data folder " << folder << "\n";
        return output.finish(1);
    }
    SetHandedStatement(command.statementFile);
    return RunDesktop(argc, argv);
}
