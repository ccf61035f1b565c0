#include "recordingshell.h"

namespace tallyo::test {

QStringList RecordingShell::targets(Kind kind) const
{
    QStringList found;
    for (const Request& request : requests)
        if (request.kind == kind)
            found.append(request.target);
    return found;
}

bool RecordingShell::openDocument(const QString& path)
{
    requests.append({Kind::Document, path, {}, 0});
    return openResult;
}

bool RecordingShell::openUrl(const QString& url)
{
    requests.append({Kind::Url, url, {}, 0});
    return openResult;
}

bool RecordingShell::startProgram(const QString& program, const QStringList& arguments)
{
    requests.append({Kind::Program, program, arguments, 0});
    return startResult;
}

std::optional<QString> RecordingShell::fetchText(const QString& url, int timeoutMs)
{
    requests.append({Kind::Fetch, url, {}, timeoutMs});
    return fetchResult;
}

}
