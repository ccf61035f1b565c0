#pragma once
// The import window's list: one row per statement line, with a tick box
// in the first column for the lines that have something to do.
#include "importpreview.h"

#include <QAbstractTableModel>

namespace tallyo {

class ImportPreviewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Tick, Date, Type, Number, Payee, Amount, Outcome, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<PreviewRow> rows, std::vector<bool> ticks);
    const std::vector<bool>& ticks() const { return ticks_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void ticksChanged();

private:
    std::vector<PreviewRow> rows_;
    std::vector<bool> ticks_;
};

}
