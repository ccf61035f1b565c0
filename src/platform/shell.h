#pragma once
// The desktop around the program: documents, web pages and mail handed to
// the desktop's handlers, programs started by name, short texts fetched from
// the web with a time limit.
#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a local file with the desktop's handler; false when it could not.
    virtual bool openDocument(const QString& path) = 0;
    // Opens a web address or a "mailto:" request; false when it could not.
    virtual bool openUrl(const QString& url) = 0;
    // Starts a program detached; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments = {}) = 0;
    // Fetches a short text; nothing when the fetch fails or takes longer than
    // the limit.
    virtual std::optional<QString> fetchText(const QString& url, int timeoutMs) = 0;
};

}
