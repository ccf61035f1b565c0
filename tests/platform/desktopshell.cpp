// The desktop shell: requests reach the desktop's launcher (a stand-in
// script here) and its failures come back, programs start, and web fetches
// keep to their time limit.
#include "testrunner.h"

#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace tallyo;

namespace {

// Stands in for the desktop's handler of one URL scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// A stand-in for xdg-open: a script that writes the target it was given
// into a file, then ends with a status or keeps running a while.
QString fakeLauncher(const QTemporaryDir& folder, const QString& ending)
{
    const QString path = folder.filePath(QStringLiteral("launcher"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/target\"\n" + ending.toUtf8() + "\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A web server on the loopback that answers every request with one reply,
// or not at all when the reply is empty.
class TinyServer : public QTcpServer {
public:
    explicit TinyServer(QByteArray reply) : reply_(std::move(reply))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    if (!reply_.isEmpty()) {
                        socket->write(reply_);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/notice.txt").arg(serverPort()); }

private:
    QByteArray reply_;
};

QByteArray httpReply(const QByteArray& status, const QByteArray& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}

class DesktopShellTest : public QObject {
    Q_OBJECT

private slots:
    void handOver_data();
    void handOver();
    void withoutALauncherQtsHandlersTakeIt();
    void emptyRequestsFail();
    void startsPrograms();
    void fetch_data();
    void fetch();
    void silentServerStopsAtTheLimit();
};

void DesktopShellTest::handOver_data()
{
    QTest::addColumn<bool>("document");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("ending");  // of the launcher
    QTest::addColumn<QString>("given");   // to the launcher
    QTest::addColumn<bool>("opened");
    const QString summary = QStringLiteral("mailto:?subject=Tallyo%20summary%20report&body=A%20%26%20B%0D%0A%23");
    QTest::newRow("mail taken") << false << summary << "exit 0" << summary << true;
    QTest::newRow("mail: no mail program") << false << summary << "exit 3" << summary << false;
    QTest::newRow("web page taken") << false << "http://www.tallyo.example.org" << "exit 0"
                                    << "http://www.tallyo.example.org" << true;
    QTest::newRow("web page: launcher failed") << false << "http://www.tallyo.example.org" << "exit 4"
                                               << "http://www.tallyo.example.org" << false;
    QTest::newRow("document shown until closed") << true << "/usr/share/tallyo/Tallyo.PDF" << "sleep 3"
                                                 << "/usr/share/tallyo/Tallyo.PDF" << true;
    QTest::newRow("document: no viewer") << true << "/usr/share/tallyo/Tallyo.PDF" << "exit 3"
                                         << "/usr/share/tallyo/Tallyo.PDF" << false;
}

void DesktopShellTest::handOver()
{
    QFETCH(bool, document);
    QFETCH(QString, request);
    QFETCH(QString, ending);
    QTemporaryDir folder;
    const QString launcher = fakeLauncher(folder, ending);
    QVERIFY(!launcher.isEmpty());
    DesktopShell shell(launcher, 1000);
    QElapsedTimer clock;
    clock.start();
    const bool opened = document ? shell.openDocument(request) : shell.openUrl(request);
    // A launcher that keeps running is given up on at the limit, and lives on.
    QVERIFY2(clock.elapsed() < 10000, "the hand-over outlived its watch");
    QTEST(opened, "opened");
    QTRY_VERIFY(QFile::exists(folder.filePath(QStringLiteral("target"))));
    QTEST(readText(folder.filePath(QStringLiteral("target"))), "given");
}

void DesktopShellTest::withoutALauncherQtsHandlersTakeIt()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    DesktopShell shell(QStringLiteral("no-such-launcher-tallyo"));
    const bool opened = shell.openUrl(QStringLiteral("mailto:?subject=Tallyo%20summary%20report&body=Line%201"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QVERIFY(opened);
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().query(QUrl::FullyDecoded), QStringLiteral("subject=Tallyo summary report&body=Line 1"));
    // Under the offscreen platform Qt itself opens nothing.
    QVERIFY(!shell.openUrl(QStringLiteral("http://www.tallyo.example.org")));
}

void DesktopShellTest::emptyRequestsFail()
{
    DesktopShell shell;
    QVERIFY(!shell.openDocument(QString()));
    QVERIFY(!shell.openUrl(QString()));
    QVERIFY(!shell.startProgram(QString()));
    QVERIFY(!shell.fetchText(QString(), 1000));
}

void DesktopShellTest::startsPrograms()
{
    DesktopShell shell;
    QVERIFY(shell.startProgram(QStringLiteral("true")));
    QVERIFY(!shell.startProgram(QStringLiteral("no-such-program-tallyo")));
}

void DesktopShellTest::fetch_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("got");
    QTest::addColumn<QString>("text");
    QTest::newRow("notice") << httpReply("200 OK", "Version 2.1 is out") << true << QStringLiteral("Version 2.1 is out");
    QTest::newRow("empty notice") << httpReply("200 OK", "") << true << QString();
    QTest::newRow("not found") << httpReply("404 Not Found", "no such page") << false << QString();
    QTest::newRow("too long") << httpReply("200 OK", QByteArray(200 * 1024, 'x')) << false << QString();
}

void DesktopShellTest::fetch()
{
    QFETCH(QByteArray, reply);
    TinyServer server(reply);
    QVERIFY(server.isListening());
    DesktopShell shell;
    const std::optional<QString> text = shell.fetchText(server.url(), 5000);
    QTEST(text.has_value(), "got");
    if (text)
        QTEST(*text, "text");
}

void DesktopShellTest::silentServerStopsAtTheLimit()
{
    TinyServer silent{QByteArray()};
    DesktopShell shell;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!shell.fetchText(silent.url(), 300));
    QVERIFY2(clock.elapsed() < 3000, "the fetch outlived its limit");

    // Nobody listening: refused at once.
    const quint16 port = silent.serverPort();
    silent.close();
    clock.restart();
    QVERIFY(!shell.fetchText(QStringLiteral("http://127.0.0.1:%1/").arg(port), 5000));
    QVERIFY(clock.elapsed() < 3000);
}

TALLYO_TEST(DesktopShellTest)
#include "desktopshell.moc"
