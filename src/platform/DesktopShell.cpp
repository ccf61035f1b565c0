#include "DesktopShell.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
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

DesktopShell::DesktopShell(QString launcher, int watchMs) : launcher_(std::move(launcher)), watchMs_(watchMs) {}

bool DesktopShell::openDocument(const QString& path)
{
    return !path.isEmpty() && handOver(path, QUrl::fromLocalFile(path));
}

bool DesktopShell::openUrl(const QString& url)
{
    const QUrl target(url, QUrl::TolerantMode);
    return target.isValid() && !target.isEmpty() && handOver(QString::fromLatin1(target.toEncoded()), target);
}

bool DesktopShell::handOver(const QString& argument, const QUrl& url)
{
    const QString launcher = QStandardPaths::findExecutable(launcher_);
    if (launcher.isEmpty())
        return QDesktopServices::openUrl(url);

    // A shell starts the launcher in the background and waits for it, so
    // that giving up the wait stops only that shell: the launcher, and the
    // program it starts, live on. The launcher's complaints go to our
    // standard error, as the desktop's own would.
    QProcess watch;
    watch.setProgram(QStringLiteral("/bin/sh"));
    watch.setArguments({QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" & wait $!"), launcher, argument});
    watch.setStandardInputFile(QProcess::nullDevice());
    watch.setStandardOutputFile(QProcess::nullDevice());
    watch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    watch.start();
    if (!watch.waitForStarted())
        return false;

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&watch, &QProcess::finished, &loop, &QEventLoop::quit);
    limit.start(watchMs_);
    if (watch.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (watch.state() != QProcess::NotRunning) {
        watch.kill();
        watch.waitForFinished();
        return true;
    }
    return watch.exitStatus() == QProcess::NormalExit && watch.exitCode() == 0;
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
