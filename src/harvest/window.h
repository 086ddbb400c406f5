#pragma once

// What the harvesting commands need of the window beyond the search commands:
// the two options, the harvest list and its count label, message boxes, the
// clipboard and the save dialog.

#include "search/window.h"

#include <optional>
#include <string>

namespace gleaner {

class HarvestWindow : public SearchWindow {
public:
    // The options, read at the moment of use.
    virtual bool domainOnly() = 0;
    virtual bool deduplicate() = 0;

    // The harvest list: items only ever appended at the end.
    virtual void appendLink(const Text& link) = 0;
    virtual std::int32_t linkCount() = 0;
    virtual Text linkText(std::int32_t index) = 0;
    // The selected item's index, -1 when none.
    virtual std::int32_t selectedLink() = 0;
    virtual void clearLinkList() = 0;
    // The label that shows the list's count.
    virtual void setLinkCountLabel(std::string_view text) = 0;

    // A message box titled "信息：" with an OK button; returns once closed.
    virtual void showMessage(std::string_view text, bool errorIcon) = 0;
    // Puts the text on the clipboard as Unicode text.
    virtual void setClipboardText(std::string_view text) = 0;
    // Asks where to save, offering `fileName` in `folder`; asks before
    // replacing a file. Returns the chosen path (in the file system's
    // encoding), or nothing when cancelled.
    virtual std::optional<std::string> askSavePath(std::string_view fileName, const std::string& folder) = 0;
    // The folder that holds the program's file.
    virtual std::string programFolder() = 0;
};

} // namespace gleaner
