#pragma once

// The one place where the program's code page 936 texts meet Qt's strings.

#include "support/text.h"

#include <QString>

namespace gleaner {

QString toQString(std::string_view cp936);
// Characters that code page 936 cannot hold become "?".
Text fromQString(const QString& text);

} // namespace gleaner
