#include "RegisterModel.h"

#include "registergrid.h"
#include "registerstate.h"
#include "shell/appsettings.h"

#include <QColor>

namespace tallyo {

RegisterModel::RegisterModel(RegisterState* state, QObject* parent)
    : QAbstractTableModel(parent), state_(state ? state : &registerState())
{
    const auto columns = ParseGridFormat(RegisterGridFormat);
    for (size_t c = 0; c < columns.size(); ++c) {
        headers_[c] = columns[c].header;
        alignments_[c] = columns[c].alignment;
    }
    boldFont_.setBold(true);
}

int RegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : state_->Rows.size();
}

int RegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RegisterColumnCount;
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= state_->Rows.size() || index.column() >= RegisterColumnCount)
        return {};
    const RegisterRows& rows = state_->Rows;
    const qint32 row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return CellText(rows, row, column, SharedDisplayValues().DateFormat);
    case Qt::ForegroundRole:
        return QColor(QRgb(CellTextColour(rows, row, column)));
    case Qt::BackgroundRole:
        return QColor(QRgb(CellBackground(rows, row, column)));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignments_[size_t(column)]);
    case Qt::FontRole:
        return CellIsBold(rows, row, column) ? QVariant(boldFont_) : QVariant();
    case BoldRole:
        return CellIsBold(rows, row, column);
    default:
        return {};
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= RegisterColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: return headers_[size_t(section)];
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignments_[size_t(section)]);
    case Qt::BackgroundRole: return QColor(QRgb(HeaderColour(state_->Rows.view())));
    case Qt::ForegroundRole: return QColor(QRgb(GridColour::HeaderText));
    default: return {};
    }
}

void RegisterModel::connectHooks(AssemblyHooks& hooks)
{
    hooks.rowsAboutToChange = [this] { beginResetModel(); };
    hooks.rowsChanged = [this] { endResetModel(); };
}

void RegisterModel::setBaseFont(const QFont& font)
{
    boldFont_ = font;
    boldFont_.setBold(true);
}

void RegisterModel::setRowCleared(qint32 row, bool cleared)
{
    if (row < 1 || row > state_->Rows.size())
        return;
    state_->Rows.at(row - 1).cleared = cleared;
    const QModelIndex cell = index(row - 1, ClearedColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

}
