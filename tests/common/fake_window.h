#pragma once

// A window for command tests: controls are plain fields, and a small browser
// stand-in records the addresses it is sent to and serves whatever HTML the
// test gives it. Page loads are delivered when the commands process events
// or wait, as the real window delivers them.

#include "harvest/window.h"

#include <functional>
#include <map>
#include <vector>

namespace gleaner::testing {

class FakeWindow : public HarvestWindow {
public:
    // The browser.
    std::vector<Text> navigations;
    Text html;
    std::map<Text, Text> pages;   // served on navigation
    int loadsPerPage = 1;         // document-complete events per navigation
    int pendingLoads = 0;
    std::function<void()> onDocumentComplete;
    // Controls.
    Text keywordBox = "kw";
    EngineIndex engine = 0;
    Text count = "10";
    Text google = "http://g.test";
    Text pageBox;
    bool collectEnabled = true;
    Text autoCaption;
    bool domainOnlyBox = false;
    bool deduplicateBox = false;
    std::vector<Text> list;
    std::int32_t selected = -1;
    Text countLabel = "-";
    // Messages, clipboard, save dialog.
    struct Message {
        Text text;
        bool error;
    };
    std::vector<Message> messages;
    Text clipboard;
    std::optional<std::string> savePath;
    std::vector<std::string> dialogsOpened; // folder of each dialog
    // Event processing: hooks run while the commands let events through.
    int processed = 0;
    std::vector<std::int32_t> waits;
    std::function<void()> onProcessEvents;
    std::function<void(std::int32_t)> onWait;

    void navigate(std::string_view address) override
    {
        navigations.emplace_back(address);
        if (const auto it = pages.find(Text(address)); it != pages.end()) {
            html = it->second;
            pendingLoads += loadsPerPage;
        }
    }
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
    void processEvents() override
    {
        ++processed;
        if (onProcessEvents)
            onProcessEvents();
        deliverLoads();
    }
    void wait(std::int32_t ms) override
    {
        waits.push_back(ms);
        if (onWait)
            onWait(ms);
        deliverLoads();
    }

    bool domainOnly() override { return domainOnlyBox; }
    bool deduplicate() override { return deduplicateBox; }
    void appendLink(const Text& link) override { list.push_back(link); }
    std::int32_t linkCount() override { return static_cast<std::int32_t>(list.size()); }
    Text linkText(std::int32_t index) override { return list.at(static_cast<std::size_t>(index)); }
    std::int32_t selectedLink() override { return selected; }
    void clearLinkList() override { list.clear(); }
    void setLinkCountLabel(std::string_view text) override { countLabel = Text(text); }
    void showMessage(std::string_view text, bool errorIcon) override { messages.push_back({Text(text), errorIcon}); }
    void setClipboardText(std::string_view text) override { clipboard = Text(text); }
    std::optional<std::string> askSavePath(std::string_view, const std::string& folder) override
    {
        dialogsOpened.push_back(folder);
        return savePath;
    }
    std::string programFolder() override { return "/program/folder"; }

    // The "event loop": hands out the page loads that are due.
    void deliverLoads()
    {
        while (pendingLoads > 0) {
            --pendingLoads;
            if (onDocumentComplete)
                onDocumentComplete();
        }
    }

    Text lastAddress() const { return navigations.empty() ? Text() : navigations.back(); }
};

} // namespace gleaner::testing
