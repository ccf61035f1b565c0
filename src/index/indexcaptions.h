#pragma once
// Texts of the account index window that follow rules: the open button's
// caption with the account's name, and the about text.
#include <QString>

namespace tallyo {

// The start of the open button's caption, kept in its tag.
inline const QString OpenAccountTag = QStringLiteral("&Open the account of\r\n");

// tag + " " + name. From the name's second character on, the first "&" is
// doubled so that it shows as an ampersand; a leading "&" is left alone and
// marks the next letter as an access key. One-character names are kept as
// they are.
QString OpenAccountCaption(const QString& tag, const QString& name);

// "Tallyo", the version, the description and the copyright line.
QString AboutText();

}
