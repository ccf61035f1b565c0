#include "exports.h"

#include "commandoutput.h"

#include "checks/checkcommands.h"
#include "index/accountlist.h"
#include "register/registerexport.h"
#include "reports/reportexports.h"
#include "store/fileerror.h"
#include "util/csvwriter.h"

#include <QDir>
#include <QFileInfo>

namespace tallyo {

bool WriteAccountsCsv(QTextStream& out, QTextStream& err)
{
    bool complete = true;
    CsvWriter csv(out);
    for (const char* title : {"Name", "Key", "Balance", "Protected"})
        csv.text(title);
    csv.endRecord();
    for (const AccountListEntry& account : ReadAccountList()) {
        csv.text(account.name);
        csv.text(account.key);
        if (account.balanceOverflow) {
            err << "The balance of " << account.name << " is too large to add up.\n";
            csv.empty();
            complete = false;
        } else {
            csv.amount(account.balance);
        }
        csv.text(account.isProtected ? "yes" : "no");
        csv.endRecord();
    }
    csv.finish();
    return complete;
}

bool EnterDataFolder(const QString& dataDir, QTextStream& err)
{
    const QString folder = DataFolder(dataDir);
    const QFileInfo info(folder);
    if (!info.exists()) {
        err << "The data folder " << folder << " does not exist.\n";
        return false;
    }
    if (!info.isDir() || !info.isReadable() || !info.isExecutable() || !QDir::setCurrent(folder)) {
        err << "The data folder " << folder << " cannot be read.\n";
        return false;
    }
    return true;
}

int RunInDataFolder(const CommandLine& command, QTextStream& out, QTextStream& err, const std::function<int()>& body)
{
    if (!EnterDataFolder(command.dataDir, err))
        return 1;
    try {
        return body();
    } catch (const FileError& error) {
        ReportFileError(error, out, err);
        return 1;
    }
}

int RunExport(const CommandLine& command, QTextStream& out, QTextStream& err)
{
    return RunInDataFolder(command, out, err, [&] {
        switch (command.action) {
        case CommandLine::Action::ExportAccounts:
            return WriteAccountsCsv(out, err) ? 0 : 1;
        case CommandLine::Action::ExportRegister:
            return command.format == u"qif" ? WriteRegisterQif(command.account, out, err, command.search)
                                            : WriteRegisterCsv(command.account, out, err, command.search);
        case CommandLine::Action::ExportSummary:
            return WriteSummaryExport(command.account, out, err, command.search);
        case CommandLine::Action::ExportLayout:
            return WriteLayoutCsv(command.account, out, err);
        default:
            err << "This export is not available.\n";
            return 1;
        }
    });
}

}
