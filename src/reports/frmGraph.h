#pragma once
// The transaction graph window: the register's displayed list drawn as a
// line through the amounts, vertical bars, points, or a line through the
// running balance, with the date range and the high, low and average
// values above it. Fixed size; built afresh for each opening, its graph
// computed once when it first becomes active.
#include "graphdata.h"
#include "util/twips.h"

#include <QDialog>
#include <array>

class QLabel;

namespace tallyo {

class ZevButton;

// Opens the window modally over the register for a graph kind (1, 2, 3 or
// 5), with the register's title line and its colour.
void ShowGraphWindow(QWidget* parent, int kind, const QString& accountCaption, const QColor& captionColour);

// The drawing area: paints the collected values on every repaint.
class GraphArea : public QWidget {
public:
    explicit GraphArea(QWidget* parent) : QWidget(parent) {}
    void setGraph(const GraphData& data, const GraphScale& scale);
    const GraphData& data() const { return data_; }
    const GraphScale& scale() const { return scale_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GraphData data_;
    GraphScale scale_;
};

class frmGraph : public QDialog {
    Q_OBJECT

public:
    explicit frmGraph(int kind, QWidget* parent = nullptr);

    // The register's title line, shown at the top in the same colour.
    void setAccountCaption(const QString& caption, const QColor& colour);
    // Collects the values of the register's rows and shows them; says "No
    // data" and closes when there is nothing to draw. Runs once, when the
    // window first becomes active.
    void Form_Activate();
    bool isDrawn() const { return drawn_; }

    QLabel* lblAccountName = nullptr;
    GraphArea* picGraph = nullptr;
    // label[1] "High Amount" ... label[4] "Date Range"; [0] unused.
    std::array<QLabel*, 5> label{};
    QLabel* labelHighAmount = nullptr;
    QLabel* labelLowAmount = nullptr;
    QLabel* labelAverageAmount = nullptr;
    QLabel* labelDateRange = nullptr;
    ZevButton* cmdHelp = nullptr;
    ZevButton* cmdFinished = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdFinished_Click();

    TwipScale twips_;
    int kind_;
    bool activated_ = false;
    bool drawn_ = false;
};

}
