#include "TextLimit.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace tallyo {

TextLimit::TextLimit(QPlainTextEdit* box, int limit, Measure measure)
    : QObject(box), box_(box), limit_(limit), measure_(std::move(measure))
{
    accepted_ = box_->toPlainText();
    connect(box_, &QPlainTextEdit::textChanged, this, [this] { check(); });
}

void TextLimit::accept()
{
    accepted_ = box_->toPlainText();
}

void TextLimit::check()
{
    if (checking_)
        return;
    checking_ = true;
    const int before = measure_(accepted_);
    auto tooLong = [&](const QString& text) {
        const int length = measure_(text);
        return length > limit_ && length > before;
    };
    QString text = box_->toPlainText();
    if (tooLong(text)) {
        // Take back what was just typed or pasted, from the caret backwards,
        // as long as that is new text.
        QTextCursor cursor = box_->textCursor();
        while (tooLong(text) && cursor.position() > 0 && text.size() > accepted_.size()) {
            cursor.deletePreviousChar();
            text = box_->toPlainText();
        }
        if (tooLong(text)) {
            box_->setPlainText(accepted_);
            box_->moveCursor(QTextCursor::End);
            text = accepted_;
        }
    }
    accepted_ = text;
    checking_ = false;
}

}
