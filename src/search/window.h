#pragma once

// What the search and paging commands need of the window: the embedded
// browser and the controls they read and write, at the moment of use. The
// shell implements it on the real widgets; tests on a small fake.

#include "search/harvest_state.h"
#include "support/text.h"

#include <cstdint>

namespace gleaner {

class SearchWindow {
public:
    virtual ~SearchWindow() = default;

    // The embedded browser.
    virtual void navigate(std::string_view address) = 0;
    // The shown page's HTML; empty when there is none.
    virtual Text pageHtml() = 0;

    // The keyword box.
    virtual Text keyword() = 0;
    virtual void setKeyword(std::string_view text) = 0;
    // The engine list's selected index, -1 when none.
    virtual EngineIndex engineSelection() = 0;
    // The results-per-page list: the text it shows, and selecting its first item.
    virtual Text countText() = 0;
    virtual void selectFirstCount() = 0;
    // The google base-address list's text.
    virtual Text googleBase() = 0;
    // The page box.
    virtual Text pageBoxText() = 0;
    virtual void setPageBoxText(std::string_view text) = 0;

    // The Collect button and the one-click button.
    virtual void setCollectEnabled(bool enabled) = 0;
    virtual Text autoHarvestCaption() = 0;
    virtual void setAutoHarvestCaption(std::string_view caption) = 0;

    // Handles the window events waiting now, once.
    virtual void processEvents() = 0;
    // Waits `ms` milliseconds, handling window events the whole time.
    virtual void wait(std::int32_t ms) = 0;
};

} // namespace gleaner
