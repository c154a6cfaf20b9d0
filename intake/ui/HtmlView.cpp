#include "HtmlView.h"

#include <QBuffer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

namespace {
const QByteArray kBodyScheme = "quernal-body";
const QByteArray kCidScheme = "cid";
} // namespace

// Serves the body and its parts from memory: no file is written, and no
// size limit applies as it would to setHtml.
class HtmlView::Schemes : public QWebEngineUrlSchemeHandler
{
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    QByteArray html;
    PartLookup parts;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QUrl url = job->requestUrl();
        QByteArray content, type;
        if (url.scheme().toLatin1() == kBodyScheme) {
            content = html;
            type = "text/html;charset=utf-8";
        } else if (!parts || !parts(url.path(), &content, &type)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *buf = new QBuffer(job);
        buf->setData(content);
        job->reply(type, buf);
    }
};

// Lets only the message's own content through.
class HtmlView::Guard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QByteArray scheme = info.requestUrl().scheme().toLatin1();
        if (scheme == kBodyScheme || scheme == kCidScheme || scheme == "data")
            return;
        info.block(true);
    }
};

void HtmlView::registerSchemes()
{
    for (const QByteArray &name : {kBodyScheme, kCidScheme}) {
        QWebEngineUrlScheme s(name);
        s.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        s.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                   QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(s);
    }
}

HtmlView::HtmlView(const QString &dataFolder, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HtmlView"));
    m_profile = new QWebEngineProfile(QStringLiteral("EBWebView"), this);
    m_profile->setPersistentStoragePath(dataFolder);
    m_profile->setCachePath(dataFolder + QStringLiteral("/Cache"));
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_schemes = new Schemes(this);
    m_profile->installUrlSchemeHandler(kBodyScheme, m_schemes);
    m_profile->installUrlSchemeHandler(kCidScheme, m_schemes);
    m_guard = new Guard(this);
    m_profile->setUrlRequestInterceptor(m_guard);
    QWebEngineSettings *s = m_profile->settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);

    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("EdgeBrowserView"));
    m_view->setPage(new QWebEnginePage(m_profile, m_view));
    connect(m_view, &QWebEngineView::loadFinished, this, &HtmlView::loadFinished);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_view);
}

HtmlView::~HtmlView()
{
    // The page must go before its profile.
    delete m_view;
    m_view = nullptr;
}

void HtmlView::setHtml(const QString &html, const PartLookup &parts)
{
    m_schemes->html = html.toUtf8();
    m_schemes->parts = parts;
    static int n = 0;
    // A new address each time, so the view never shows a cached body.
    m_view->load(QUrl(QStringLiteral("%1:body-%2").arg(QString::fromLatin1(kBodyScheme)).arg(++n)));
}

void HtmlView::setZoomFactor(double z)
{
    m_view->setZoomFactor(z);
}

double HtmlView::zoomFactor() const
{
    return m_view->zoomFactor();
}

void HtmlView::closeView()
{
    m_view->setUrl(QUrl(QStringLiteral("about:blank")));
}
