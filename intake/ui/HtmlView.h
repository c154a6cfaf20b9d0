#pragma once
#include <QByteArray>
#include <QWidget>
#include <functional>

class QWebEngineProfile;
class QWebEngineView;

// The HTML body view: a web view that shows a mail's HTML from memory, runs
// no scripts, fetches nothing from the network, and shows "cid:" images from
// the message's own parts.
class HtmlView : public QWidget
{
    Q_OBJECT
public:
    // Looks up a "cid:" reference: content and its type, or false.
    using PartLookup = std::function<bool(const QString &cid, QByteArray *content, QByteArray *mimeType)>;

    // Must run before the application object exists.
    static void registerSchemes();

    // `dataFolder` keeps the view's profile (cache, storage).
    HtmlView(const QString &dataFolder, QWidget *parent = nullptr);
    ~HtmlView() override;

    void setHtml(const QString &html, const PartLookup &parts);
    void setZoomFactor(double z);
    double zoomFactor() const;
    void closeView();
    QWebEngineView *view() const { return m_view; }

signals:
    void loadFinished(bool ok);

private:
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    class Schemes;
    Schemes *m_schemes = nullptr;
    class Guard;
    Guard *m_guard = nullptr;
};
