// The desktop shell: requests reach the desktop's handlers, programs start,
// and web fetches keep to their time limit.
#include "testrunner.h"

#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
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
    void urlsReachTheHandler_data();
    void urlsReachTheHandler();
    void emptyRequestsFail();
    void startsPrograms();
    void fetch_data();
    void fetch();
    void silentServerStopsAtTheLimit();
};

void DesktopShellTest::urlsReachTheHandler_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("query"); // as the handler sees it, decoded
    QTest::newRow("mail summary") << QStringLiteral("mailto")
                                  << QStringLiteral("mailto:?subject=Tallyo%20summary%20report&body=Line%201")
                                  << QStringLiteral("subject=Tallyo summary report&body=Line 1");
    QTest::newRow("web page") << QStringLiteral("http") << QStringLiteral("http://www.tallyo.example.org")
                              << QString();
}

void DesktopShellTest::urlsReachTheHandler()
{
    QFETCH(QString, scheme);
    QFETCH(QString, request);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    DesktopShell shell;
    const bool opened = shell.openUrl(request);
    QDesktopServices::unsetUrlHandler(scheme);
    QVERIFY(opened);
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().scheme(), scheme);
    QTEST(catcher.urls.first().query(QUrl::FullyDecoded), "query");
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
