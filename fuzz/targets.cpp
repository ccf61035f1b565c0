#include "targets.h"

#include "entry/listtext.h"
#include "index/accountlist.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/registerstate.h"
#include "store/conversion.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

namespace tallyo::fuzz {

namespace {

QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

void WriteData(const char* name, const QByteArray& bytes)
{
    QFile file(QString::fromLatin1(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A fresh start: no data files and no state left by the last input.
void Reset()
{
    dataFiles().reset();
    ResetRegisterState();
    ResetCurrentAccount();
    for (const char* name : {AccountIndexFileName, TransactionFileName, ListFileName, LegacyIndexFileName, "TempFile.$$$"})
        QFile::remove(QString::fromLatin1(name));
}

// Every record decoder on the bytes, padded or cut to its length, and the
// record encoded again.
void Records(const uint8_t* data, size_t size)
{
    auto each = [&](int length, auto decode) {
        QByteArray bytes = Bytes(data, size).left(length);
        bytes.append(QByteArray(length - bytes.size(), '\0'));
        decode(bytes.constData());
    };
    each(AccountRecord::Length, [](const char* b) { (void)AccountRecord::decode(b).encode(); });
    each(TransactionRecord::Length, [](const char* b) { (void)TransactionRecord::decode(b).encode(); });
    each(ListRecord::Length, [](const char* b) { (void)ListRecord::decode(b).encode(); });
    each(LegacyAccountRecord::Length, [](const char* b) { (void)LegacyAccountRecord::decode(b); });
}

// Read errors are the program's answer to some inputs; crashes are not.
template <class Work>
void Tolerating(Work work)
{
    Reset();
    try {
        work();
    } catch (const FileError&) {
    }
}

// The bytes as Account.dex, with every account's balance from a small
// Account.dat.
void Index(const uint8_t* data, size_t size)
{
    Tolerating([&] {
        WriteData(AccountIndexFileName, Bytes(data, size));
        ReadAccountList();
    });
}

// The bytes as Account.dat, the register assembled for the key of its
// first record.
void Register(const uint8_t* data, size_t size)
{
    Tolerating([&] {
        const QByteArray bytes = Bytes(data, size);
        WriteData(TransactionFileName, bytes);
        currentAccount().CurrentAccountKey = QString::fromLatin1(bytes.left(14));
        LoadRegister({});
        GatherAccountRows(bytes.left(14));
    });
}

// The bytes as PayCom.lst, the lists found for the key of its first record.
void Lists(const uint8_t* data, size_t size)
{
    Tolerating([&] {
        const QByteArray bytes = Bytes(data, size);
        WriteData(ListFileName, bytes);
        if (const std::optional<AccountLists> found = FindAccountLists(QString::fromLatin1(bytes.left(14)))) {
            for (int kind : {1, 2})
                DropDownItems(ListOfKind(found->lists, kind), kind);
        }
    });
}

// The bytes as an older Account.ndx, converted and read back.
void Conversion(const uint8_t* data, size_t size)
{
    Tolerating([&] {
        WriteData(LegacyIndexFileName, Bytes(data, size));
        ConvertAccountIndex();
        ReadAccountList();
    });
}

}

const QList<FuzzTarget>& FuzzTargets()
{
    static const QList<FuzzTarget> targets{
        {"records", Records},
        {"index", Index},
        {"register", Register},
        {"lists", Lists},
        {"conversion", Conversion},
    };
    return targets;
}

const FuzzTarget* FindFuzzTarget(const char* name)
{
    for (const FuzzTarget& target : FuzzTargets()) {
        if (std::strcmp(target.name, name) == 0)
            return &target;
    }
    return nullptr;
}

void PrepareFuzzing()
{
    static int argc = 1;
    static char name[] = "tallyo-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static EventPace noPause(0);
    static FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
    platform().pace = &noPause;
    platform().clock = &clock;
    // Data files are written and read in a folder of their own, in memory
    // where the system offers one.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir folder(base + QStringLiteral("/tallyo-fuzz-XXXXXX"));
    QDir::setCurrent(folder.path());
}

}
