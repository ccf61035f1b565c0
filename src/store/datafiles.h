#pragma once
// The three data files of the working folder and their record counts.
// Every user action opens the file it needs, reads or writes records and
// closes it again; no file stays open between actions. The counts stay valid
// after a close and are read by everyone as the number of records.
//
// Records are handed out by value: a caller that lets other code run between
// reading a record and using it re-reads the record rather than trusting a
// shared buffer.
#include "recordfile.h"
#include "records.h"

#include <type_traits>
#include <utility>

namespace tallyo {

// Bare names: the files live in the current working folder.
inline constexpr char AccountIndexFileName[] = "Account.dex";
inline constexpr char TransactionFileName[] = "Account.dat";
inline constexpr char ListFileName[] = "PayCom.lst";
inline constexpr char LegacyIndexFileName[] = "Account.ndx";

struct DataFiles {
    RecordFile AccountIndexFile{QString::fromLatin1(AccountIndexFileName), AccountRecord::Length};
    RecordFile TransactionFile{QString::fromLatin1(TransactionFileName), TransactionRecord::Length};
    RecordFile ListFile{QString::fromLatin1(ListFileName), ListRecord::Length};

    // Closes every file and forgets the counts (for tests).
    void reset();
};

// The program's one set of data files.
DataFiles& dataFiles();

void OpenAccountIndex();
void CloseAccountIndex();
void RefreshAccountIndexCount();
void OpenTransactions();
void CloseTransactions();
void OpenLists();
void CloseLists();

// Record counts as of the last open, close or append.
qint32 AccountIndexCount();
qint32 TransactionCount();
qint32 ListCount();

// Record n of an open file (1 <= n <= count). Throws FileError otherwise.
AccountRecord ReadAccountRecord(qint32 n);
TransactionRecord ReadTransactionRecord(qint32 n);
ListRecord ReadListRecord(qint32 n);

// Stores a record as record n of an open file; n = count + 1 appends.
void WriteAccountRecord(qint32 n, const AccountRecord& record);
void WriteTransactionRecord(qint32 n, const TransactionRecord& record);
void WriteListRecord(qint32 n, const ListRecord& record);

// Runs `work` with `file` open (which brings its count up to date) and
// closes it again, whatever happens; gives back what `work` returns. When
// `work` throws, the file is closed without touching its count (a failed
// append leaves the file as it was) and the error goes on to the caller.
template <class Work>
auto WhileFileOpen(RecordFile& file, Work&& work) -> decltype(work())
{
    file.open();
    try {
        if constexpr (std::is_void_v<decltype(work())>) {
            work();
            file.close();
        } else {
            auto result = work();
            file.close();
            return result;
        }
    } catch (...) {
        file.closeKeepingCount();
        throw;
    }
}

template <class Work>
auto WhileAccountIndexOpen(Work&& work)
{
    return WhileFileOpen(dataFiles().AccountIndexFile, std::forward<Work>(work));
}

template <class Work>
auto WhileTransactionsOpen(Work&& work)
{
    return WhileFileOpen(dataFiles().TransactionFile, std::forward<Work>(work));
}

template <class Work>
auto WhileListsOpen(Work&& work)
{
    return WhileFileOpen(dataFiles().ListFile, std::forward<Work>(work));
}

}
