#include "AccountListModel.h"

#include "util/formats.h"

#include <QColor>
#include <QFont>

namespace tallyo {

namespace {
const QColor ShadedRow(215, 215, 255);
const QColor NameText(0, 0, 64);
const QColor BalanceText(0, 64, 0);
}

AccountListModel::AccountListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void AccountListModel::setEntries(std::vector<AccountListEntry> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int AccountListModel::rowOfRecord(qint32 record) const
{
    for (size_t row = 0; row < entries_.size(); ++row)
        if (entries_[row].record == record)
            return int(row);
    return -1;
}

int AccountListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

int AccountListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QString AccountListModel::balanceText(const AccountListEntry& entry)
{
    // A damaged file can hold amounts whose sum no number can hold.
    return entry.balanceOverflow ? QStringLiteral("Overflow") : FormatAmount(entry.balance);
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const AccountListEntry& entry = entries_[size_t(index.row())];
    // A single account is listed plain; a longer list is striped and coloured.
    const bool styled = entries_.size() > 1;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn: return entry.name;
        case BalanceColumn: return balanceText(entry);
        case RecordColumn: return QString::number(entry.record);
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == BalanceColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (!styled)
            return {};
        if (index.column() == NameColumn)
            return NameText;
        if (index.column() == BalanceColumn)
            return BalanceText;
        return {};
    case Qt::BackgroundRole:
        // Rows are counted from 1 on screen: the second, fourth ... are shaded.
        if (styled && index.row() % 2 == 1 && index.column() != RecordColumn)
            return ShadedRow;
        return {};
    default:
        return {};
    }
}

QVariant AccountListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (section) {
        case NameColumn: return QStringLiteral("List of Account Names");
        case BalanceColumn: return QStringLiteral("Balance");
        case RecordColumn: return QStringLiteral("IndexRecordNumber");
        }
        return {};
    case Qt::TextAlignmentRole:
        return int((section == BalanceColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::FontRole: {
        QFont bold(QStringLiteral("Tahoma"), 9);
        bold.setBold(true);
        return bold;
    }
    default:
        return {};
    }
}

}
