#pragma once
// What the program was asked to do on its command line.
#include "register/search.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

struct CommandLine {
    enum class Action {
        Desktop, ExportAccounts, ExportRegister, ExportSummary, ExportLayout, Help, Invalid,
        Backup, Restore, Words, PrintCheck, PrintList, Import
    };
    Action action = Action::Desktop;
    QString dataDir;  // empty: the default data folder
    QString account;  // export register, export summary, print list: the account's name or key
    // print list: the range of days (both or neither), the comment lines,
    // and a PDF file to print into instead of the default printer.
    QDate from;
    QDate to;
    bool comments = false;
    QString pdfFile;
    // export register, export summary, print list --search KIND=TEXT
    // [--year YYYY]: only the matches
    std::optional<SearchRequest> search;
    // export register --format: "qif", else CSV ("csv" or empty); import
    // --format: "ofx", "qif" or "csv", else found from the file.
    QString format;
    QString error;    // why the arguments were refused (Invalid)
    QString folder;   // backup and restore: the backup folder
    bool force = false;  // backup: go on into a folder of other files
    bool yes = false;    // restore: replace the current data
    // words: the amount as typed, and "dollar", "pound" or empty (the
    // user's setting).
    QString amount;
    QString currency;
    // print check: the transaction's record number in Account.dat as typed,
    // the two choices of the check window, and a PDF file instead of the
    // printer.
    QString record;
    bool printNumber = false;
    bool printComment = false;
    // import FILE: the statement file, its format and date order (empty:
    // found from the file), the account id of the statement to take from
    // a file of several, and whether to only say what would be done.
    // Desktop: a statement (.ofx, .qfx, .qif) the desktop handed over, as
    // an absolute path, which the import's file picker starts at.
    QString statementFile;
    QString dateOrder;
    QString statementId;
    bool dryRun = false;
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const QStringList& arguments);
// The same from main's arguments, decoded as file names are (the bytes
// given); an argument that is not valid in the system's encoding is refused.
CommandLine ParseCommandLine(int argc, char** argv);

// The usage text printed for --help and bad arguments.
QString UsageText();

// The data folder: the one given, else $XDG_DATA_HOME/Tallyo, else
// ~/.local/share/Tallyo.
QString DataFolder(const QString& given);

}
