#include "DesktopShell.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace tallyo {

namespace {
constexpr qint64 MaxFetchBytes = 64 * 1024;

bool knownOffline()
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return false;
    return QNetworkInformation::instance()->reachability()
        == QNetworkInformation::Reachability::Disconnected;
}
}

bool DesktopShell::openDocument(const QString& path)
{
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::openUrl(const QString& url)
{
    const QUrl target(url, QUrl::TolerantMode);
    return target.isValid() && !target.isEmpty() && QDesktopServices::openUrl(target);
}

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

std::optional<QString> DesktopShell::fetchText(const QString& url, int timeoutMs)
{
    const QUrl target(url, QUrl::TolerantMode);
    if (!target.isValid() || target.scheme().isEmpty() || timeoutMs <= 0 || knownOffline())
        return std::nullopt;

    QNetworkAccessManager network;
    QNetworkRequest request(target);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network.get(request);

    // The transfer timeout only counts idle time; this limit counts it all.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxFetchBytes)
            reply->abort();
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    limit.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    std::optional<QString> text;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300))) {
        const QByteArray body = reply->readAll();
        if (body.size() <= MaxFetchBytes)
            text = QString::fromUtf8(body);
    }
    return text;
}

}
