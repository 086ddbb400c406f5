#pragma once

#include <QWebEnginePage>

namespace gleaner {

// What the embedded browser may do: it shows no dialogs of its own (script
// alerts, confirmations, prompts, file choosers) and opens no windows;
// a request for a new window is reported with the address it carries.
class BrowserPage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit BrowserPage(QObject* parent = nullptr);

signals:
    void newWindowAddress(const QUrl& address);

protected:
    void javaScriptAlert(const QUrl&, const QString&) override { }
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override { return {}; }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
};

} // namespace gleaner
