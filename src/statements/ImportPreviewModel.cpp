#include "ImportPreviewModel.h"

namespace tallyo {

void ImportPreviewModel::setRows(std::vector<PreviewRow> rows, std::vector<bool> ticks)
{
    beginResetModel();
    rows_ = std::move(rows);
    ticks_ = std::move(ticks);
    ticks_.resize(rows_.size(), false);
    endResetModel();
    emit ticksChanged();
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= rows_.size())
        return {};
    const PreviewRow& row = rows_[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == Tick)
        return row.tickable ? QVariant(ticks_[size_t(index.row())] ? Qt::Checked : Qt::Unchecked) : QVariant();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(index.column() == Amount ? Qt::AlignRight : Qt::AlignLeft)
                                   | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Date: return row.date;
    case Type: return row.type;
    case Number: return row.number;
    case Payee: return row.payee;
    case Amount: return row.amount;
    case Outcome: return row.outcome;
    default: return {};
    }
}

bool ImportPreviewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Tick || size_t(index.row()) >= rows_.size()
        || !rows_[size_t(index.row())].tickable)
        return false;
    ticks_[size_t(index.row())] = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit ticksChanged();
    return true;
}

Qt::ItemFlags ImportPreviewModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Tick && size_t(index.row()) < rows_.size() && rows_[size_t(index.row())].tickable)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList headers{QStringLiteral("Import"), QStringLiteral("Date"),   QStringLiteral("Type"),
                                     QStringLiteral("Number"), QStringLiteral("Payee"),  QStringLiteral("Amount"),
                                     QStringLiteral("What happens")};
    return headers.value(section);
}

}
