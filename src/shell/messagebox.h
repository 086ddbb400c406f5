#pragma once

#include "support/text.h"

#include <functional>

namespace gleaner {

// Shows `text` in a message box titled "信息：" with an OK button only, modal
// for the whole application and owned by no window; with `errorIcon` it shows
// the error icon. Returns when the user has closed it.
void showMessage(std::string_view text, bool errorIcon = false);

// Tests answer message boxes through this seam: while a handler is set it is
// called instead of showing a box. Returns the previous handler.
using MessageHandler = std::function<void(const Text& text, bool errorIcon)>;
MessageHandler setMessageHandler(MessageHandler handler);

} // namespace gleaner
