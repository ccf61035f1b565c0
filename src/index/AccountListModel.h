#pragma once
// The rows of the account index list: name, balance and the account's
// record number in Account.dex (a column the view keeps out of sight but the
// window reads). Rows come sorted from the account list; with more than one
// row, even rows are shaded and the names and balances coloured.
#include "index/accountlist.h"

#include <QAbstractTableModel>
#include <vector>

namespace tallyo {

class AccountListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn = 0, BalanceColumn = 1, RecordColumn = 2 };

    explicit AccountListModel(QObject* parent = nullptr);

    void setEntries(std::vector<AccountListEntry> entries);
    const std::vector<AccountListEntry>& entries() const { return entries_; }
    // The row (from 0) that lists the account at this record; -1 when none.
    int rowOfRecord(qint32 record) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The balance as shown: "##,###,##0.00", or a word when it cannot be added up.
    static QString balanceText(const AccountListEntry& entry);

private:
    std::vector<AccountListEntry> entries_;
};

}
