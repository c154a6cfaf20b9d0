// The HTML body view: shown from memory, no scripts, nothing fetched from
// the network, "cid:" images from the message's own parts.
#include "HtmlView.h"
#include "StartUp.h"
#include "TestEnv.h"

#include <QApplication>
#include <QTcpServer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

class TstHtmlView : public QObject
{
    Q_OBJECT
private slots:
    void showsFromMemoryAndFetchesNothingRemote();
    void largeBodyBeyondSetHtmlLimit();

private:
    QString title(HtmlView &v);
};

QString TstHtmlView::title(HtmlView &v)
{
    return v.view()->page()->title();
}

void TstHtmlView::showsFromMemoryAndFetchesNothingRemote()
{
    TestEnv env;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    connect(&server, &QTcpServer::newConnection, [&] {
        ++connections;
        delete server.nextPendingConnection();
    });
    const QString port = QString::number(server.serverPort());
    HtmlView v(env.root() + "/Quernal.WebView2/EBWebView");
    v.resize(400, 300);
    v.show();
    int cidRequests = 0;
    const QString html = "<html><head><title>メール本文</title>"
                         "<link rel=stylesheet href='http://127.0.0.1:" + port + "/s.css'></head><body>"
                         "<img src='http://127.0.0.1:" + port + "/track.png'>"
                         "<img src='https://127.0.0.1:" + port + "/t2.png'>"
                         "<img id=inline src='cid:logo@example.jp'>"
                         "<script>document.title='script ran';</script></body></html>";
    QSignalSpy loaded(&v, &HtmlView::loadFinished);
    v.setHtml(html, [&](const QString &cid, QByteArray *content, QByteArray *type) {
        ++cidRequests;
        if (cid != "logo@example.jp")
            return false;
        *content = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");
        *type = "image/png";
        return true;
    });
    QVERIFY(loaded.wait(30000));
    QVERIFY(loaded.first().first().toBool());
    QTest::qWait(500);  // room for any late request
    QCOMPARE(title(v), QString("メール本文"));  // the script did not run
    QCOMPARE(connections, 0);
    QCOMPARE(cidRequests, 1);
    v.setZoomFactor(0.7);
    QCOMPARE(v.zoomFactor(), 0.7);
}

void TstHtmlView::largeBodyBeyondSetHtmlLimit()
{
    TestEnv env;
    HtmlView v(env.root() + "/data");
    v.show();
    QString big = "<html><head><title>big</title></head><body>";
    big += QString("<p>あいうえお 0123456789</p>").repeated(150000);  // well over 2 MB
    big += "</body></html>";
    QVERIFY(big.toUtf8().size() > 3 * 1024 * 1024);
    QSignalSpy loaded(&v, &HtmlView::loadFinished);
    v.setHtml(big, {});
    QVERIFY(loaded.wait(60000));
    QVERIFY(loaded.first().first().toBool());
    QCOMPARE(title(v), QString("big"));
}

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    TstHtmlView t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_htmlview.moc"
