#pragma once

#include "support/text.h"

#include <QWebEngineView>

namespace gleaner {

class BrowserPage;

// The browser inside the window: navigate, back, forward, refresh, stop, the
// current address and the page's HTML, and five events. Texts cross as code
// page 936 texts.
class EmbeddedBrowser final : public QWebEngineView {
    Q_OBJECT
public:
    explicit EmbeddedBrowser(QWidget* parent = nullptr);
    ~EmbeddedBrowser() override;

    // Starts loading `address` as given; returns at once.
    void navigate(std::string_view address);
    Text currentAddress() const;

    // The document element's outer HTML as the live page has it, in code
    // page 936. The empty text when there is no document or the page does not
    // answer within `timeoutMs`; events are processed while waiting.
    Text pageHtml(int timeoutMs = 5000);

signals:
    void statusTextChange(const QString& text);
    void progressChange(int progress, int maximum);
    void newWindow(const QString& address);
    void documentComplete(const QString& address);

private:
    BrowserPage* m_page;
};

} // namespace gleaner
