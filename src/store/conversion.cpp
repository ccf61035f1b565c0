#include "conversion.h"

#include "datafiles.h"
#include "fields.h"
#include "fileio.h"
#include "platform/platform.h"
#include "recordscan.h"
#include "rewrite.h"

#include <QDir>
#include <unistd.h>

namespace tallyo {

namespace {
constexpr int pauseAfterEachRecordMs = 500;
}

bool AccountIndexNeedsConversion()
{
    return FileExists(QString::fromLatin1(LegacyIndexFileName))
        && !FileExists(QString::fromLatin1(AccountIndexFileName))
        && FileLength(QString::fromLatin1(LegacyIndexFileName)) > 0;
}

AccountRecord ConvertLegacyAccount(const LegacyAccountRecord& legacy)
{
    AccountRecord record;
    record.AccountKey = TrimSpaces(legacy.AccountKey);
    record.AccountName = TrimSpaces(legacy.AccountName);
    record.AccessQuery = TrimSpaces(legacy.AccessQuery);
    record.AccessAnswer = TrimSpaces(legacy.AccessAnswer);
    record.AccountNotes = TrimSpaces(legacy.AccountNotes);
    record.CheckLayout = legacy.CheckLayout;
    return record;
}

bool ConvertAccountIndex(const std::function<void(qint32 converted)>& converted)
{
    if (!AccountIndexNeedsConversion())
        return false;

    RecordFile& index = dataFiles().AccountIndexFile;
    index.close();
    {
        ScratchFile scratch(AccountRecord::Length);
        RecordScanner legacy(QString::fromLatin1(LegacyIndexFileName), LegacyAccountRecord::Length);
        while (legacy.next()) {
            const AccountRecord record = ConvertLegacyAccount(LegacyAccountRecord::decode(legacy.record()));
            scratch.append(record.encode().constData());
            if (converted)
                converted(legacy.number());
            pace().pause(pauseAfterEachRecordMs);
        }
        scratch.replace(QString::fromLatin1(AccountIndexFileName));
    }
    index.refreshCount();

    // The new index is complete; an old file that cannot be deleted is
    // harmless, since it is never read while Account.dex exists.
    ::unlink(LegacyIndexFileName);
    pace().letEventsRun();
    return true;
}

QString ConversionFailureMessage(const QString& failure)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString legacy = QDir::toNativeSeparators(QDir::current().absoluteFilePath(QString::fromLatin1(LegacyIndexFileName)));
    return failure + crlf + crlf + QStringLiteral("The older account index") + crlf + legacy + crlf
        + QStringLiteral("could not be converted. If this keeps happening, move that file") + crlf
        + QStringLiteral("to another folder and keep it: the program then starts without it,") + crlf
        + QStringLiteral("with an empty account index.");
}

}
