#pragma once
// The register's grid as a table model over the assembled rows: nine
// columns (the window hides the record number and comment columns), texts,
// colours, alignments and the bold void type, all worked out from the
// compact rows when the view asks; no object is kept per cell.
#include "assembly.h"

#include <QAbstractTableModel>
#include <QFont>
#include <array>

namespace tallyo {

struct RegisterState;

class RegisterModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // True for the bold cells (the type of a void transaction).
    static constexpr int BoldRole = Qt::UserRole + 1;

    // Shows the rows of `state`; the program's register state when null.
    explicit RegisterModel(RegisterState* state = nullptr, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Lets the assembly tell the view when it replaces the rows.
    void connectHooks(AssemblyHooks& hooks);
    // The font of the view; bold cells get a bold copy of it.
    void setBaseFont(const QFont& font);
    // Shows a new cleared flag on a row (from 1) without a new assembly.
    void setRowCleared(qint32 row, bool cleared);

private:
    RegisterState* state_;
    std::array<QString, 9> headers_;
    std::array<Qt::Alignment, 9> alignments_;
    QFont boldFont_;
};

}
