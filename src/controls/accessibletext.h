#pragma once
// What a screen reader says for a control: its name, its description and
// its shortcut, made from the texts the window shows (a caption such as
// "&Cancel, Don't Save\r\n<Esc>" and a hint such as " Quit <Esc> ").
#include <QString>

namespace tallyo {

struct SpokenText {
    QString name;         // the caption on one line, without "&" and key marks
    QString description;  // the hint, trimmed, keys in parentheses; empty when it only repeats the name
    QString shortcut;     // "Alt+F" for an access key, else the key a mark names ("Esc")

    bool operator==(const SpokenText&) const = default;
};

// A caption or hint as one spoken line: "&" access marks removed ("&&"
// keeps one "&"), line breaks and runs of spaces made one space, trimmed.
QString SpokenLine(const QString& text);

// The key a text ends with in angle brackets or parentheses ("<Esc>",
// "(F2)"), or the empty text; `rest` gets the text before it, trimmed.
QString TrailingKeyMark(const QString& line, QString* rest = nullptr);

// The spoken texts of a button from its caption and hint; a button without
// a caption (a picture alone) is named by its hint.
SpokenText SpokenButton(const QString& caption, const QString& hint);

}
