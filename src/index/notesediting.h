#pragma once
// The rules of the account notes box: how its text is stored and shown, how
// full it is, and when an edit counts as a change worth saving. The window
// applies them; they need no window to be checked.
#include <QString>

namespace tallyo {

// The width of the notes field: the most characters the notes can hold,
// each line break counting as two (CR LF).
inline constexpr int NotesMaxLength = 2879;

// The notes as the box shows them: CR LF (or a lone CR) becomes a line feed.
QString NotesForDisplay(const QString& stored);
// The box's text as the record stores it: every line feed becomes CR LF.
QString NotesForStorage(const QString& shown);
// The stored length of the box's text (line feeds counted as CR LF).
int StoredNotesLength(const QString& shown);

// The gauge's caption, " 50% full ": the stored length over the field's
// width, at least 1%. Empty for an empty text (the gauge is then hidden).
QString NotesGaugeCaption(const QString& shown);

// Whether an edit is worth saving: the text, without the spaces at its ends,
// differs from the starting text (kept trimmed the same way).
bool NotesChanged(const QString& shown, const QString& startingText);

}
