#include "shell/embeddedbrowser.h"

#include "shell/browserpage.h"
#include "shell/qtext.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace gleaner {

EmbeddedBrowser::EmbeddedBrowser(QWidget* parent) : QWebEngineView(parent), m_page(new BrowserPage(this))
{
    setPage(m_page);
    connect(m_page, &QWebEnginePage::linkHovered, this, &EmbeddedBrowser::statusTextChange);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) { emit progressChange(progress, 100); });
    connect(m_page, &QWebEnginePage::loadFinished, this,
            [this](bool) { emit documentComplete(m_page->url().toString()); });
    connect(m_page, &BrowserPage::newWindowAddress, this,
            [this](const QUrl& address) { emit newWindow(address.toString()); });
}

EmbeddedBrowser::~EmbeddedBrowser()
{
    // The page must go before the view that shows it.
    setPage(nullptr);
    delete m_page;
}

void EmbeddedBrowser::navigate(std::string_view address) { m_page->load(QUrl(toQString(address))); }

Text EmbeddedBrowser::currentAddress() const { return fromQString(m_page->url().toString()); }

Text EmbeddedBrowser::pageHtml(int timeoutMs)
{
    // The answer may come after the wait has given up; it then lands in this
    // shared record, not on a stack that is gone.
    struct Answer {
        QString html;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    QPointer<QEventLoop> loopRef(&loop);
    m_page->runJavaScript(QStringLiteral("document.documentElement ? document.documentElement.outerHTML : ''"),
                          [answer, loopRef](const QVariant& result) {
                              answer->html = result.toString();
                              answer->done = true;
                              if (loopRef)
                                  loopRef->quit();
                          });
    if (!answer->done) {
        guard.start(timeoutMs);
        loop.exec();
    }
    return answer->done ? fromQString(answer->html) : Text();
}

} // namespace gleaner
