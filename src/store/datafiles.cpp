#include "datafiles.h"

namespace tallyo {

void DataFiles::reset()
{
    AccountIndexFile.reset();
    TransactionFile.reset();
    ListFile.reset();
}

DataFiles& dataFiles()
{
    static DataFiles instance;
    return instance;
}

void OpenAccountIndex() { dataFiles().AccountIndexFile.open(); }
void CloseAccountIndex() { dataFiles().AccountIndexFile.close(); }
void RefreshAccountIndexCount() { dataFiles().AccountIndexFile.refreshCount(); }
void OpenTransactions() { dataFiles().TransactionFile.open(); }
void CloseTransactions() { dataFiles().TransactionFile.close(); }
void CloseLists() { dataFiles().ListFile.close(); }

void OpenLists()
{
    // The count is set by the open that follows, so the close need not set it.
    RecordFile& lists = dataFiles().ListFile;
    lists.closeKeepingCount();
    lists.open();
}

qint32 AccountIndexCount() { return dataFiles().AccountIndexFile.count(); }
qint32 TransactionCount() { return dataFiles().TransactionFile.count(); }
qint32 ListCount() { return dataFiles().ListFile.count(); }

AccountRecord ReadAccountRecord(qint32 n)
{
    return AccountRecord::decode(dataFiles().AccountIndexFile.read(n).constData());
}

TransactionRecord ReadTransactionRecord(qint32 n)
{
    return TransactionRecord::decode(dataFiles().TransactionFile.read(n).constData());
}

ListRecord ReadListRecord(qint32 n)
{
    return ListRecord::decode(dataFiles().ListFile.read(n).constData());
}

void WriteAccountRecord(qint32 n, const AccountRecord& record)
{
    dataFiles().AccountIndexFile.write(n, record.encode());
}

void WriteTransactionRecord(qint32 n, const TransactionRecord& record)
{
    dataFiles().TransactionFile.write(n, record.encode());
}

void WriteListRecord(qint32 n, const ListRecord& record)
{
    dataFiles().ListFile.write(n, record.encode());
}

}
