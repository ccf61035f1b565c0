#pragma once
// What the program was asked to do on its command line.
#include "register/search.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

struct CommandLine {
    enum class Action {
        Desktop, ExportAccounts, ExportRegister, Help, Invalid, Backup, Restore, Words, PrintCheck, ExportLayout
    };
    Action action = Action::Desktop;
    QString dataDir;  // empty: the default data folder
    QString account;  // export register: the account's name or key
    // export register --search KIND=TEXT [--year YYYY]: only the matches
    std::optional<SearchRequest> search;
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
    QString pdfFile;
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const QStringList& arguments);

// The usage text printed for --help and bad arguments.
QString UsageText();

// The data folder: the one given, else $XDG_DATA_HOME/Tallyo, else
// ~/.local/share/Tallyo.
QString DataFolder(const QString& given);

}
