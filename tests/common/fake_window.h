#pragma once

// A window for command tests: controls are plain fields, the browser records
// the addresses it is sent to and serves whatever HTML the test gives it.

#include "search/window.h"

#include <vector>

namespace gleaner::testing {

class FakeWindow : public SearchWindow {
public:
    // The browser.
    std::vector<Text> navigations;
    Text html;
    // Controls.
    Text keywordBox = "kw";
    EngineIndex engine = 0;
    Text count = "10";
    Text google = "http://g.test";
    Text pageBox;
    bool collectEnabled = true;
    Text autoCaption;
    // Event processing.
    int processed = 0;
    std::vector<std::int32_t> waits;

    void navigate(std::string_view address) override { navigations.emplace_back(address); }
    Text pageHtml() override { return html; }
    Text keyword() override { return keywordBox; }
    void setKeyword(std::string_view text) override { keywordBox = Text(text); }
    EngineIndex engineSelection() override { return engine; }
    Text countText() override { return count; }
    void selectFirstCount() override { count = "10"; }
    Text googleBase() override { return google; }
    Text pageBoxText() override { return pageBox; }
    void setPageBoxText(std::string_view text) override { pageBox = Text(text); }
    void setCollectEnabled(bool enabled) override { collectEnabled = enabled; }
    Text autoHarvestCaption() override { return autoCaption; }
    void setAutoHarvestCaption(std::string_view caption) override { autoCaption = Text(caption); }
    void processEvents() override { ++processed; }
    void wait(std::int32_t ms) override { waits.push_back(ms); }

    Text lastAddress() const { return navigations.empty() ? Text() : navigations.back(); }
};

} // namespace gleaner::testing
