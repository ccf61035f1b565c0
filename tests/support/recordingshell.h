#pragma once
// A Shell for tests: opens and starts nothing, records every request, and
// gives back the results the test sets.
#include "platform/shell.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo::test {

class RecordingShell : public Shell {
public:
    enum class Kind { Document, Url, Program, Fetch };
    struct Request {
        Kind kind;
        QString target;          // path, address or program
        QStringList arguments;   // of a program
        int timeoutMs = 0;       // of a fetch
    };

    // The results handed back.
    bool openResult = true;
    bool startResult = true;
    std::optional<QString> fetchResult;

    QList<Request> requests;

    // The targets of the requests of one kind, in order.
    QStringList targets(Kind kind) const;

    bool openDocument(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool startProgram(const QString& program, const QStringList& arguments = {}) override;
    std::optional<QString> fetchText(const QString& url, int timeoutMs) override;
};

}
