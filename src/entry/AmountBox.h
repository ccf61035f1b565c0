#pragma once
// The entry window's amount box bound to the amount rules: every key, paste,
// drop or cut goes through them, and a change they refuse is taken back
// whole. In right-to-left entry the box shows the typed digits as an amount
// and the "Use <Backspace> key to change" caption while it holds one. The
// way of typing is read afresh on every key and change.
#include "amountentry.h"

#include <QObject>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace tallyo {

class AmountBox : public QObject {
    Q_OBJECT

public:
    AmountBox(QLineEdit* box, QLabel* useBackspace);

    // Shows a text as it is (an amount read from the file) and starts over
    // from it.
    void setText(const QString& text);
    // The box took the focus: the caret goes to the end, and right-to-left
    // entry starts from the shown amount.
    void focusGained();
    // The box lost the focus: the amount is shown in the amount format.
    void focusLost();

signals:
    // The text changed and was taken.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(const QKeyEvent* key);
    void textChanged();
    bool rightToLeft() const;
    void startRightToLeft();
    void show(const QString& text, bool caretToEnd);

    QLineEdit* box_;
    QLabel* useBackspace_;
    RightToLeftAmount digits_;
    bool rightToLeftActive_ = false;
    bool showing_ = false;
    QString accepted_;  // the text last taken
};

}
