#include "shell/browserpage.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineNewWindowRequest>

namespace gleaner {

BrowserPage::BrowserPage(QObject* parent) : QWebEnginePage(parent)
{
    // Not opening the request in any page keeps the new window from existing.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { emit newWindowAddress(request.requestedUrl()); });
    // Refuse quietly instead of asking the user.
    connect(this, &QWebEnginePage::certificateError, this,
            [](QWebEngineCertificateError error) { error.rejectCertificate(); });
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl&, QAuthenticator* authenticator) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [](const QUrl&, QAuthenticator* authenticator, const QString&) { *authenticator = QAuthenticator(); });
}

} // namespace gleaner
