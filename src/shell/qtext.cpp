#include "shell/qtext.h"

#include "support/codepage.h"

namespace gleaner {

QString toQString(std::string_view cp936)
{
    const std::string utf8 = cp936ToUtf8(cp936);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text fromQString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return utf8ToCp936(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace gleaner
