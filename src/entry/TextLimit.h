#pragma once
// Keeps a multi-line text box within the field it is saved to. The length
// is measured as the text is saved (line breaks as CR LF, and whatever the
// save adds), so a box refuses exactly what would not fit: typing or
// pasting that would go past the limit is taken out again at the caret.
// A text that was already too long may still shrink.
#include <QObject>
#include <QString>
#include <functional>

class QPlainTextEdit;

namespace tallyo {

class TextLimit : public QObject {
    Q_OBJECT

public:
    using Measure = std::function<int(const QString& shown)>;
    TextLimit(QPlainTextEdit* box, int limit, Measure measure);

    // Starts over from the box's present text (after it was filled).
    void accept();

private:
    void check();

    QPlainTextEdit* box_;
    int limit_;
    Measure measure_;
    QString accepted_;
    bool checking_ = false;
};

}
