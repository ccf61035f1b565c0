#pragma once
// What the manual and the web and mail helpers hand to the desktop: where the
// manual is looked for, the full address of a web or mail request, and what
// a mail request leaves the user to write by hand when no mail program
// takes it.
#include <QString>
#include <QStringList>

namespace tallyo {

// The folders that may hold the manual, in the order they are tried: the
// program's own folder, then the installed share folder beside it
// (<prefix>/bin → <prefix>/share/tallyo), then "tallyo" in each of the
// system's data folders.
QStringList manualFolders(const QString& programFolder, const QStringList& dataFolders);

// The first manual found in the folders (its upper-case name before the
// lower-case one), or the empty text when there is none.
QString findManual(const QStringList& folders);

enum WebOrMailKind { OpenMail = 1, OpenWeb = 2 };

// The address to open: the target, or the product's support mailbox or web
// page when the target is empty, with "mailto:" or "http://" in front unless
// it already carries that scheme (any "scheme://" for the web). Query values
// in a mail request ("?subject=...&body=...") are the caller's to encode.
QString webOrMailAddress(int kind, const QString& target);

// A mail request taken apart, every part decoded: "mailto:TO?subject=S&body=B".
struct MailParts {
    QString to;
    QString subject;
    QString body;  // line ends as the request gave them
};
MailParts mailParts(const QString& address);

}
