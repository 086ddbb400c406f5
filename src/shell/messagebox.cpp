#include "shell/messagebox.h"

#include "shell/qtext.h"

#include <QMessageBox>

namespace gleaner {

namespace {
MessageHandler& handler()
{
    static MessageHandler instance;
    return instance;
}
} // namespace

MessageHandler setMessageHandler(MessageHandler next)
{
    MessageHandler previous = std::move(handler());
    handler() = std::move(next);
    return previous;
}

void showMessage(std::string_view text, bool errorIcon)
{
    if (handler()) {
        handler()(Text(text), errorIcon);
        return;
    }
    QMessageBox box(errorIcon ? QMessageBox::Critical : QMessageBox::NoIcon, QStringLiteral("信息："),
                    toQString(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace gleaner
